#pragma once

#include "catalogue/catalogue.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <span>

// Finding entries by what a user types, the way a Japanese user expects: ﾒﾓ帳 is found by
// ﾒﾓ, メモ, めも, memo or ＭＥＭＯ, and 電卓, given its reading デンタク, by でんたく or dentaku.
namespace search {

// The name as menus show it: a single "&" marks the access key and is dropped, "&&" is "&".
QString withoutAccessKey(const QString &name);

// The form every comparison is made in: width and compatibility folded (NFKC), case folded,
// katakana as hiragana. Names are compared without their access-key "&".
QString folded(const QString &text);

// How an entry matched, best first.
enum class MatchKind { ExactName, NamePrefix, WordStart, Substring, Reading, ProgramOrCategory };

// A query: its words, folded, each with whether it may be a romaji reading (ASCII letters
// only, or with the long-vowel dash and the n-apostrophe). Spaces of any width part words.
struct Query
{
    struct Word
    {
        QString text;
        bool romaji = false;
        // Latin letters after kana at the word's end, as an input method shows romaji it has
        // not made kana yet (でｎ): they begin the next kana, so でn finds でんたく.
        qsizetype romajiTail = 0;

        QStringView head() const { return QStringView(text).chopped(romajiTail); }
        QStringView tail() const { return QStringView(text).right(romajiTail); }
    };

    explicit Query(const QString &typed);
    bool isEmpty() const { return words.isEmpty(); }

    QList<Word> words;
};

class EntryKeys;

// One entry's texts, prepared once so that each keystroke only compares.
class EntryKey
{
public:
    // nameReadings, categoryReadings: how the names are read where they hold kanji, in kana.
    EntryKey(const QString &name, const QString &program, const QString &categoryName,
             const QStringList &nameReadings = {}, const QStringList &categoryReadings = {});

    // Every word of the query must match the name, its reading, the program or the category;
    // the entry matches as well as its worst word does.
    std::optional<MatchKind> match(const Query &query) const;

private:
    friend class EntryKeys;
    EntryKey() = default;
    void prepare(EntryKeys &shared, const QString &name, const QString &program,
                 const QString &categoryName, const QStringList &nameReadings,
                 const QStringList &categoryReadings);

    // What may be typed at each position of a folded text of n characters, in one array of
    // 16-bit numbers (four bytes a letter less than two arrays of 32-bit ones, for thousands of
    // names): first where the spellings of each position begin (n + 1 places, the first of them
    // therefore n + 1), then the spellings, each a spelling's number shifted left by two, or-ed
    // with how many characters it reaches (1 or 2). A text too long for that is read as far as
    // it fits: tens of thousands of letters, more than anyone types.
    using Reading = QList<quint16>;

    static Reading readingOf(const QString &foldedText);
    // Whether the query spells a run of the reading, from any position or only from one.
    static bool readingMatches(std::span<const quint16> reading, QStringView query,
                               qsizetype onlyFrom = -1);

    // A text as it is read: folded, and what may be typed for it.
    struct Spoken
    {
        QStringView text;
        std::span<const quint16> reading;
    };
    // A name as the search reads it, in one string: where its words start, then its forms (the
    // name itself, then its readings) one after another, each as its text's length, the text,
    // its reading's length and the reading; every number in two 16-bit halves. One allocation
    // a name, where strings and lists took six.
    class Forms
    {
    public:
        Forms() = default;
        // Of a name as given, access keys and all.
        Forms(const QString &name, const QStringList &readings);

        bool isWordStart(qsizetype at) const;
        qsizetype begin() const;
        Spoken first() const { return at(begin()).first; }
        // The form that begins at `from`, and where the next one begins (end() after the last).
        std::pair<Spoken, qsizetype> at(qsizetype from) const;
        qsizetype end() const { return m_packed.size(); }

    private:
        QString m_packed;
    };

    // Where, from `from` on, the word's head stands in the text with its romaji tail spelling
    // the start of what follows; -1 where it does not.
    static qsizetype findWord(const Spoken &form, const Query::Word &word, qsizetype from = 0);
    static bool anySpokenMatches(const Forms &forms, const Query::Word &word);

    std::optional<MatchKind> matchWord(const Query::Word &word) const;
    // The name is the query's words, blanks aside.
    bool isExactName(const Query &query) const;

    Forms m_nameSpoken; // the name itself, then its readings
    QString m_program;
    Forms m_categorySpoken; // the category's name itself, then its readings
};

// Makes the keys of many entries, which then share what they have alike instead of each holding
// its own copy: the forms of a name or a category (every application's 新しいウィンドウ, the
// category of 99 entries), a program's name.
class EntryKeys
{
public:
    EntryKey make(const QString &name, const QString &program, const QString &categoryName,
                  const QStringList &nameReadings = {}, const QStringList &categoryReadings = {});

private:
    friend class EntryKey;
    EntryKey::Forms formsOf(const QString &name, const QStringList &readings);
    QString programOf(const QString &program);

    QHash<std::pair<QString, QStringList>, EntryKey::Forms> m_forms;
    QHash<QString, QString> m_programs;
};

// How much an entry has been used: every use counts half as much for each half-life that has
// passed since, so uses are the sum over all uses, kept as that sum at the last one.
inline constexpr qint64 useHalfLife = 14 * 86400;
// The uses as they count at now; a last use in the future counts as made now.
double usesAt(double uses, qint64 lastUsed, qint64 now);

// An entry as the search sees it, with how much it has been used.
struct Candidate
{
    int category = 0;
    int index = 0;
    const EntryKey *key = nullptr;
    double uses = 0;     // as they counted at the last use
    qint64 lastUsed = 0; // seconds since the epoch; 0 for never
};

struct Found
{
    int category;
    int index;
    friend bool operator==(const Found &, const Found &) = default;
};

// The candidates (given in menu order) that match, best first: by how they matched (an exact
// name before all others, whatever their use), then their uses as they count now, then menu
// order. An empty query gives every entry, the most recently used first and then the rest in
// menu order.
QList<Found> find(const QList<Candidate> &candidates, const Query &query, qint64 now);

// Every entry of the catalogue in menu order: the named categories, then the uncategorised.
QList<Found> menuOrder(const Catalogue &catalogue);

} // namespace search
