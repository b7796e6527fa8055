#include "platform/system/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace platform {

QString SingleInstance::runtimePath(const QString &key, const QString &suffix)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(folder).filePath(
        QStringLiteral("quorvel-%1.%2").arg(QString::fromLatin1(hash), suffix));
}

QString SingleInstance::lockFilePath(const QString &key)
{
    return runtimePath(key, QStringLiteral("lock"));
}

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent), m_key(key) {}

} // namespace platform
