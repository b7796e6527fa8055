#pragma once

#include <QString>

// Where the program keeps its catalogue, by a rule a user can predict:
// - an installed program (its desktop entry installed alongside it, as a package or
//   `cmake --install` puts it) keeps each user's catalogue in the user's configuration
//   folder, and never writes beside itself;
// - any other copy keeps launch.cfg beside itself when one is there, or when it may create one
//   there (a portable copy: copy the program into an empty folder to start a new catalogue);
// - a copy in a folder the user cannot write, with no launch.cfg beside it, uses the
//   configuration folder too.
// The configuration folder is $XDG_CONFIG_HOME/quorvel, by default ~/.config/quorvel (on
// Windows, in the local application data).
QString catalogueFolder(const QString &executablePath);

// What can be made again, kept out of the catalogue's folder: the readings of kanji names, in
// $XDG_CACHE_HOME/quorvel (by default ~/.cache/quorvel). One file for each catalogue, named
// after where it is: a portable copy and an installed one never rewrite, nor clean up after,
// each other's.
QString readingsCacheFile(const QString &catalogueFile);
