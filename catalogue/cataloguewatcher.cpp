#include "catalogue/cataloguewatcher.h"

#include "catalogue/cataloguefile.h"
#include "catalogue/editor.h"

#include <QFileInfo>

namespace {
// Long enough for an editor's write and rename to be over, short enough to feel immediate.
constexpr std::chrono::milliseconds settleTime{250};
} // namespace

CatalogueWatcher::CatalogueWatcher(CatalogueFile &file, CatalogueEditor &editor, QObject *parent)
    : QObject(parent), m_file(file), m_editor(editor)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleTime);
    connect(&m_settle, &QTimer::timeout, this, &CatalogueWatcher::check);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CatalogueWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CatalogueWatcher::changed);
}

void CatalogueWatcher::start()
{
    m_watcher.addPath(QFileInfo(m_file.path()).absolutePath());
    // What changed between the start and now is taken in as well.
    check();
}

void CatalogueWatcher::watchFile()
{
    // A file replaced by a rename, or made again after it was removed, is a new file to watch.
    if (!m_watcher.files().contains(m_file.path()) && QFileInfo::exists(m_file.path()))
        m_watcher.addPath(m_file.path());
}

void CatalogueWatcher::changed()
{
    // Not restarted by later changes: a file that changes all the time is still read.
    if (!m_settle.isActive())
        m_settle.start();
}

void CatalogueWatcher::check()
{
    watchFile();
    if (const auto contents = m_file.readOutsideChange())
        m_editor.takeIn(*contents);
}
