#include "platform/desktop/hotkeymechanisms_unix.h"

#include <QGuiApplication>

namespace platform {

std::unique_ptr<GlobalHotkey::Mechanism>
GlobalHotkey::mechanismFor(GlobalHotkey &owner, const QString &id, const QString &description)
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return x11HotkeyMechanism(owner);
    // A Wayland compositor lets no client see keys meant for others: only the portal can ask.
    if (platform.startsWith(QLatin1String("wayland")))
        return portalHotkeyMechanism(owner, id, description);
    return nullptr;
}

} // namespace platform
