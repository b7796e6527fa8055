#include "platform/system/registry.h"

#include <QStandardPaths>
#include <QStringList>

namespace platform {

// There is no registry here. The one value the launcher asks for, the system-information
// tool's command line, names the first graphical system-information program installed.
std::optional<RegistryValue> SystemRegistry::queryValue(quint32 root, const QString &keyName,
                                                        const QString &valueName)
{
    if (root != HKEY_LOCAL_MACHINE_ROOT ||
        keyName != QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO") ||
        valueName != QLatin1String("PATH"))
        return std::nullopt;

    static const QStringList tools = {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
                                      QStringLiteral("gnome-system-monitor"),
                                      QStringLiteral("mate-system-monitor")};
    for (const QString &tool : tools) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty())
            return RegistryValue{RegistryString, path.toLocal8Bit()};
    }
    return std::nullopt;
}

} // namespace platform
