#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <array>

// The launcher's whole data: eight fixed categories of at most 99 entries each.
// Entries are numbered from 1 everywhere (file, list, menu); position 0 exists and stays empty.

struct Entry
{
    QString EntryName;
    QString ProgramPath;
    QString WorkFolder;

    friend bool operator==(const Entry &, const Entry &) = default;
};

struct Category
{
    QString CategoryName;
    std::array<Entry, 100> Entries;
};

struct CatalogueLine
{
    int category = 0;
    Entry entry;

    friend bool operator==(const CatalogueLine &, const CatalogueLine &) = default;
};

// A whole catalogue as a value: the names of categories 1 to 7 (names[0] unused) and every
// entry in menu order, category by category. What a file holds, and what replaces the model.
struct CatalogueContents
{
    std::array<QString, 8> names;
    QList<CatalogueLine> lines;

    friend bool operator==(const CatalogueContents &, const CatalogueContents &) = default;
};

// The model every view follows: each change it makes is announced once, after it is made;
// a refused change announces nothing.
class Catalogue : public QObject
{
    Q_OBJECT

public:
    static constexpr int CategoryCount = 8;
    static constexpr int MaxEntries = 99;
    // The order menus and lists show the categories in: the named ones, then the uncategorised.
    static constexpr std::array<int, CategoryCount> MenuOrder{1, 2, 3, 4, 5, 6, 7, 0};

    static bool isCategory(int c) { return c >= 0 && c < CategoryCount; }
    static QString defaultCategoryName(int c);
    // Categories 1 to 7 named "項目1" … "項目7", and no entries.
    static CatalogueContents defaultContents();

    // Every text the file can hold passes; a text that would break the file or come back
    // changed does not: a double quote, a control character, a character that code page 932
    // lacks or maps to another one. Texts reach the catalogue only through this check, or
    // decoded from the file itself.
    static bool isStorableText(const QString &text);
    // The part of that check which a text decoded from the file still needs: no character
    // that would end its field or its line.
    static bool fitsInField(QStringView text);

    explicit Catalogue(QObject *parent = nullptr) : QObject(parent) {}

    const QString &CategoryName(int c) const;
    qint16 EntryCount(int c) const;
    bool isFull(int c) const { return EntryCount(c) >= MaxEntries; }
    bool isValidEntry(int c, int k) const { return isCategory(c) && k >= 1 && k <= EntryCount(c); }

    // Position 0, and any position outside the category, reads as an empty entry.
    const Entry &entry(int c, int k) const;
    CatalogueContents contents() const;

    // The only ways the catalogue changes. Each returns false, changing nothing, when the
    // indexes are outside the category or (append) the category is full.
    [[nodiscard]] bool append(int c, const Entry &entry);
    [[nodiscard]] bool replace(int c, int k, const Entry &entry);
    [[nodiscard]] bool remove(int c, int k);
    [[nodiscard]] bool swap(int c, int k, int q);
    [[nodiscard]] bool rename(int c, const QString &name);
    // False for contents over the limits (a category or line number outside, a 100th entry).
    [[nodiscard]] bool replaceAll(const CatalogueContents &contents);

signals:
    // Before any change that is about to be made, the model still as it was.
    void aboutToChange();
    void entryAppended(int c); // the new entry is entry EntryCount(c)
    void entryChanged(int c, int k);
    void entryRemoved(int c, int k); // the entries after k moved one position down
    void entriesSwapped(int c, int k, int q);
    void categoryRenamed(int c);
    void replaced(); // anything may differ
    // After each of the above: for an observer that takes any change in the same way.
    void changed();

private:
    std::array<Category, CategoryCount> m_categories;
    std::array<qint16, CategoryCount> m_entryCount{};
};
