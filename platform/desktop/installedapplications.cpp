#include "platform/desktop/installedapplications.h"

#include "platform/system/memory.h"

#include <QDirIterator>
#include <QFileInfo>
#include <cstdio>

namespace platform {
namespace {
// An installation writes many files: they are read once.
constexpr std::chrono::milliseconds batchDelay{1000};
// Watching costs a descriptor's worth of kernel memory a folder: enough for any real tree.
constexpr int maxWatchedFolders = 64;
} // namespace

InstalledApplications::InstalledApplications(QStringList folders, QStringList desktops,
                                             OverfullNotice overfullNotice)
    : m_folders(std::move(folders)), m_desktops(std::move(desktops)),
      m_overfullNotice(std::move(overfullNotice)),
      m_reader(
          [this] {
              return BackgroundReader<FoundApplications>::Work(
                  [folders = m_folders, desktops = m_desktops](std::stop_token stop) {
                      return findApplications(folders, desktops, stop);
                  });
          },
          [this](FoundApplications found) { take(std::move(found)); }, batchDelay)
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this] { m_reader.readSoon(); });
}

void InstalledApplications::load()
{
    if (m_loaded || m_reader.busy())
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
    m_reader.read();
}

void InstalledApplications::take(FoundApplications found)
{
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
}

} // namespace platform
