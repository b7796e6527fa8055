#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

struct CommandLine
{
    QString program; // the resolved executable file
    QStringList arguments;
};

// Splits an unquoted command line as the Windows program loader would: the whole text when it
// names an executable file (so paths with blanks work); otherwise the shortest prefix ending
// before a blank that names one, the rest split on blanks. A word without a separator is
// looked up on PATH. Relative paths count from the given folder, by default the current one.
std::optional<CommandLine> splitCommandLine(const QString &text, const QString &folder = {});

} // namespace platform
