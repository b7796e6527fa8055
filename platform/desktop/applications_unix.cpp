#include "platform/desktop/applications.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QStringList applicationFolders()
{
    const auto environment = [](const char *name, const QString &otherwise) {
        const QString value = qEnvironmentVariable(name);
        return value.isEmpty() ? otherwise : value;
    };
    QStringList data{
        environment("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"))};
    data += environment("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))
                .split(u':', Qt::SkipEmptyParts);
    // A session started without Flatpak's or Snap's profile scripts still has their apps.
    data += {QDir::homePath() + QStringLiteral("/.local/share/flatpak/exports/share"),
             QStringLiteral("/var/lib/flatpak/exports/share")};
    QStringList folders;
    for (const QString &folder : data)
        folders.append(QDir::cleanPath(folder + QStringLiteral("/applications")));
    folders.append(QStringLiteral("/var/lib/snapd/desktop/applications"));
    folders.removeDuplicates();
    return folders;
}

QStringList currentDesktops()
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
}

} // namespace platform
