#pragma once

#include "platform/desktop/autostart.h"
#include "platform/desktop/filedialog.h"
#include "platform/desktop/messageboxes.h"
#include "platform/system/processes.h"
#include "platform/system/registry.h"

namespace platform {

// Everything the handlers do outside the program goes through these; tests hand in fakes.
struct Platform
{
    MessageBoxes &messages;
    Processes &processes;
    FileDialog &fileDialog;
    Registry &registry;
    Autostart &autostart;
};

} // namespace platform
