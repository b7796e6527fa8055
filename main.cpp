#include "application.h"
#include "platform/desktop/accessibilitystatus.h"
#include "platform/desktop/display.h"
#include "platform/desktop/startupids.h"
#include "platform/platform.h"
#include "platform/system/memory.h"
#include "shell/commandline.h"
#include "shell/trayapplication.h"
#include "texts.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

int main(int argc, char *argv[])
{
    // --help and --version work without a display, and nothing else ever starts a window.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto commandLine = readCommandLine(arguments);
    if (const auto *verdict = std::get_if<CommandLineVerdict>(&commandLine)) {
        std::fputs(verdict->text.toLocal8Bit().constData(),
                   verdict->exitCode == 0 ? stdout : stderr);
        return verdict->exitCode;
    }

    platform::shareOneHeap();
    const auto app = platform::createApplicationOrExit(argc, argv, texts::noDisplay);
    // Before any window: a screen reader the user turns on later finds the program.
    const platform::AccessibilityStatus accessibility;
    QApplication::setApplicationName(QString::fromLatin1(quorvel::ApplicationTitle));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quorvel::ApplicationId));
    // A tray program: closing a message box or the settings window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // Everything the user reads is Japanese, the file dialog's and text fields' own texts too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // Links resolved: where the executable really is decides where the catalogue is.
    const QString executable =
        QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    platform::QtMessageBoxes messages;
    platform::StartupIds startupIds;
    platform::SystemProcesses processes([&startupIds] { return startupIds.next(); });
    platform::QtFileDialog fileDialog;
    platform::SystemRegistry registry;
    platform::SystemAutostart autostart({executable, QString::fromLatin1(quorvel::ApplicationId),
                                         QString::fromLatin1(quorvel::ApplicationTitle)});
    platform::Platform platform{messages, processes, fileDialog, registry, autostart};
    TrayApplication launcher(executable, platform);
    QObject::connect(&launcher, &TrayApplication::ended, app.get(), &QCoreApplication::quit);

    switch (launcher.Form_Load(std::get<StartRequest>(commandLine))) {
    case TrayApplication::StartResult::AlreadyRunning:
        return 0;
    case TrayApplication::StartResult::Failed:
        return 1;
    case TrayApplication::StartResult::Running:
        break;
    }
    return app->exec();
}
