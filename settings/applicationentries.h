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

// Found by its name and its reading, its generic name and keywords, and its command.
search::EntryKey keyOf(const platform::Application &application, const ReadingsOf &readingsOf);

// The command lines the catalogue already starts: an application with one of them is listed.
QSet<QString> listedPrograms(const Catalogue &catalogue);
