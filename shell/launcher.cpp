#include "shell/launcher.h"

#include "catalogue/catalogue.h"
#include "platform/desktop/messageboxes.h"
#include "platform/system/processes.h"
#include "texts.h"

bool launchEntry(const Entry &entry, platform::Processes &processes,
                 platform::MessageBoxes &messages)
{
    const bool folderReady =
        entry.WorkFolder.isEmpty() || processes.setCurrentFolder(entry.WorkFolder);
    const bool started = folderReady && processes.startProgram(entry.ProgramPath);
    if (!started)
        messages.show(texts::launchError(entry.ProgramPath), texts::launchErrorTitle);
    return started;
}
