#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// How Japanese text is read, from MeCab and its IPA dictionary where they are installed.
//
// Each text in katakana, word by word, each word as the dictionary reads it and a word it does
// not know as written; and, where it differs, as it is pronounced (トウキョウ, トーキョー). A text
// in which nothing has a reading has none. In the order of the texts; nothing where the library
// or a UTF-8 dictionary is missing or cannot be read. Blocks until all are read: call it off
// the user interface's thread. dictionaryFolder: a MeCab dictionary compiled for UTF-8; empty
// for the installed one.
//
// The dictionary is opened in a child process that ends when the texts are read: MeCab's library
// cannot be unloaded once loaded, so this process never loads it, and is no larger for having
// read names.
std::optional<QList<QStringList>> readJapanese(const QStringList &texts,
                                               const QString &dictionaryFolder = {});

} // namespace platform
