#include "shell/namereader.h"

#include "catalogue/catalogue.h"
#include "catalogue/search.h"
#include "platform/system/memory.h"
#include "settings/categorybox.h"

#include <QThread>
#include <algorithm>

namespace {
constexpr std::chrono::milliseconds batchDelay{500};
constexpr uint threadStack = 512 * 1024;
} // namespace

NameReader::NameReader(const Catalogue &catalogue, QString cacheFile)
    : m_catalogue(catalogue), m_cacheFile(std::move(cacheFile))
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(batchDelay);
    connect(&m_batch, &QTimer::timeout, this, &NameReader::read);
    // Only what brings new names; removing and moving entries does not.
    const auto readSoon = [this] {
        if (m_started)
            m_batch.start();
    };
    connect(&catalogue, &Catalogue::entryAppended, this, readSoon);
    connect(&catalogue, &Catalogue::entryChanged, this, readSoon);
    connect(&catalogue, &Catalogue::categoryRenamed, this, readSoon);
    connect(&catalogue, &Catalogue::replaced, this, readSoon);
}

NameReader::~NameReader()
{
    if (m_thread)
        m_thread->wait();
}

void NameReader::start()
{
    m_started = true;
    read();
}

void NameReader::setOtherNames(QStringList names)
{
    m_otherNames = std::move(names);
    if (m_started)
        m_batch.start();
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

void NameReader::read()
{
    if (m_thread) {
        m_changedMeanwhile = true;
        return;
    }
    const QStringList names = namesToRead();
    if (std::all_of(names.begin(), names.end(),
                    [this](const QString &name) { return m_readings.contains(name); }))
        return;
    m_thread.reset(
        QThread::create([this, names] { m_arrived = readings::readNames(names, m_cacheFile); }));
    connect(m_thread.get(), &QThread::finished, this, &NameReader::take);
    // Reading takes little stack; what a thread touches of its stack stays with the process.
    m_thread->setStackSize(threadStack);
    m_thread->start(QThread::LowPriority);
}

void NameReader::take()
{
    m_thread->wait();
    m_thread.reset();
    const bool changed = m_arrived != m_readings;
    m_readings = std::exchange(m_arrived, {});
    platform::returnFreedMemory(); // what reading the cache and the dictionary took
    if (changed)
        emit readingsChanged();
    if (std::exchange(m_changedMeanwhile, false))
        read();
}
