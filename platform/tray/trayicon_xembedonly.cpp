// The tray icon where the build has no D-Bus: an XEmbed or system tray icon only.
#include "platform/tray/trayicon.h"

namespace platform {

void TrayIcon::askForHost(const std::function<void(bool)> &answered, int)
{
    answered(false);
}

void TrayIcon::watchForWatcher() {}
void TrayIcon::useStatusNotifier() {}
void TrayIcon::dropStatusNotifier() {}
void TrayIcon::showOnItem() {}

} // namespace platform
