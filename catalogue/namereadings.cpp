#include "catalogue/namereadings.h"

#include "platform/system/files.h"
#include "platform/system/readingdictionary.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <optional>

namespace readings {
namespace {

// One line a name: the name, then its readings, parted by tabs. UTF-16: the names and their
// readings are Japanese, two bytes a character there against three in UTF-8.
const QLatin1String cacheHeader("Quorvel readings 2\n");
constexpr QChar fieldSeparator = u'\t';
constexpr QChar lineEnd = u'\n';
constexpr int mostReadings = 2; // as written and as pronounced

bool fitsOnALine(const QString &text)
{
    return !text.isEmpty() && !text.contains(fieldSeparator) && !text.contains(lineEnd);
}

// Any text at all comes back as it went in, lone surrogates too.
QByteArray toUtf16(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.constData(), text.size(), bytes.data());
    return bytes;
}

QString fromUtf16(const QByteArray &bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), text.size(), text.data());
    return text;
}

// All or nothing: a cache with one wrong line may have been written by anything.
std::optional<NameReadings> parseCache(const QByteArray &bytes)
{
    const QString text = fromUtf16(bytes);
    if (bytes.size() % 2 != 0 || !text.startsWith(cacheHeader) || !text.endsWith(lineEnd))
        return std::nullopt;
    NameReadings cached;
    // The header alone is an empty cache; its line end may be the file's last.
    const QStringView rest = QStringView(text).mid(cacheHeader.size());
    if (rest.size() <= 1)
        return cached;
    const QStringView lines = rest.chopped(1);
    for (const QStringView line : lines.split(lineEnd)) {
        const QList<QStringView> fields = line.split(fieldSeparator);
        if (fields.size() > 1 + mostReadings ||
            std::any_of(fields.begin(), fields.end(), [](QStringView f) { return f.isEmpty(); }))
            return std::nullopt;
        QStringList readings;
        for (qsizetype i = 1; i < fields.size(); ++i)
            readings << fields.at(i).toString();
        cached.insert(fields.at(0).toString(), readings);
    }
    return cached;
}

// The names in the order given, as many as the reader takes back: a name past that is read
// from the dictionary again next time, never the whole cache.
QByteArray cacheBytes(const QStringList &names, const NameReadings &readings)
{
    QString text = cacheHeader;
    QSet<QString> written;
    for (const QString &name : names) {
        const auto found = readings.constFind(name);
        if (found == readings.constEnd() || !fitsOnALine(name) || found->size() > mostReadings ||
            !std::all_of(found->begin(), found->end(), fitsOnALine) || written.contains(name))
            continue;
        QString line = name;
        for (const QString &reading : *found)
            line += fieldSeparator + reading;
        line += lineEnd;
        if ((text.size() + line.size()) * 2 > maxCacheBytes)
            break;
        text += line;
        written.insert(name);
    }
    return toUtf16(text);
}

void writeCache(const QString &path, const QByteArray &bytes)
{
    // A cache is a convenience: one that cannot be written is rebuilt next time.
    if (QDir().mkpath(QFileInfo(path).path()))
        platform::replaceFile(path, bytes);
}

} // namespace

bool needsReading(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Han || c.isSurrogate(); });
}

NameReadings readNames(const QStringList &names, const QString &cacheFile,
                       const QString &dictionaryFolder)
{
    platform::removeLeftoversOf(cacheFile);
    const std::optional<QByteArray> stored = platform::readRegularFile(cacheFile, maxCacheBytes);
    const std::optional<NameReadings> cached = stored ? parseCache(*stored) : std::nullopt;
    NameReadings known;
    QStringList unread;
    for (const QString &name : names) {
        if (known.contains(name))
            continue;
        if (cached && cached->contains(name))
            known.insert(name, cached->value(name));
        else
            unread << name;
    }
    unread.removeDuplicates();
    if (!unread.isEmpty()) {
        if (const auto read = platform::readJapanese(unread, dictionaryFolder)) {
            for (qsizetype i = 0; i < unread.size(); ++i)
                known.insert(unread.at(i), read->at(i));
        }
    }
    const QByteArray bytes = cacheBytes(names, known);
    if (!stored || bytes != *stored)
        writeCache(cacheFile, bytes);
    return known;
}

} // namespace readings
