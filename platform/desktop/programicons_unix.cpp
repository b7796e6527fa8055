// Program icons on Linux and other XDG desktops: desktop entries, the icon theme, file types.
#include "platform/desktop/desktopentry.h"
#include "platform/desktop/programicons.h"
#include "platform/system/commandline.h"
#include "platform/system/webaddress.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace platform {

// The application folders, the user's own first; the first entry naming a program holds.
bool ProgramIcons::indexNextDesktopEntry()
{
    if (!m_entriesListed) {
        m_entriesListed = true;
        for (const QString &folder :
             QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
            // Compared by hand: a name filter compiles a regular expression.
            QDirIterator entries(folder, QDir::Files, QDirIterator::Subdirectories);
            while (entries.hasNext()) {
                const QString file = entries.next();
                if (file.endsWith(QLatin1String(".desktop")))
                    m_entryFiles.append(file);
            }
        }
        return true;
    }
    if (m_entryFiles.isEmpty())
        return false;
    const auto entry = readDesktopEntry(m_entryFiles.takeFirst());
    if (entry && !entry->icon.isEmpty()) {
        const QString program = entry->exec.first().contains(u'/')
                                    ? entry->exec.first()
                                    : QStandardPaths::findExecutable(entry->exec.first());
        const QString canonical = QFileInfo(program).canonicalFilePath();
        if (!canonical.isEmpty() && !m_entryIcons.contains(canonical))
            m_entryIcons.insert(canonical, entry->icon);
    }
    return true;
}

QIcon ProgramIcons::lookUp(const Request &request)
{
    const QString &text = request.text;
    if (isWebAddress(text)) {
        if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            return typeIcon(QStringLiteral("internet-mail"), QStringLiteral("text-x-generic"),
                            false);
        const QMimeType page = QMimeDatabase().mimeTypeForName(QStringLiteral("text/html"));
        return typeIcon(page.iconName(), page.genericIconName(), false);
    }
    if (const auto command = splitCommandLine(text, request.folder)) {
        const QString program = QFileInfo(command->program).canonicalFilePath();
        const QString entryIcon = m_entryIcons.value(program);
        if (!entryIcon.isEmpty()) {
            const QIcon icon = rendered(QStringLiteral("entry:") + entryIcon, [&] {
                return QFileInfo(entryIcon).isAbsolute() ? QIcon(entryIcon)
                                                         : QIcon::fromTheme(entryIcon);
            });
            if (!icon.isNull())
                return icon;
        }
        const QString name = QFileInfo(program).fileName();
        const QIcon named =
            rendered(QStringLiteral("theme:") + name, [&] { return QIcon::fromTheme(name); });
        return named.isNull() ? genericProgramIcon() : named;
    }
    const QDir folder(request.folder.isEmpty() ? QDir::currentPath() : request.folder);
    const QFileInfo target(folder, text);
    if (target.isDir())
        return typeIcon(QStringLiteral("folder"), QString(), true);
    if (target.exists()) {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(target);
        return typeIcon(type.iconName(), type.genericIconName(), false);
    }
    return genericProgramIcon();
}

} // namespace platform
