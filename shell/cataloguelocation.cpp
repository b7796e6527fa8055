#include "shell/cataloguelocation.h"

#include "application.h"
#include "catalogue/cataloguefile.h"

#include <QCryptographicHash>
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

QString readingsCacheFile(const QString &catalogueFile)
{
    const QByteArray where =
        QCryptographicHash::hash(QFileInfo(catalogueFile).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("quorvel/readings-%1").arg(QString::fromLatin1(where)));
}
