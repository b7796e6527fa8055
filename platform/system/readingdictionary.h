#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

// How Japanese text is read, from MeCab and its IPA dictionary where they are installed. The
// library is loaded and the dictionary opened by the constructor and both are let go by the
// destructor: open one only for a batch of texts, never at rest.
class ReadingDictionary
{
public:
    // dictionaryFolder: a MeCab dictionary compiled for UTF-8; empty for the installed one.
    explicit ReadingDictionary(const QString &dictionaryFolder = {});
    ~ReadingDictionary();
    ReadingDictionary(const ReadingDictionary &) = delete;
    ReadingDictionary &operator=(const ReadingDictionary &) = delete;

    // False where the library or a UTF-8 dictionary is missing or cannot be read.
    bool isOpen() const;

    // The text in katakana, word by word, each word as the dictionary reads it and a word it
    // does not know as written; and, where it differs, as it is pronounced (トウキョウ,
    // トーキョー). Empty when nothing in the text has a reading, or the dictionary is not open.
    QStringList readingsOf(const QString &text);

private:
    struct MeCab;
    std::unique_ptr<MeCab> m_mecab;
};

} // namespace platform
