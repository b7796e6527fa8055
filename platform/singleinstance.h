#pragma once

#include <QString>

namespace platform {

// One running copy per key and user. The lock is held by the system for as long as the
// process lives, so a copy that crashed or was killed never blocks the next start, whatever
// was left on disk or whichever machine name wrote it.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when no other process holds the lock; this one then holds it until it ends.
    bool tryAcquire();

    // Where the lock lives: the user's runtime folder, which does not outlive a boot.
    static QString lockFilePath(const QString &key);

private:
    QString m_path;
    qintptr m_handle = -1;
};

} // namespace platform
