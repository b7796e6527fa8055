#pragma once

#include <QRect>
#include <optional>

namespace platform {

// The panel (a dock window) under the pointer, in Qt's screen coordinates, on X11: for window
// managers that leave panels in the work area, so that a menu can still open beside one.
// Nothing elsewhere, or when the pointer is not over a panel.
std::optional<QRect> panelUnderPointer();

} // namespace platform
