#pragma once

#include "platform/desktop/applications.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>

class QThread;

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
    const OverfullNotice m_overfullNotice;
    QSet<QString> m_overfullNamed;
    QList<Application> m_applications;
    FoundApplications m_arrived; // written by the thread, taken once it has ended
    std::unique_ptr<QThread> m_thread;
    QFileSystemWatcher m_watcher;
    QTimer m_batch; // an installation writes many files: they are read once
    bool m_loaded = false;
    bool m_changedMeanwhile = false;
};

} // namespace platform
