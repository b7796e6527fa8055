#pragma once

#include "platform/desktop/applications.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <memory>

class QThread;

namespace platform {

// The applications installed, read on a thread of their own the first time they are asked
// for, and again when the folders they come from change.
class InstalledApplications : public QObject
{
    Q_OBJECT

public:
    explicit InstalledApplications(QStringList folders = applicationFolders(),
                                   QStringList desktops = currentDesktops());
    // Waits for a reading under way: it only ever takes a moment.
    ~InstalledApplications() override;

    // Reads them unless they were read already or are being read.
    void load();
    bool loaded() const { return m_loaded; }
    const QList<Application> &applications() const { return m_applications; }

signals:
    void changed();

private:
    void read();
    void take();

    const QStringList m_folders;
    const QStringList m_desktops;
    QList<Application> m_applications;
    QList<Application> m_arrived; // written by the thread, taken once it has ended
    std::unique_ptr<QThread> m_thread;
    QFileSystemWatcher m_watcher;
    QTimer m_batch; // an installation writes many files: they are read once
    bool m_loaded = false;
    bool m_changedMeanwhile = false;
};

} // namespace platform
