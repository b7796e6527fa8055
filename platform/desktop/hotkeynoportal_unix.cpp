#include "platform/desktop/hotkeymechanisms_unix.h"

namespace platform {

// A build without D-Bus cannot reach the portal.
std::unique_ptr<GlobalHotkey::Mechanism> portalHotkeyMechanism(GlobalHotkey &, const QString &,
                                                               const QString &)
{
    return nullptr;
}

} // namespace platform
