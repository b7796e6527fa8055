#include "shell/cataloguelocation.h"

#include "application.h"
#include "catalogue/cataloguefile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString userCatalogueFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("quorvel"));
}

} // namespace

QString catalogueFolder(const QString &executablePath)
{
    const QDir programFolder = QFileInfo(executablePath).dir();
    const bool installed = QFileInfo::exists(
        programFolder.filePath(QString::fromLatin1(quorvel::DesktopEntryFromProgram)));
    if (!installed && (QFileInfo::exists(CatalogueFile(programFolder.path()).path()) ||
                       QFileInfo(programFolder.path()).isWritable()))
        return programFolder.path();
    return userCatalogueFolder();
}

QString readingsCacheFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("quorvel/readings.json"));
}
