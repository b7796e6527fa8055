// Program icons on Windows: the file's own icon.
#include "platform/desktop/programicons.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>

namespace platform {

bool ProgramIcons::indexNextDesktopEntry()
{
    return false;
}

QIcon ProgramIcons::lookUp(const Request &request)
{
    const QDir folder(request.folder.isEmpty() ? QDir::currentPath() : request.folder);
    // The program's own icon: the whole text, or the part up to ".exe" when arguments follow.
    QFileInfo target(folder, request.text);
    const qsizetype exe = request.text.indexOf(QLatin1String(".exe "), 0, Qt::CaseInsensitive);
    if (!target.exists() && exe > 0)
        target = QFileInfo(folder, request.text.left(exe + 4));
    if (!target.exists())
        return genericProgramIcon();
    return rendered(QStringLiteral("file:") + target.absoluteFilePath(),
                    [&] { return QFileIconProvider().icon(target); });
}

} // namespace platform
