#include "catalogue/usehistory.h"

#include "catalogue/catalogue.h"
#include "catalogue/search.h"
#include "platform/system/files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
const QByteArray header = QByteArrayLiteral("quorvel uses 2");
// The file of earlier versions: a count of uses and the last one, not how they aged.
const QByteArray countsHeader = QByteArrayLiteral("quorvel uses 1");
// Far more than a full catalogue's 792 entries and the installed applications need; anything
// larger is not this file.
constexpr qint64 maxBytes = 256 * 1024;
// Lines of at most 74 bytes: what is written is always read back.
constexpr int maxKept = 3000;
constexpr double maxUses = 1'000'000;

// What daily use comes to: an old file's count stands for at most that, as no one knows how
// long ago its uses were made.
double dailyUses()
{
    return 1.0 / (1.0 - std::exp2(-86400.0 / double(search::useHalfLife)));
}
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
    const QByteArray first = lines.first().trimmed();
    if (first != header && first != countsHeader)
        return;
    for (const QByteArray &line : lines.mid(1))
        readLine(line, first == countsHeader);
}

// A damaged line is passed over; the next write leaves it out.
void UseHistory::readLine(const QByteArray &line, bool counts)
{
    const QList<QByteArray> fields = line.trimmed().split('\t');
    if (fields.size() != 3 || fields.at(0).size() != 40)
        return;
    bool usesRead = false, timeRead = false;
    double uses = counts ? fields.at(1).toInt(&usesRead) : fields.at(1).toDouble(&usesRead);
    const qint64 lastUsed = fields.at(2).toLongLong(&timeRead);
    if (!usesRead || !timeRead || !(uses > 0 && uses <= maxUses) || lastUsed < 0)
        return;
    if (counts)
        uses = std::min(uses, dailyUses());
    m_uses.insert(fields.at(0), {uses, lastUsed});
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
    const QByteArray key = keyOf(entry);
    Use &launched = m_uses[key];
    launched.uses = std::min(search::usesAt(launched.uses, launched.lastUsed, now) + 1, maxUses);
    launched.lastUsed = now;

    QSet<QByteArray> held;
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        for (int k = 1; k <= catalogue.EntryCount(c); ++k)
            held.insert(keyOf(catalogue.entry(c, k)));
    }
    for (const Entry &other : others)
        held.insert(keyOf(other));
    // Not written is not an error: the counts still hold for this run.
    (void)platform::replaceFile(m_path, written(held, key, now));
}

// Keeps the entries still held, as many as the file holds: the one just launched, then those
// whose uses count most. A last use dated after now (a clock set wrong) is taken as made now,
// and ages from here.
QByteArray UseHistory::written(const QSet<QByteArray> &held, const QByteArray &launched, qint64 now)
{
    std::vector<std::pair<double, QByteArray>> kept;
    for (auto it = m_uses.begin(); it != m_uses.end();) {
        it->lastUsed = std::min(it->lastUsed, now);
        const double counts = it.key() == launched ? std::numeric_limits<double>::infinity()
                                                   : search::usesAt(it->uses, it->lastUsed, now);
        if (!held.contains(it.key())) {
            it = m_uses.erase(it);
            continue;
        }
        kept.emplace_back(counts, it.key());
        ++it;
    }
    if (kept.size() > size_t(maxKept)) {
        std::nth_element(kept.begin(), kept.begin() + maxKept, kept.end(),
                         [](const auto &a, const auto &b) { return a.first > b.first; });
        for (auto dropped = kept.begin() + maxKept; dropped != kept.end(); ++dropped)
            m_uses.remove(dropped->second);
        kept.resize(size_t(maxKept));
    }
    QByteArray bytes = header + '\n';
    for (const auto &[counts, key] : kept) {
        const Use &use = m_uses.value(key);
        bytes += key + '\t' + QByteArray::number(use.uses, 'g', 6) + '\t' +
                 QByteArray::number(use.lastUsed) + '\n';
    }
    return bytes;
}
