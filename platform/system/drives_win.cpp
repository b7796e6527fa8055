#include "platform/system/drives.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

QStringList listDrives()
{
    QStringList drives;
    for (const QFileInfo &drive : QDir::drives())
        drives.append(QDir::toNativeSeparators(drive.absolutePath()));
    return drives;
}

} // namespace platform
