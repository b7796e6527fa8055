#pragma once

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

class Catalogue
{
public:
    static constexpr int CategoryCount = 8;
    static constexpr int MaxEntries = 99;

    static bool isCategory(int c) { return c >= 0 && c < CategoryCount; }
    static QString defaultCategoryName(int c);

    // Every text the file can hold passes; a text that would break the file or come back
    // changed does not: a double quote, a control character, a character that code page 932
    // lacks or maps to another one. Texts reach the catalogue only through this check, or
    // decoded from the file itself.
    static bool isStorableText(const QString &text);
    // The part of that check which a text decoded from the file still needs: no character
    // that would end its field or its line.
    static bool fitsInField(QStringView text);

    const QString &CategoryName(int c) const;
    qint16 EntryCount(int c) const;
    bool isFull(int c) const { return EntryCount(c) >= MaxEntries; }
    bool isValidEntry(int c, int k) const { return isCategory(c) && k >= 1 && k <= EntryCount(c); }

    // Position 0, and any position outside the category, reads as an empty entry.
    const Entry &entry(int c, int k) const;

    // The only ways the catalogue changes. Each returns false, changing nothing, when the
    // indexes are outside the category or (append) the category is full.
    bool append(int c, const Entry &entry);
    bool replace(int c, int k, const Entry &entry);
    bool remove(int c, int k);
    bool swap(int c, int k, int q);
    bool rename(int c, const QString &name);

    qint16 CurrentCategory = 0;

private:
    std::array<Category, CategoryCount> m_categories;
    std::array<qint16, CategoryCount> m_entryCount{};
};
