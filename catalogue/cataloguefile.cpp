#include "catalogue/cataloguefile.h"

#include "platform/system/codec.h"
#include "platform/system/files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QStringList>
#include <QVarLengthArray>

namespace {

const QString versionMarker = QStringLiteral("Format Ver.1.0");
const QLatin1String lineEnd("\r\n");
constexpr qsizetype MaxFields = 4;

struct Field
{
    QStringView text;
    bool quoted = false;
};
using Fields = QVarLengthArray<Field, MaxFields>;

// Splits one line into fields, none but views of the line. A quoted field runs to the next
// quote and must be followed by a comma or the line end; an unquoted one runs to the next
// comma and holds no quote. No line of the format has more than four fields.
std::optional<Fields> splitFields(QStringView line)
{
    Fields fields;
    qsizetype pos = 0;
    while (fields.size() < MaxFields) {
        Field field;
        qsizetype end;
        if (pos < line.size() && line[pos] == u'"') {
            const qsizetype close = line.indexOf(u'"', pos + 1);
            if (close < 0)
                return std::nullopt;
            field = {line.sliced(pos + 1, close - pos - 1), true};
            end = close + 1;
            if (end < line.size() && line[end] != u',')
                return std::nullopt;
        } else {
            end = line.indexOf(u',', pos);
            if (end < 0)
                end = line.size();
            field = {line.sliced(pos, end - pos), false};
            if (field.text.contains(u'"'))
                return std::nullopt;
        }
        fields.append(field);
        if (end >= line.size())
            return fields;
        pos = end + 1;
    }
    return std::nullopt;
}

// Decoded from code page 932, a text can be stored again as it is; only the characters that
// would break a field or a line are left to refuse.
std::optional<QString> textField(const Field &field)
{
    if (!field.quoted || !Catalogue::fitsInField(field.text))
        return std::nullopt;
    return field.text.toString();
}

std::optional<int> categoryField(const Field &field)
{
    if (field.quoted || field.text.size() != 1)
        return std::nullopt;
    const QChar digit = field.text.at(0);
    if (digit < u'0' || digit >= QChar(u'0' + Catalogue::CategoryCount))
        return std::nullopt;
    return digit.unicode() - u'0';
}

// Appends the text as a quoted field; false for one the file cannot hold.
bool appendTextField(QString &line, const QString &text)
{
    if (!Catalogue::fitsInField(text))
        return false;
    line += u'"';
    line += text;
    line += u'"';
    return true;
}

// The exact name wins; otherwise any spelling of it in another letter case.
QString locateCatalogue(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QDir dir(canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath() : canonical);
    const QString exact = QString::fromLatin1(CatalogueFileName);
    if (QFileInfo(dir.filePath(exact)).isFile())
        return dir.filePath(exact);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names) {
        if (name.compare(exact, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return dir.filePath(exact);
}

} // namespace

std::optional<CatalogueContents> parseCatalogue(const QByteArray &bytes)
{
    // The whole file is decoded at once: CP932 trail bytes never look like '"', ',', CR or LF.
    const auto text = platform::decodeCp932(bytes);
    if (!text)
        return std::nullopt;

    QList<QStringView> lines;
    for (QStringView line : QStringView(*text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines.append(line);
    }
    if (lines.size() < Catalogue::CategoryCount)
        return std::nullopt;

    const auto marker = splitFields(lines[0]);
    if (!marker || marker->size() != 1 || !marker->at(0).quoted ||
        marker->at(0).text != versionMarker)
        return std::nullopt;

    CatalogueContents contents;
    for (int i = 1; i < Catalogue::CategoryCount; ++i) {
        const auto fields = splitFields(lines[i]);
        if (!fields || fields->size() != 1)
            return std::nullopt;
        const auto name = textField(fields->at(0));
        if (!name)
            return std::nullopt;
        contents.names[i] = *name;
    }

    std::array<int, Catalogue::CategoryCount> counts{};
    contents.lines.reserve(lines.size() - Catalogue::CategoryCount);
    for (qsizetype n = Catalogue::CategoryCount; n < lines.size(); ++n) {
        const auto fields = splitFields(lines[n]);
        if (!fields || fields->size() != MaxFields)
            return std::nullopt;
        const auto category = categoryField(fields->at(0));
        auto name = textField(fields->at(1));
        auto program = textField(fields->at(2));
        auto folder = textField(fields->at(3));
        if (!category || !name || !program || !folder)
            return std::nullopt;
        if (++counts[*category] > Catalogue::MaxEntries)
            return std::nullopt;
        contents.lines.append(
            {*category, {std::move(*name), std::move(*program), std::move(*folder)}});
    }
    return contents;
}

std::optional<QByteArray> serializeCatalogue(const Catalogue &catalogue)
{
    // The whole file as text first, then encoded at once: one conversion per save.
    QString text;
    text.reserve(4096);
    appendTextField(text, versionMarker);
    text += lineEnd;
    for (int i = 1; i < Catalogue::CategoryCount; ++i) {
        if (!appendTextField(text, catalogue.CategoryName(i)))
            return std::nullopt;
        text += lineEnd;
    }
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        for (int k = 1; k <= catalogue.EntryCount(c); ++k) {
            const Entry &entry = catalogue.entry(c, k);
            text += QChar(u'0' + c);
            for (const QString *field : {&entry.EntryName, &entry.ProgramPath, &entry.WorkFolder}) {
                text += u',';
                if (!appendTextField(text, *field))
                    return std::nullopt;
            }
            text += lineEnd;
        }
    }
    return platform::encodeCp932(text);
}

CatalogueFile::CatalogueFile(const QString &folder) : m_path(locateCatalogue(folder)) {}

LoadResult CatalogueFile::LoadCatalogue(Catalogue &catalogue, const std::function<void()> &accepted)
{
    if (!QFileInfo::exists(m_path)) {
        Catalogue defaults;
        const bool named = defaults.replaceAll(Catalogue::defaultContents());
        Q_ASSERT(named);
        // A user's configuration folder may not exist yet.
        if (!QDir().mkpath(QFileInfo(m_path).path()) || !SaveCatalogue(defaults))
            return LoadResult::OpenFailed;
        if (accepted)
            accepted();
        const bool replaced = catalogue.replaceAll(Catalogue::defaultContents());
        Q_ASSERT(replaced);
        return LoadResult::Created;
    }

    const auto bytes = platform::readRegularFile(m_path, MaxCatalogueFileBytes);
    if (!bytes)
        return LoadResult::OpenFailed;

    const auto contents = parseCatalogue(*bytes);
    if (!contents)
        return LoadResult::VersionFailed;
    m_known = fingerprintOf(*bytes);
    if (accepted)
        accepted();
    // The reader keeps every limit the model does: this cannot be refused.
    const bool replaced = catalogue.replaceAll(*contents);
    Q_ASSERT(replaced);
    return LoadResult::Read;
}

bool CatalogueFile::SaveCatalogue(const Catalogue &catalogue)
{
    const auto bytes = serializeCatalogue(catalogue);
    if (!bytes)
        return false;

    // A rename could replace a read-only file; the user made it read-only to keep it as it is.
    const QFileInfo existing(m_path);
    if (existing.exists() && !existing.isWritable())
        return false;

    // A change that cannot be kept is not overwritten: the save fails, and the next one tries
    // again.
    if (!keepOutsideChange())
        return false;
    if (!platform::replaceFile(m_path, *bytes))
        return false;
    m_known = fingerprintOf(*bytes);
    return true;
}

CatalogueFile::Fingerprint CatalogueFile::fingerprintOf(const QByteArray &bytes)
{
    return {bytes.size(), qHashBits(bytes.constData(), size_t(bytes.size()))};
}

bool CatalogueFile::keepOutsideChange()
{
    // Anything but what was read or written here: an edit not taken in yet, a damaged file, a
    // FIFO or a folder in its place. None is read past the size a catalogue can have.
    const QFileInfo found(m_path);
    if (!m_known || (!found.exists() && !found.isSymLink()))
        return true;
    const auto bytes = platform::readRegularFile(m_path, MaxCatalogueFileBytes);
    if (bytes && fingerprintOf(*bytes) == m_known)
        return true;
    const bool damaged = !bytes || !parseCatalogue(*bytes);
    const QString stem = m_path +
                         (damaged ? QStringLiteral(".damaged-") : QStringLiteral(".changed-")) +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // Moved aside rather than copied: a FIFO or a folder cannot be copied, and the save that
    // follows puts the catalogue back in its place. A copy never replaces an earlier one.
    for (int n = 1; n < 100; ++n) {
        const QString copy = n == 1 ? stem : stem + u'-' + QString::number(n);
        if (QFileInfo(copy).exists() || QFileInfo(copy).isSymLink())
            continue;
        if (!QFile::rename(m_path, copy))
            return false;
        m_keptCopy = copy;
        return true;
    }
    return false;
}

std::optional<CatalogueContents> CatalogueFile::readOutsideChange()
{
    const auto bytes = platform::readRegularFile(m_path, MaxCatalogueFileBytes);
    if (!bytes || fingerprintOf(*bytes) == m_known)
        return std::nullopt;
    auto contents = parseCatalogue(*bytes);
    if (contents)
        m_known = fingerprintOf(*bytes);
    return contents;
}

void CatalogueFile::removeLeftovers() const
{
    platform::removeLeftoversOf(m_path);
}
