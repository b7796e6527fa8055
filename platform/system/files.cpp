#include "platform/system/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

namespace platform {
namespace {

// "launch.cfg" → "launch.cfg.saving-" and six letters or digits: a name no user picks.
const QLatin1String temporaryInfix(".saving-");
constexpr int temporaryRandomLength = 6;

} // namespace

QString detail::temporaryNameFor(const QString &path)
{
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < temporaryRandomLength; ++i)
        suffix +=
            QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet) - 1)]);
    return path + temporaryInfix + suffix;
}

namespace {
bool isTemporaryNameOf(const QString &candidate, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (candidate.size() != name.size() + temporaryInfix.size() + temporaryRandomLength ||
        !candidate.startsWith(name + temporaryInfix))
        return false;
    const QStringView random = QStringView(candidate).right(temporaryRandomLength);
    return std::all_of(random.begin(), random.end(),
                       [](QChar ch) { return ch.unicode() < 0x80 && ch.isLetterOrNumber(); });
}
} // namespace

void removeLeftoversOf(const QString &path)
{
    // Compared by hand: a name filter, even QDir's own "*", would compile a regular expression
    // at every start.
    QDir folder = QFileInfo(path).dir();
    QDirIterator entries(folder.path(), QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        if (!entry.isSymLink() && isTemporaryNameOf(entry.fileName(), path))
            folder.remove(entry.fileName());
    }
}

std::optional<QByteArray> detail::readAllWithin(qint64 expectedSize, qint64 maxBytes,
                                                const std::function<qint64(char *, qint64)> &read)
{
    // One byte more than expected, so that the end is found without growing the buffer.
    QByteArray bytes(qsizetype(expectedSize) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file grew while it was read: take the rest, within the limit.
            if (bytes.size() > maxBytes)
                return std::nullopt;
            bytes.resize(qMin<qint64>(maxBytes + 1, bytes.size() + 4096));
        }
        const qint64 got = read(bytes.data() + done, bytes.size() - done);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

} // namespace platform
