#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString SingleInstance::lockFilePath(const QString &executablePath)
{
    // The runtime folder is the user's own; where the system has none, the temporary one is.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    QString canonical = QFileInfo(executablePath).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QFileInfo(executablePath).absoluteFilePath();
    const QByteArray key =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("quorvel-%1.lock").arg(QString::fromLatin1(key)));
}

SingleInstance::SingleInstance(const QString &executablePath)
    : m_lock(std::make_unique<QLockFile>(lockFilePath(executablePath)))
{
    // Staleness is judged by whether the owner still runs, never by the lock's age.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::tryAcquire()
{
    return m_lock->tryLock(0);
}

} // namespace platform
