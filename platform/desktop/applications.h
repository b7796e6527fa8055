#pragma once

#include "platform/desktop/desktopentry.h"

#include <QIcon>
#include <QList>

namespace platform {

// An application the desktop's menus show, by its desktop-file id (its path below the
// applications folder, with "-" for "/").
struct Application
{
    QString id;
    DesktopEntry entry;
};

// The folders desktop entries are looked in, the first one's entries winning: the user's own
// ($XDG_DATA_HOME), then those of $XDG_DATA_DIRS, then Flatpak's and Snap's exports where they
// are not among them.
QStringList applicationFolders();
// $XDG_CURRENT_DESKTOP, the names OnlyShowIn and NotShowIn are matched against.
QStringList currentDesktops();

// At most this many desktop entries are read from each folder, so that no folder flooded with
// them hides the others.
constexpr int maxEntriesPerFolder = 5000;

struct FoundApplications
{
    QList<Application> applications;
    QStringList overfull; // the folders read only up to maxEntriesPerFolder
};

// Every application the folders hold that a menu would show on these desktops, by name.
// A damaged, huge, unreadable or special file is passed over; folders linked into themselves
// are not followed.
FoundApplications findApplications(const QStringList &folders, const QStringList &desktops);

// The entry's icon (a name of the icon theme, or a file), else a generic one, never none.
QIcon applicationIcon(const DesktopEntry &entry);

} // namespace platform
