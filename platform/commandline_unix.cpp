#include "platform/commandline.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

QString resolveExecutable(const QString &candidate)
{
    if (candidate.isEmpty())
        return {};
    if (!candidate.contains(u'/'))
        return QStandardPaths::findExecutable(candidate);
    const QFileInfo info(QDir::current(), candidate);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

} // namespace

std::optional<CommandLine> splitCommandLine(const QString &text)
{
    if (const QString whole = resolveExecutable(text); !whole.isEmpty())
        return CommandLine{whole, {}};

    for (qsizetype blank = text.indexOf(u' '); blank > 0; blank = text.indexOf(u' ', blank + 1)) {
        const QString program = resolveExecutable(text.left(blank));
        if (!program.isEmpty())
            return CommandLine{program, text.mid(blank + 1).split(u' ', Qt::SkipEmptyParts)};
    }
    return std::nullopt;
}

} // namespace platform
