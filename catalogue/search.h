#pragma once

#include "catalogue/catalogue.h"

#include <QList>
#include <QString>
#include <optional>

// Finding entries by what a user types, the way a Japanese user expects: ﾒﾓ帳 is found by
// ﾒﾓ, メモ, めも, memo or ＭＥＭＯ.
namespace search {

// The name as menus show it: a single "&" marks the access key and is dropped, "&&" is "&".
QString withoutAccessKey(const QString &name);

// The form every comparison is made in: width and compatibility folded (NFKC), case folded,
// katakana as hiragana. Names are compared without their access-key "&".
QString folded(const QString &text);

// How an entry matched, best first.
enum class MatchKind { NamePrefix, WordStart, Substring, Romaji, ProgramOrCategory };

// One entry's texts, prepared once so that each keystroke only compares.
class EntryKey
{
public:
    EntryKey(const QString &name, const QString &program, const QString &categoryName);

    std::optional<MatchKind> match(const QString &foldedQuery, bool romajiQuery) const;

private:
    // What may be typed at each position of a folded text: the spellings of position i are
    // spellings[starts[i]] up to spellings[starts[i + 1]], each a spelling's number shifted
    // left by two, or-ed with how many characters it reaches (1 or 2).
    struct Reading
    {
        QList<quint32> spellings;
        QList<int> starts;
    };

    static Reading readingOf(const QString &foldedText);
    static bool readingMatches(const Reading &reading, const QString &query);

    QString m_name;
    QList<int> m_wordStarts;
    Reading m_nameReading;
    QString m_program;
    QString m_category;
    Reading m_categoryReading;
};

// A query: the folded text, and whether it may be a romaji reading (ASCII letters only, or
// with the long-vowel dash and the n-apostrophe).
struct Query
{
    explicit Query(const QString &typed);
    bool isEmpty() const { return text.isEmpty(); }

    QString text;
    bool romaji = false;
};

// An entry as the search sees it, with how much it has been used.
struct Candidate
{
    int category = 0;
    int index = 0;
    const EntryKey *key = nullptr;
    int uses = 0;
    qint64 lastUsed = 0; // seconds since the epoch; 0 for never
};

struct Found
{
    int category;
    int index;
    friend bool operator==(const Found &, const Found &) = default;
};

// The candidates (given in menu order) that match, best first: by how they matched, then
// recent and frequent use, then menu order. An empty query gives every entry, the most
// recently used first and then the rest in menu order.
QList<Found> find(const QList<Candidate> &candidates, const Query &query, qint64 now);

// Every entry of the catalogue in menu order: the named categories, then the uncategorised.
QList<Found> menuOrder(const Catalogue &catalogue);

} // namespace search
