#include "catalogue/catalogue.h"

#include "platform/system/codec.h"

#include <algorithm>
#include <utility>

namespace {
const Entry emptyEntry;
const QString emptyText;
} // namespace

QString Catalogue::defaultCategoryName(int c)
{
    return QStringLiteral("項目") + QString::number(c);
}

CatalogueContents Catalogue::defaultContents()
{
    CatalogueContents contents;
    for (int i = 1; i < CategoryCount; ++i)
        contents.names[i] = defaultCategoryName(i);
    return contents;
}

bool Catalogue::fitsInField(QStringView text)
{
    // The double quote ends a field; C0, DEL and C1 controls would break the line.
    return std::none_of(text.utf16(), text.utf16() + text.size(), [](char16_t u) {
        return u < 0x20 || u == u'"' || char16_t(u - 0x7f) < 0x21;
    });
}

bool Catalogue::isStorableText(const QString &text)
{
    if (!fitsInField(text))
        return false;
    // Decoding what was encoded must give the text back, or the next start would read
    // something else than the user typed (¥ would come back as a backslash).
    const auto bytes = platform::encodeCp932(text);
    return bytes && platform::decodeCp932(*bytes) == text;
}

const QString &Catalogue::CategoryName(int c) const
{
    return isCategory(c) ? m_categories[c].CategoryName : emptyText;
}

qint16 Catalogue::EntryCount(int c) const
{
    return isCategory(c) ? m_entryCount[c] : 0;
}

const Entry &Catalogue::entry(int c, int k) const
{
    return isValidEntry(c, k) ? m_categories[c].Entries[k] : emptyEntry;
}

CatalogueContents Catalogue::contents() const
{
    CatalogueContents contents;
    for (int c = 0; c < CategoryCount; ++c) {
        contents.names[c] = m_categories[c].CategoryName;
        for (int k = 1; k <= m_entryCount[c]; ++k)
            contents.lines.append({c, m_categories[c].Entries[k]});
    }
    return contents;
}

bool Catalogue::append(int c, const Entry &entry)
{
    if (!isCategory(c) || isFull(c))
        return false;
    emit aboutToChange();
    m_categories[c].Entries[++m_entryCount[c]] = entry;
    emit entryAppended(c);
    emit changed();
    return true;
}

bool Catalogue::replace(int c, int k, const Entry &entry)
{
    if (!isValidEntry(c, k))
        return false;
    emit aboutToChange();
    m_categories[c].Entries[k] = entry;
    emit entryChanged(c, k);
    emit changed();
    return true;
}

bool Catalogue::remove(int c, int k)
{
    if (!isValidEntry(c, k))
        return false;
    emit aboutToChange();
    auto &entries = m_categories[c].Entries;
    const int n = m_entryCount[c];
    for (int i = k; i < n; ++i)
        entries[i] = std::move(entries[i + 1]);
    entries[n] = Entry();
    --m_entryCount[c];
    emit entryRemoved(c, k);
    emit changed();
    return true;
}

bool Catalogue::swap(int c, int k, int q)
{
    if (!isValidEntry(c, k) || !isValidEntry(c, q))
        return false;
    emit aboutToChange();
    std::swap(m_categories[c].Entries[k], m_categories[c].Entries[q]);
    emit entriesSwapped(c, k, q);
    emit changed();
    return true;
}

bool Catalogue::rename(int c, const QString &name)
{
    // Category 0 has no name of its own.
    if (!isCategory(c) || c == 0)
        return false;
    emit aboutToChange();
    m_categories[c].CategoryName = name;
    emit categoryRenamed(c);
    emit changed();
    return true;
}

bool Catalogue::replaceAll(const CatalogueContents &contents)
{
    std::array<qint16, CategoryCount> counts{};
    for (const CatalogueLine &line : contents.lines) {
        if (!isCategory(line.category) || ++counts[line.category] > MaxEntries)
            return false;
    }
    emit aboutToChange();
    for (int c = 0; c < CategoryCount; ++c) {
        // Category 0 has no name of its own; positions past the count are never read.
        m_categories[c].CategoryName = c == 0 ? QString() : contents.names[c];
        m_entryCount[c] = 0;
    }
    for (const CatalogueLine &line : contents.lines)
        m_categories[line.category].Entries[++m_entryCount[line.category]] = line.entry;
    emit replaced();
    emit changed();
    return true;
}
