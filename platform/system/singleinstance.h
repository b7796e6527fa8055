#pragma once

#include <QObject>
#include <QString>

namespace platform {

// One running copy per key and user. The lock is held by the system for as long as the
// process lives, so a copy that crashed or was killed never blocks the next start, whatever
// was left on disk or whichever machine name wrote it. The copy that runs listens for later
// starts, which ask it to show itself and end.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other process holds the lock; this one then holds it until it ends.
    bool tryAcquire();
    // Once running: later starts reach this copy through showRequested. A channel left by a
    // copy that crashed is replaced.
    void listenForLaterStarts();
    // For a start that found the lock held: asks the running copy to show itself. False when it
    // cannot be reached; the start ends either way.
    bool askRunningCopyToShow() const;

    // Where the lock lives: the user's runtime folder, which does not outlive a boot.
    static QString lockFilePath(const QString &key);

signals:
    void showRequested();

private:
    static QString runtimePath(const QString &key, const QString &suffix);

    QString m_key;
    qintptr m_lock = -1;
    qintptr m_listener = -1;
};

} // namespace platform
