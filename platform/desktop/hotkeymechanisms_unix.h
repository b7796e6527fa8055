#pragma once

#include "platform/desktop/globalhotkey.h"

// The mechanisms a Unix desktop may offer; each gives nothing where its desktop is not there.
namespace platform {

std::unique_ptr<GlobalHotkey::Mechanism> x11HotkeyMechanism(GlobalHotkey &owner);
std::unique_ptr<GlobalHotkey::Mechanism> portalHotkeyMechanism(GlobalHotkey &owner,
                                                               const QString &id,
                                                               const QString &description);

} // namespace platform
