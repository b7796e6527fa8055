#include "platform/system/commandline.h"
#include "platform/system/processes.h"
#include "platform/system/terminals.h"
#include "platform/system/webaddress.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {

// Detached: the launcher never waits, and the child is reparented so no zombie remains. The
// child never takes the token this program was started with: it was meant for the launcher's
// own window, and a desktop accepts each token once. It gets one of its own where there is one.
bool startDetached(const QString &program, const QStringList &arguments,
                   const QByteArray &startupId)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    if (!startupId.isEmpty())
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), QString::fromLatin1(startupId));
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::currentPath());
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

} // namespace

bool SystemProcesses::setCurrentFolder(const QString &path)
{
    return QDir::setCurrent(path);
}

bool SystemProcesses::startProgram(const QString &commandLine)
{
    const QByteArray startupId = m_startupId ? m_startupId() : QByteArray();
    if (const auto command = splitCommandLine(commandLine)) {
        // A program to run in a terminal must be found before the terminal is asked.
        const auto arguments = withProgramResolved(command->program, command->arguments);
        return arguments && startDetached(command->program, *arguments, startupId);
    }
    if (!isWebAddress(commandLine) && !QFileInfo::exists(commandLine))
        return false;
    // The desktop's own opener knows the user's default application for each kind of file.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    const QString target =
        isWebAddress(commandLine) ? commandLine : QFileInfo(commandLine).absoluteFilePath();
    return !opener.isEmpty() && startDetached(opener, {target}, startupId);
}

} // namespace platform
