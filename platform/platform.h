#pragma once

#include "platform/autostart.h"
#include "platform/filedialog.h"
#include "platform/messageboxes.h"
#include "platform/processes.h"
#include "platform/registry.h"

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
