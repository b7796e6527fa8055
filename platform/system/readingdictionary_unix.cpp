#include "platform/system/readingdictionary.h"

#include "platform/system/memory.h"

#include <QByteArray>
#include <QFileInfo>
#include <QLibrary>
#include <mecab.h>

namespace platform {

namespace {

// Debian's mecab-ipadic-utf8; where it is missing, whatever MeCab's own settings name.
const char *const installedDictionaries[] = {"/var/lib/mecab/dic/ipadic-utf8", ""};

// The dictionary's fields: part of speech … base form, reading, pronunciation.
constexpr int readingField = 7;
constexpr int pronunciationField = 8;

// A name longer than this is read only this far: it is still found by its other letters.
constexpr qsizetype longestText = 512;

bool isUtf8(const char *charset)
{
    const QByteArray name = QByteArray(charset).toLower().replace('-', "");
    return name == "utf8";
}

} // namespace

// The library is loaded at run time: a start never pays for it, and a system without it
// simply has no readings.
struct ReadingDictionary::MeCab
{
    QLibrary library;
    decltype(&mecab_new) create = nullptr;
    decltype(&mecab_destroy) destroy = nullptr;
    decltype(&mecab_sparse_tonode2) parse = nullptr;
    decltype(&mecab_dictionary_info) dictionaryInfo = nullptr;
    mecab_t *tagger = nullptr;

    bool load()
    {
        library.setFileNameAndVersion(QStringLiteral("mecab"), 2);
        if (!library.load())
            return false;
        create = reinterpret_cast<decltype(create)>(library.resolve("mecab_new"));
        destroy = reinterpret_cast<decltype(destroy)>(library.resolve("mecab_destroy"));
        parse = reinterpret_cast<decltype(parse)>(library.resolve("mecab_sparse_tonode2"));
        dictionaryInfo =
            reinterpret_cast<decltype(dictionaryInfo)>(library.resolve("mecab_dictionary_info"));
        return create && destroy && parse && dictionaryInfo;
    }

    bool open(const QByteArray &folder)
    {
        QByteArray program("quorvel"), option("-d"), path(folder);
        char *arguments[] = {program.data(), option.data(), path.data(), nullptr};
        tagger = create(folder.isEmpty() ? 1 : 3, arguments);
        if (tagger && !isUtf8(dictionaryInfo(tagger)->charset)) {
            destroy(tagger);
            tagger = nullptr;
        }
        return tagger;
    }

    // The dictionary's tables are mapped and its lattices on the heap: all of it goes back to
    // the system, so that a program that runs all day is no larger for having read names.
    ~MeCab()
    {
        if (tagger)
            destroy(tagger);
        if (library.isLoaded())
            library.unload();
        returnFreedMemory();
    }
};

ReadingDictionary::ReadingDictionary(const QString &dictionaryFolder)
    : m_mecab(std::make_unique<MeCab>())
{
    if (!m_mecab->load())
        return;
    if (!dictionaryFolder.isEmpty()) {
        m_mecab->open(QFile::encodeName(dictionaryFolder));
        return;
    }
    for (const char *folder : installedDictionaries) {
        if ((!*folder || QFileInfo(QString::fromLatin1(folder)).isDir()) && m_mecab->open(folder))
            return;
    }
}

ReadingDictionary::~ReadingDictionary() = default;

bool ReadingDictionary::isOpen() const
{
    return m_mecab->tagger;
}

QStringList ReadingDictionary::readingsOf(const QString &text)
{
    if (!m_mecab->tagger)
        return {};
    // MeCab knows full-width katakana and Latin letters, not their half-width forms.
    const QByteArray utf8 =
        text.left(longestText).normalized(QString::NormalizationForm_KC).toUtf8();
    QString reading, pronunciation;
    bool anyRead = false;
    for (const mecab_node_t *node =
             m_mecab->parse(m_mecab->tagger, utf8.constData(), size_t(utf8.size()));
         node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        const QString surface = QString::fromUtf8(node->surface, node->length);
        const QStringList fields = QString::fromUtf8(node->feature).split(u',');
        const auto field = [&](int at) {
            const QString value = fields.value(at);
            return node->stat == MECAB_NOR_NODE && !value.isEmpty() && value != u"*" ? value
                                                                                     : surface;
        };
        reading += field(readingField);
        pronunciation += field(pronunciationField);
        anyRead = anyRead || field(readingField) != surface;
    }
    if (!anyRead)
        return {};
    return reading == pronunciation ? QStringList{reading} : QStringList{reading, pronunciation};
}

} // namespace platform
