#pragma once

#include <QStringList>

namespace platform {

// The drives a user picks a folder from: on Windows the drive roots; elsewhere "/" first, then
// the mount points of real (block-device) file systems such as /home or removable media.
QStringList listDrives();

// The drive a path lies on, as listDrives() names it.
QString driveOf(const QString &path);

} // namespace platform
