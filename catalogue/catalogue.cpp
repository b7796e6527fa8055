#include "catalogue/catalogue.h"

#include "platform/codec.h"

#include <utility>

namespace {
const Entry emptyEntry;
const QString emptyText;
} // namespace

QString Catalogue::defaultCategoryName(int c)
{
    return QStringLiteral("項目") + QString::number(c);
}

std::optional<QByteArray> Catalogue::storedBytes(const QString &text)
{
    for (const QChar ch : text) {
        if (ch == u'"' || ch.category() == QChar::Other_Control)
            return std::nullopt;
    }
    // Decoding what was encoded must give the text back, or the next start would read
    // something else than the user typed.
    auto bytes = platform::encodeCp932(text);
    if (!bytes || platform::decodeCp932(*bytes) != text)
        return std::nullopt;
    return bytes;
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

bool Catalogue::append(int c, const Entry &entry)
{
    if (!isCategory(c) || isFull(c))
        return false;
    m_categories[c].Entries[++m_entryCount[c]] = entry;
    return true;
}

bool Catalogue::replace(int c, int k, const Entry &entry)
{
    if (!isValidEntry(c, k))
        return false;
    m_categories[c].Entries[k] = entry;
    return true;
}

bool Catalogue::remove(int c, int k)
{
    if (!isValidEntry(c, k))
        return false;
    auto &entries = m_categories[c].Entries;
    const int n = m_entryCount[c];
    for (int i = k; i < n; ++i)
        entries[i] = std::move(entries[i + 1]);
    entries[n] = Entry();
    --m_entryCount[c];
    return true;
}

bool Catalogue::swap(int c, int k, int q)
{
    if (!isValidEntry(c, k) || !isValidEntry(c, q))
        return false;
    std::swap(m_categories[c].Entries[k], m_categories[c].Entries[q]);
    return true;
}

bool Catalogue::rename(int c, const QString &name)
{
    // Category 0 has no name of its own.
    if (!isCategory(c) || c == 0)
        return false;
    m_categories[c].CategoryName = name;
    return true;
}
