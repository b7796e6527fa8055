#include "platform/desktop/applications.h"

namespace platform {

// Windows has no desktop entries; its programs are added by browsing to them.
QStringList applicationFolders()
{
    return {};
}

QStringList currentDesktops()
{
    return {};
}

} // namespace platform
