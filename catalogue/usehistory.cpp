#include "catalogue/usehistory.h"

#include "catalogue/catalogue.h"
#include "platform/system/files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSet>
#include <algorithm>

namespace {
const QByteArray header = QByteArrayLiteral("quorvel uses 1");
// Far more than a full catalogue's 792 entries and the installed applications need; anything
// larger is not this file.
constexpr qint64 maxBytes = 256 * 1024;
constexpr int maxCount = 1'000'000;
} // namespace

UseHistory::UseHistory(const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("quorvel-uses.txt")))
{
}

QByteArray UseHistory::keyOf(const Entry &entry)
{
    // Hashed: the file holds no names or paths, and every line has the same length.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(entry.EntryName.toUtf8());
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(entry.ProgramPath.toUtf8());
    return hash.result().toHex();
}

void UseHistory::load()
{
    m_loaded = true;
    platform::removeLeftoversOf(m_path);
    const auto bytes = platform::readRegularFile(m_path, maxBytes);
    if (!bytes)
        return;
    const QList<QByteArray> lines = bytes->split('\n');
    if (lines.first().trimmed() != header)
        return;
    // A damaged line is passed over; the next write leaves it out.
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() != 3 || fields.at(0).size() != 40)
            continue;
        bool countRead = false, timeRead = false;
        const int count = fields.at(1).toInt(&countRead);
        const qint64 lastUsed = fields.at(2).toLongLong(&timeRead);
        if (countRead && timeRead && count > 0 && count <= maxCount && lastUsed >= 0)
            m_uses.insert(fields.at(0), {count, lastUsed});
    }
}

UseHistory::Use UseHistory::use(const Entry &entry)
{
    if (!m_loaded)
        load();
    return m_uses.value(keyOf(entry));
}

void UseHistory::recordLaunch(const Entry &entry, const Catalogue &catalogue, qint64 now,
                              const QList<Entry> &others)
{
    if (!m_loaded)
        load();
    Use &launched = m_uses[keyOf(entry)];
    launched.count = std::min(launched.count + 1, maxCount);
    launched.lastUsed = now;

    QSet<QByteArray> held;
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        for (int k = 1; k <= catalogue.EntryCount(c); ++k)
            held.insert(keyOf(catalogue.entry(c, k)));
    }
    for (const Entry &other : others)
        held.insert(keyOf(other));
    QByteArray bytes = header + '\n';
    for (auto it = m_uses.begin(); it != m_uses.end();) {
        if (!held.contains(it.key())) {
            it = m_uses.erase(it);
            continue;
        }
        bytes += it.key() + '\t' + QByteArray::number(it->count) + '\t' +
                 QByteArray::number(it->lastUsed) + '\n';
        ++it;
    }
    // Not written is not an error: the counts still hold for this run.
    (void)platform::replaceFile(m_path, bytes);
}
