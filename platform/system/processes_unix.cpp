#include "platform/system/commandline.h"
#include "platform/system/processes.h"
#include "platform/system/webaddress.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

bool SystemProcesses::setCurrentFolder(const QString &path)
{
    return QDir::setCurrent(path);
}

bool SystemProcesses::startProgram(const QString &commandLine)
{
    // Detached: the launcher never waits, and the child is reparented so no zombie remains.
    if (const auto command = splitCommandLine(commandLine))
        return QProcess::startDetached(command->program, command->arguments, QDir::currentPath());
    if (!isWebAddress(commandLine) && !QFileInfo::exists(commandLine))
        return false;
    // The desktop's own opener knows the user's default application for each kind of file.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    const QString target =
        isWebAddress(commandLine) ? commandLine : QFileInfo(commandLine).absoluteFilePath();
    return !opener.isEmpty() && QProcess::startDetached(opener, {target}, QDir::currentPath());
}

} // namespace platform
