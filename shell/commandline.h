#pragma once

#include <QStringList>
#include <optional>

// The command line, read before any window system is touched. The launcher takes no arguments
// of its own: --help and --version print and end; an unknown option or any argument ends with
// status 2 and starts nothing. Qt's own display and session options pass.
struct CommandLineVerdict
{
    int exitCode;
    QString text; // for stdout when the exit code is 0, for stderr otherwise
};

// Nothing when the program is to start.
std::optional<CommandLineVerdict> readCommandLine(const QStringList &arguments);
