#pragma once

#include <QByteArray>
#include <QStringList>
#include <variant>

// The command line, read before any window system is touched. --help and --version print and
// end; --search and --popup say what the launcher is to show; an unknown option or any
// argument ends with status 2 and starts nothing. Qt's own display and session options pass.
struct CommandLineVerdict
{
    int exitCode;
    QString text; // for stdout when the exit code is 0, for stderr otherwise
};

// What a start asks of the launcher, the one it starts or the one already running: a plain
// start shows the settings window to a running copy and only the icon at first start.
enum class StartRequest { Plain, Search, Popup };

// A verdict when the program is to end at once, otherwise what it is to do.
std::variant<CommandLineVerdict, StartRequest> readCommandLine(const QStringList &arguments);

// A request as it travels to the running copy, with the token this start was given to bring
// a window to the front (empty where it was given none).
QByteArray encodeStartRequest(StartRequest request, const QByteArray &activationToken);
std::pair<StartRequest, QByteArray> decodeStartRequest(const QByteArray &message);
