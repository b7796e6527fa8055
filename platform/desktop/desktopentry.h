#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// One of an application's own actions ([Desktop Action id]): a window of its own kind, a new
// message, … Started in the application's working folder.
struct DesktopAction
{
    QString id;
    QString name;     // localised as the entry's
    QStringList exec; // split as the entry's Exec is
    QString icon;     // the action's own, else the application's
};

// What the launcher takes from a desktop entry (.desktop file) of an application. The texts are
// the Japanese ones where there are: Key[ja_JP], then Key[ja], then Key.
struct DesktopEntry
{
    QString name;
    QString genericName;
    QString comment;
    QStringList keywords;
    QStringList exec; // Exec split into arguments, unquoted, field codes (%f, %U, …) removed
    QString path;     // the working folder, Path
    QString icon;     // an icon name of the theme, or a file
    bool terminal = false;
    // What decides whether an application menu shows it.
    bool application = true; // Type=Application
    bool noDisplay = false;
    QStringList onlyShowIn;
    QStringList notShowIn;
    QString tryExec;
    // Those Actions= names that have a group with a name and a usable Exec, in its order.
    QList<DesktopAction> actions;
};

// Far more than any application offers; a file naming more has the first ones read.
constexpr int maxActionsPerEntry = 20;

// Nothing for a file that cannot be read, is far too large, is not UTF-8, or is no usable
// application entry: no [Desktop Entry] group, Hidden=true, or an Exec that is missing or
// cannot be split.
std::optional<DesktopEntry> readDesktopEntry(const QString &path);
std::optional<DesktopEntry> parseDesktopEntry(const QByteArray &text);

// Splits an Exec value by freedesktop.org's quoting rules for it; nothing when a quote is
// left open, the program itself is a field code, or only field codes remain.
std::optional<QStringList> splitExec(const QString &exec);

// The entry as one command line the launcher stores and starts: the program and its arguments
// joined by blanks, in the user's terminal for Terminal=true. Nothing when an argument holds
// a blank, which a command line cannot keep apart, or no terminal is found for it.
std::optional<QString> commandLineOf(const DesktopEntry &entry);
// The same for one of its actions, in the same terminal if the entry needs one.
std::optional<QString> commandLineOf(const DesktopEntry &entry, const DesktopAction &action);

} // namespace platform
