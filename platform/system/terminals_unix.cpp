#include "platform/system/terminals.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <array>

namespace platform {
namespace {

struct KnownTerminal
{
    QLatin1StringView name;
    QStringList before;
};

// Each takes what follows these words as the program and its arguments, word by word; with a
// single word that is an executable file they run it, never a shell. lxterminal is missing:
// it joins what follows -e into one line and splits it again.
const std::array knownTerminals{
    KnownTerminal{QLatin1StringView("x-terminal-emulator"), {QStringLiteral("-e")}},
    KnownTerminal{QLatin1StringView("gnome-terminal"), {QStringLiteral("--")}},
    KnownTerminal{QLatin1StringView("konsole"), {QStringLiteral("-e")}},
    KnownTerminal{QLatin1StringView("xfce4-terminal"), {QStringLiteral("-x")}},
    KnownTerminal{QLatin1StringView("mate-terminal"), {QStringLiteral("-x")}},
    KnownTerminal{QLatin1StringView("qterminal"), {QStringLiteral("-e")}},
    KnownTerminal{QLatin1StringView("alacritty"), {QStringLiteral("-e")}},
    KnownTerminal{QLatin1StringView("kitty"), {QStringLiteral("--")}},
    KnownTerminal{QLatin1StringView("foot"), {QStringLiteral("--")}},
    KnownTerminal{QLatin1StringView("urxvt"), {QStringLiteral("-e")}},
    KnownTerminal{QLatin1StringView("xterm"), {QStringLiteral("-e")}},
};

// The terminal each desktop installs, tried before the others there.
constexpr std::array<std::pair<QLatin1StringView, QLatin1StringView>, 5> desktopTerminals{{
    {QLatin1StringView("GNOME"), QLatin1StringView("gnome-terminal")},
    {QLatin1StringView("KDE"), QLatin1StringView("konsole")},
    {QLatin1StringView("XFCE"), QLatin1StringView("xfce4-terminal")},
    {QLatin1StringView("MATE"), QLatin1StringView("mate-terminal")},
    {QLatin1StringView("LXQt"), QLatin1StringView("qterminal")},
}};

const KnownTerminal *knownByName(const QString &program)
{
    const QString name = QFileInfo(program).fileName();
    for (const KnownTerminal &terminal : knownTerminals) {
        if (terminal.name == name)
            return &terminal;
    }
    return nullptr;
}

// A program name looked up on PATH, or a path; never a line to split.
QString executable(const QString &program)
{
    if (program.isEmpty())
        return {};
    if (!program.contains(u'/'))
        return QStandardPaths::findExecutable(program);
    const QFileInfo info(QDir::current(), program);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

// What a terminal's own splitting or a shell could take apart or expand; no installed program's
// path has any of it.
bool plain(const QString &path)
{
    static const QString special = QStringLiteral(" \t\n\"'\\$`;&|<>()*?[]{}!#~");
    return std::none_of(path.begin(), path.end(), [](QChar ch) { return special.contains(ch); });
}

std::optional<Terminal> installed(const QString &name)
{
    const KnownTerminal *known = knownByName(name);
    const QString program = known ? executable(name) : QString();
    if (program.isEmpty())
        return std::nullopt;
    return Terminal{program, known->before};
}

} // namespace

std::optional<Terminal> findTerminal()
{
    const QString chosen = qEnvironmentVariable("TERMINAL");
    if (QFileInfo(chosen).isAbsolute() || !chosen.contains(u'/')) {
        if (const auto terminal = installed(chosen))
            return terminal;
    }
    QStringList names{QStringLiteral("x-terminal-emulator")};
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    for (const auto &[desktop, terminal] : desktopTerminals) {
        if (desktops.contains(desktop))
            names.append(QString(terminal));
    }
    for (const KnownTerminal &terminal : knownTerminals)
        names.append(QString(terminal.name));
    for (const QString &name : names) {
        if (const auto terminal = installed(name))
            return terminal;
    }
    return std::nullopt;
}

QStringList terminalCommand()
{
    const auto terminal = findTerminal();
    return terminal ? QStringList{terminal->program} + terminal->before : QStringList();
}

std::optional<QStringList> withProgramResolved(const QString &terminal,
                                               const QStringList &arguments)
{
    const KnownTerminal *known = knownByName(terminal);
    if (!known)
        return arguments;
    const QStringList &before = known->before;
    for (qsizetype at = 0; at + before.size() < arguments.size(); ++at) {
        if (arguments.mid(at, before.size()) != before)
            continue;
        const qsizetype programAt = at + before.size();
        const QString program = executable(arguments.at(programAt));
        if (program.isEmpty() || !plain(program))
            return std::nullopt;
        QStringList resolved = arguments;
        resolved[programAt] = program;
        return resolved;
    }
    return arguments;
}

} // namespace platform
