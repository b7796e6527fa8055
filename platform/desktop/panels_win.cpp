#include "platform/desktop/panels.h"

namespace platform {

// Windows' work area always leaves out the taskbar.
std::optional<QRect> panelUnderPointer()
{
    return std::nullopt;
}

} // namespace platform
