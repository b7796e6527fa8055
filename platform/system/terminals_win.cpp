#include "platform/system/terminals.h"

namespace platform {

// Windows' own console stays open after the program ends, as a terminal window does.
QStringList terminalCommand()
{
    return {QStringLiteral("cmd.exe"), QStringLiteral("/k")};
}

} // namespace platform
