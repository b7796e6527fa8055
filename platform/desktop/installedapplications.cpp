#include "platform/desktop/installedapplications.h"

#include "platform/system/memory.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

namespace platform {
namespace {
constexpr std::chrono::milliseconds batchDelay{1000};
constexpr uint threadStack = 512 * 1024;
// Watching costs a descriptor's worth of kernel memory a folder: enough for any real tree.
constexpr int maxWatchedFolders = 64;
} // namespace

InstalledApplications::InstalledApplications(QStringList folders, QStringList desktops,
                                             OverfullNotice overfullNotice)
    : m_folders(std::move(folders)), m_desktops(std::move(desktops)),
      m_overfullNotice(std::move(overfullNotice))
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(batchDelay);
    connect(&m_batch, &QTimer::timeout, this, &InstalledApplications::read);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_batch,
            qOverload<>(&QTimer::start));
}

InstalledApplications::~InstalledApplications()
{
    if (m_thread)
        m_thread->wait();
}

void InstalledApplications::load()
{
    if (m_loaded || m_thread)
        return;
    QStringList watched;
    for (const QString &folder : m_folders) {
        if (!QFileInfo(folder).isDir())
            continue;
        watched.append(folder);
        QDirIterator below(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (below.hasNext() && watched.size() < maxWatchedFolders)
            watched.append(below.next());
    }
    if (!watched.isEmpty())
        m_watcher.addPaths(watched.mid(0, maxWatchedFolders));
    read();
}

void InstalledApplications::read()
{
    if (m_thread) {
        m_changedMeanwhile = true;
        return;
    }
    m_thread.reset(
        QThread::create([this] { m_arrived = findApplications(m_folders, m_desktops); }));
    connect(m_thread.get(), &QThread::finished, this, &InstalledApplications::take);
    m_thread->setStackSize(threadStack);
    m_thread->start(QThread::LowPriority);
}

void InstalledApplications::take()
{
    m_thread->wait();
    m_thread.reset();
    FoundApplications found = std::exchange(m_arrived, {});
    m_applications = std::move(found.applications);
    for (const QString &folder : found.overfull) {
        if (!m_overfullNotice || m_overfullNamed.contains(folder))
            continue;
        m_overfullNamed.insert(folder);
        std::fputs((m_overfullNotice(folder) + u'\n').toLocal8Bit().constData(), stderr);
    }
    m_loaded = true;
    returnFreedMemory();
    emit changed();
    if (std::exchange(m_changedMeanwhile, false))
        read();
}

} // namespace platform
