#pragma once

#include "platform/desktop/applications.h"
#include "platform/system/backgroundreader.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <functional>

namespace platform {

// The applications installed, read on a thread of their own the first time they are asked
// for, and again when the folders they come from change.
class InstalledApplications : public QObject
{
    Q_OBJECT

public:
    // overfullNotice is the line standard error gets, once a run, for a folder with more desktop
    // entries than are read.
    using OverfullNotice = std::function<QString(const QString &folder)>;
    explicit InstalledApplications(QStringList folders = applicationFolders(),
                                   QStringList desktops = currentDesktops(),
                                   OverfullNotice overfullNotice = {});
    // Reads them unless they were read already or are being read.
    void load();
    // Stops a reading under way and reads no more: the program is ending.
    void cancel() { m_reader.cancel(); }
    bool loaded() const { return m_loaded; }
    const QList<Application> &applications() const { return m_applications; }

signals:
    void changed();

private:
    void take(FoundApplications found);

    const QStringList m_folders;
    const QStringList m_desktops;
    const OverfullNotice m_overfullNotice;
    QSet<QString> m_overfullNamed;
    QList<Application> m_applications;
    QFileSystemWatcher m_watcher;
    bool m_loaded = false;
    // Last: a reading under way ends before what it hands its result to.
    BackgroundReader<FoundApplications> m_reader;
};

} // namespace platform
