#include "platform/system/drives.h"

#include <QStorageInfo>

namespace platform {

QStringList listDrives()
{
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
}

} // namespace platform
