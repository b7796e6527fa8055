#pragma once

struct Entry;

namespace platform {
class MessageBoxes;
class Processes;
} // namespace platform

// Makes the entry's working folder current (it stays so) and starts its program; any failure
// is reported naming the program path. True when the program started.
bool launchEntry(const Entry &entry, platform::Processes &processes,
                 platform::MessageBoxes &messages);
