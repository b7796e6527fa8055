#pragma once

#include "catalogue/search.h"
#include "platform/desktop/applications.h"

#include <QSet>
#include <functional>

class Catalogue;

// What the catalogue makes of an installed application, for every view that offers them.

// Reads a name written in kanji: the readings the search matches it by.
using ReadingsOf = std::function<QStringList(const QString &name)>;

// The application as an entry: its name, its command line and its working folder. Nothing when
// its command cannot be one command line.
std::optional<Entry> entryOf(const platform::Application &application);

// Found by its name and its reading, its generic name and keywords, and its command. Made by
// keys, shared with those it makes for the other applications.
search::EntryKey keyOf(const platform::Application &application, const ReadingsOf &readingsOf,
                       search::EntryKeys &keys);

// One of its actions as an entry of its own: named by the application and the action, its
// command line, the application's working folder.
std::optional<Entry> entryOf(const platform::Application &application,
                             const platform::DesktopAction &action);
// Found by the action's name and its reading, and by all the application is found by.
search::EntryKey keyOf(const platform::Application &application,
                       const platform::DesktopAction &action, const ReadingsOf &readingsOf,
                       search::EntryKeys &keys);
// What tells the rows apart in every view: the application's id, with its action's.
QString rowIdOf(const platform::Application &application,
                const platform::DesktopAction *action = nullptr);

// The command lines the catalogue already starts: an application with one of them is listed.
QSet<QString> listedPrograms(const Catalogue &catalogue);
