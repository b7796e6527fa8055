#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// The terminal a program is run in, resolved to its executable file, and the words it takes
// before that program and its arguments.
struct Terminal
{
    QString program;
    QStringList before;
};

// The user's terminal: $TERMINAL, then Debian's x-terminal-emulator, then the current desktop's
// own, then the others known here. $TERMINAL counts only as the name or absolute path of a
// terminal known here. Nothing when none is installed.
std::optional<Terminal> findTerminal();

// The words that run a program in the user's terminal, before the program's own; none when no
// terminal is found.
QStringList terminalCommand();

// The arguments of a known terminal with the program it is asked to run resolved to its
// absolute path, so that no terminal takes it for a shell command; the arguments as they are
// when the program started is no terminal known here or asks it to run nothing. Nothing when
// that program cannot be found.
std::optional<QStringList> withProgramResolved(const QString &terminal,
                                               const QStringList &arguments);

} // namespace platform
