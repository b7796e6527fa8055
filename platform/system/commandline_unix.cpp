#include "platform/system/commandline.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

QString resolveExecutable(const QString &candidate, const QDir &folder)
{
    if (candidate.isEmpty())
        return {};
    if (!candidate.contains(u'/'))
        return QStandardPaths::findExecutable(candidate);
    const QFileInfo info(folder, candidate);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

} // namespace

std::optional<CommandLine> splitCommandLine(const QString &text, const QString &folder)
{
    const QDir base = folder.isEmpty() ? QDir::current() : QDir(folder);
    if (const QString whole = resolveExecutable(text, base); !whole.isEmpty())
        return CommandLine{whole, {}};

    for (qsizetype blank = text.indexOf(u' '); blank > 0; blank = text.indexOf(u' ', blank + 1)) {
        const QString program = resolveExecutable(text.left(blank), base);
        if (!program.isEmpty())
            return CommandLine{program, text.mid(blank + 1).split(u' ', Qt::SkipEmptyParts)};
    }
    return std::nullopt;
}

} // namespace platform
