#include "platform/desktop/startupids.h"

namespace platform {

// Windows lets the program started by the foreground process take the foreground itself.
class StartupIds::InputTimes
{
};

StartupIds::StartupIds() = default;
StartupIds::~StartupIds() = default;

QByteArray StartupIds::next()
{
    return {};
}

} // namespace platform
