#pragma once

#include <QStringList>

namespace platform {

// The drives a user picks a folder from: on Windows the drive roots; elsewhere "/" first, then
// the mount points of real (block-device) file systems such as /home or removable media.
QStringList listDrives();

// Which of the drives the path lies on: the one with the longest matching root.
QString driveOf(const QString &path, const QStringList &drives);

} // namespace platform
