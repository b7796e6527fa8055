#include "platform/commandline.h"
#include "platform/processes.h"

#include <QDir>
#include <QProcess>

namespace platform {

bool SystemProcesses::setCurrentFolder(const QString &path)
{
    return QDir::setCurrent(path);
}

bool SystemProcesses::startProgram(const QString &commandLine)
{
    const auto command = splitCommandLine(commandLine);
    if (!command)
        return false;
    // Detached: the launcher never waits, and the child is reparented so no zombie remains.
    return QProcess::startDetached(command->program, command->arguments, QDir::currentPath());
}

} // namespace platform
