#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace platform {

QString SingleInstance::lockFilePath(const QString &key)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("quorvel-%1.lock").arg(QString::fromLatin1(hash)));
}

SingleInstance::SingleInstance(const QString &key) : m_path(lockFilePath(key)) {}

} // namespace platform
