#include "platform/system/foldertest.h"

#include "platform/system/paths.h"

#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

constexpr auto anyEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

qsizetype lastSeparator(const QString &text)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (isPathSeparator(text.at(i)))
            return i;
    }
    return -1;
}

} // namespace

bool passesFolderTest(const QString &text)
{
    if (text.isEmpty())
        return false;

    const qsizetype separator = lastSeparator(text);
    const QString folder = separator < 0 ? QStringLiteral(".") : text.left(separator + 1);
    const QString name = text.mid(separator + 1);

    if (name.contains(u'*') || name.contains(u'?')) {
        if (folder.contains(u'*') || folder.contains(u'?'))
            return false;
        return !QDir(folder).entryList({name}, anyEntry).isEmpty();
    }
    if (name.isEmpty())
        return QFileInfo(folder).isDir();
    return QFileInfo::exists(text);
}

} // namespace platform
