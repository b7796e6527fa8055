#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace platform {
namespace {

// "launch.cfg" → "launch.cfg.saving-" and six letters or digits: a name no user picks.
const QLatin1String temporaryInfix(".saving-");
constexpr int temporaryRandomLength = 6;

} // namespace

QString temporaryNameFor(const QString &path)
{
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < temporaryRandomLength; ++i)
        suffix +=
            QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet) - 1)]);
    return path + temporaryInfix + suffix;
}

bool isTemporaryNameOf(const QString &candidate, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    static const QRegularExpression random(
        QStringLiteral("^[A-Za-z0-9]{%1}$").arg(temporaryRandomLength));
    return candidate.size() == name.size() + temporaryInfix.size() + temporaryRandomLength &&
           candidate.startsWith(name + temporaryInfix) &&
           random.match(candidate.right(temporaryRandomLength)).hasMatch();
}

void removeLeftoversOf(const QString &path)
{
    const QFileInfo file(path);
    QDir folder = file.dir();
    const QString pattern = file.fileName() + temporaryInfix + u'*';
    for (const QFileInfo &entry : folder.entryInfoList({pattern}, QDir::Files | QDir::Hidden)) {
        if (!entry.isSymLink() && isTemporaryNameOf(entry.fileName(), path))
            folder.remove(entry.fileName());
    }
}

} // namespace platform
