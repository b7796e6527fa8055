#include "shell/namereader.h"

#include "catalogue/catalogue.h"
#include "catalogue/search.h"
#include "platform/system/memory.h"
#include "presentation/categorynames.h"

#include <algorithm>

namespace {
// Edits in a row are read once.
constexpr std::chrono::milliseconds batchDelay{500};
// A reading is one line of the dictionary's answer: it never holds a line end.
constexpr QChar readingsSeparator = u'\n';

QHash<QString, QString> joined(const readings::NameReadings &readings)
{
    QHash<QString, QString> joined;
    joined.reserve(readings.size());
    for (auto it = readings.cbegin(); it != readings.cend(); ++it) {
        // One reading, the usual case, is kept as it came: shared, not copied.
        joined.insert(it.key(), it->size() == 1 ? it->first() : it->join(readingsSeparator));
    }
    return joined;
}
} // namespace

NameReader::NameReader(const Catalogue &catalogue, QString cacheFile)
    : m_catalogue(catalogue), m_cacheFile(std::move(cacheFile)),
      m_reader(
          [this]() -> std::optional<platform::BackgroundReader<readings::NameReadings>::Work> {
              QStringList names = namesToRead();
              if (std::all_of(names.begin(), names.end(),
                              [this](const QString &name) { return m_readings.contains(name); }))
                  return std::nullopt;
              return [names = std::move(names), cacheFile = m_cacheFile](std::stop_token stop) {
                  return readings::readNames(names, cacheFile, {}, stop);
              };
          },
          [this](readings::NameReadings arrived) { take(std::move(arrived)); }, batchDelay)
{
    connect(&catalogue, &Catalogue::changed, this, &NameReader::readSoon);
}

void NameReader::start()
{
    m_started = true;
    m_reader.read();
}

void NameReader::setOtherNames(QStringList names)
{
    m_otherNames = std::move(names);
    readSoon();
}

void NameReader::readSoon()
{
    if (m_started)
        m_reader.readSoon();
}

QStringList NameReader::namesToRead() const
{
    QStringList names;
    const auto add = [&](const QString &name) {
        const QString shown = search::withoutAccessKey(name);
        if (readings::needsReading(shown))
            names << shown;
    };
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        add(shownCategoryName(m_catalogue, c));
        for (int k = 1; k <= m_catalogue.EntryCount(c); ++k)
            add(m_catalogue.entry(c, k).EntryName);
    }
    for (const QString &name : m_otherNames)
        add(name);
    names.removeDuplicates();
    return names;
}

QStringList NameReader::readingsOf(const QString &name) const
{
    const QString readings = m_readings.value(name);
    return readings.isEmpty() ? QStringList() : readings.split(readingsSeparator);
}

void NameReader::take(readings::NameReadings arrived)
{
    QHash<QString, QString> readings = joined(arrived);
    arrived.clear();
    const bool changed = readings != m_readings;
    m_readings = std::move(readings);
    platform::returnFreedMemory(); // what reading the cache and the dictionary took
    if (changed)
        emit readingsChanged();
}
