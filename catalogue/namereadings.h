#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// How names written in kanji are read, so that 電卓 is found by でんたく or dentaku. Readings come
// from a dictionary that is slow to open, so they are kept in a cache file: a start opens the
// dictionary only when a name has not been read before.
namespace readings {

// Each name's readings in katakana; a name the dictionary could not read has none.
using NameReadings = QHash<QString, QStringList>;

// The largest cache file the reader takes, and so the most the writer writes.
constexpr qint64 maxCacheBytes = 4 * 1024 * 1024;

// Whether the dictionary has anything to add: the text holds a kanji.
bool needsReading(const QString &text);

// The readings of these names: from the cache where it knows them, and from the dictionary for
// the rest; then the cache holds just these names, in this order as far as maxCacheBytes
// allows. A cache that is missing, damaged, too large or cannot be written is rebuilt or passed
// over; without a dictionary the new names have no readings (and are asked again next time). Never
// fails and never asks the user; runs on any thread. dictionaryFolder: empty for the installed
// dictionary.
NameReadings readNames(const QStringList &names, const QString &cacheFile,
                       const QString &dictionaryFolder = {});

} // namespace readings
