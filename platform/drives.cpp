#include "platform/drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace platform {

QStringList listDrives()
{
#ifdef Q_OS_WIN
    QStringList drives;
    for (const QFileInfo &drive : QDir::drives())
        drives.append(QDir::toNativeSeparators(drive.absolutePath()));
    return drives;
#else
    QStringList drives = {QStringLiteral("/")};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const QByteArray device = volume.device();
        // Pseudo file systems (proc, sysfs, tmpfs, …) and loop-mounted images have no
        // block device a user would think of as a drive.
        if (root == QLatin1String("/") || !device.startsWith("/dev/") ||
            device.startsWith("/dev/loop") || root.startsWith(QLatin1String("/boot")))
            continue;
        if (!drives.contains(root))
            drives.append(root);
    }
    return drives;
#endif
}

QString driveOf(const QString &path, const QStringList &drives)
{
#ifdef Q_OS_WIN
    constexpr auto sensitivity = Qt::CaseInsensitive;
#else
    constexpr auto sensitivity = Qt::CaseSensitive;
#endif
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString best;
    qsizetype bestLength = -1;
    for (const QString &drive : drives) {
        const QString root = QDir::cleanPath(QDir::fromNativeSeparators(drive));
        const bool inside =
            absolute.compare(root, sensitivity) == 0 ||
            absolute.startsWith(root.endsWith(u'/') ? root : root + u'/', sensitivity);
        if (inside && root.size() > bestLength) {
            best = drive;
            bestLength = root.size();
        }
    }
    return best;
}

} // namespace platform
