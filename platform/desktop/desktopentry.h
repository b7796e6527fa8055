#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// What the launcher takes from a desktop entry (.desktop file) of an application.
struct DesktopEntry
{
    QString name;     // the Japanese name where there is one: Name[ja_JP], Name[ja], else Name
    QStringList exec; // Exec split into arguments, unquoted, field codes (%f, %U, …) removed
    QString path;     // the working folder, Path
    QString icon;     // an icon name of the theme, or a file
};

// Nothing for a file that cannot be read, is far too large, or is no usable application
// entry: no [Desktop Entry] group, Hidden=true, or an Exec that is missing or cannot be split.
std::optional<DesktopEntry> readDesktopEntry(const QString &path);
std::optional<DesktopEntry> parseDesktopEntry(const QByteArray &text);

// Splits an Exec value by freedesktop.org's quoting rules for it; nothing when a quote is
// left open or only field codes remain.
std::optional<QStringList> splitExec(const QString &exec);

} // namespace platform
