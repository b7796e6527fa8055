#include "catalogue/namereadings.h"

#include "platform/system/files.h"
#include "platform/system/readingdictionary.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <optional>

namespace readings {
namespace {

constexpr int cacheFormat = 1;
// A full catalogue's names take well under a tenth of this; anything larger is not our cache.
constexpr qint64 maxCacheBytes = 4 * 1024 * 1024;

// All or nothing: a cache with one wrong value may have been written by anything.
std::optional<NameReadings> readCache(const QString &path)
{
    const auto bytes = platform::readRegularFile(path, maxCacheBytes);
    if (!bytes)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes);
    const QJsonObject top = document.object();
    if (top.value(QLatin1String("format")).toInt() != cacheFormat ||
        !top.value(QLatin1String("readings")).isObject())
        return std::nullopt;
    NameReadings cached;
    const QJsonObject names = top.value(QLatin1String("readings")).toObject();
    for (auto name = names.begin(); name != names.end(); ++name) {
        if (!name.value().isArray())
            return std::nullopt;
        QStringList readings;
        for (const QJsonValue reading : name.value().toArray()) {
            if (!reading.isString() || reading.toString().isEmpty())
                return std::nullopt;
            readings << reading.toString();
        }
        cached.insert(name.key(), readings);
    }
    return cached;
}

void writeCache(const QString &path, const NameReadings &readings)
{
    QJsonObject names;
    for (auto name = readings.begin(); name != readings.end(); ++name)
        names.insert(name.key(), QJsonArray::fromStringList(name.value()));
    const QJsonObject top{{QLatin1String("format"), cacheFormat},
                          {QLatin1String("readings"), names}};
    // A cache is a convenience: one that cannot be written is rebuilt next time.
    if (QDir().mkpath(QFileInfo(path).path()))
        platform::replaceFile(path, QJsonDocument(top).toJson(QJsonDocument::Compact));
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
    const std::optional<NameReadings> cached = readCache(cacheFile);
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
        platform::ReadingDictionary dictionary(dictionaryFolder);
        if (dictionary.isOpen()) {
            for (const QString &name : std::as_const(unread))
                known.insert(name, dictionary.readingsOf(name));
        }
    }
    if (!cached || known != *cached)
        writeCache(cacheFile, known);
    return known;
}

} // namespace readings
