#pragma once

#include <QString>

namespace platform {
class MessageBoxes;
class Processes;
class Registry;
} // namespace platform

// Reads one registry value as text: a string up to its first NUL, a number in decimal; any
// other type leaves KeyVal as it was. On failure KeyVal is emptied and false returned.
bool GetKeyValue(platform::Registry &registry, quint32 KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal);

// Starts the system-information tool the registry names, or says that none is available.
void StartSysInfo(platform::Registry &registry, platform::Processes &processes,
                  platform::MessageBoxes &messages);
