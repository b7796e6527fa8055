#include "platform/platform.h"
#include "shell/trayapplication.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // A tray program: closing a message box or the settings window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // Everything the user reads is Japanese, the file dialog's and text fields' own texts too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    platform::QtMessageBoxes messages;
    platform::SystemProcesses processes;
    platform::QtFileDialog fileDialog;
    platform::SystemRegistry registry;
    platform::Platform platform{messages, processes, fileDialog, registry};

    // The catalogue lives beside the executable itself, links resolved.
    const QString executable =
        QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    TrayApplication launcher(executable, platform);
    QObject::connect(&launcher, &TrayApplication::ended, &app, &QCoreApplication::quit);

    switch (launcher.Form_Load()) {
    case TrayApplication::StartResult::AlreadyRunning:
        return 0;
    case TrayApplication::StartResult::Failed:
        return 1;
    case TrayApplication::StartResult::Running:
        break;
    }
    return app.exec();
}
