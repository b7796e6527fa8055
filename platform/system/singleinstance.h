#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace platform {

// One running copy per key and user. The lock is held by the system for as long as the
// process lives, so a copy that crashed or was killed never blocks the next start, whatever
// was left on disk or whichever machine name wrote it. The copy that runs listens for later
// starts, which hand it a short request (what to show) and end.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other process holds the lock; this one then holds it until it ends.
    bool tryAcquire();
    // Once running: later starts reach this copy through requested. A channel left by a copy
    // that crashed is replaced.
    void listenForLaterStarts();
    // For a start that found the lock held: hands the running copy a request of at most
    // maxRequestBytes. False when it cannot be reached; the start ends either way, at once.
    bool askRunningCopy(const QByteArray &request) const;

    static constexpr qsizetype maxRequestBytes = 1024;

    // Where the lock lives: the user's runtime folder, which does not outlive a boot.
    static QString lockFilePath(const QString &key);

signals:
    // What a later start asked for; empty from a start that asked for nothing in particular.
    void requested(const QByteArray &request);

private:
    static QString runtimePath(const QString &key, const QString &suffix);
    void readRequest(qintptr client); // POSIX: reads one later start's request

    QString m_key;
    qintptr m_lock = -1;
    qintptr m_listener = -1;
};

} // namespace platform
