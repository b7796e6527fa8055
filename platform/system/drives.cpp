#include "platform/system/drives.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

QString driveOf(const QString &path, const QStringList &drives)
{
#ifdef Q_OS_WIN
    constexpr auto sensitivity = Qt::CaseInsensitive;
#else
    constexpr auto sensitivity = Qt::CaseSensitive;
#endif
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString best;
    qsizetype bestLength = -1;
    for (const QString &drive : drives) {
        const QString root = QDir::cleanPath(QDir::fromNativeSeparators(drive));
        const bool inside =
            absolute.compare(root, sensitivity) == 0 ||
            absolute.startsWith(root.endsWith(u'/') ? root : root + u'/', sensitivity);
        if (inside && root.size() > bestLength) {
            best = drive;
            bestLength = root.size();
        }
    }
    return best;
}

} // namespace platform
