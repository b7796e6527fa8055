#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// One running copy per executable and user. The lock names the executable's path, so copies
// in other folders (other catalogues) run side by side; a lock whose owner died is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &executablePath);

    // True when no other instance holds the lock; this one then holds it until it ends.
    bool tryAcquire();

    static QString lockFilePath(const QString &executablePath);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace platform
