#include "platform/desktop/display.h"

#include <QApplication>
#include <QList>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace platform {
namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

QList<HeldMessage> heldMessages;
QByteArray noDisplayLine;

// While the display is being opened, Qt's messages wait; a fatal one means there is none.
void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fputs(noDisplayLine.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.append(
        {type, context.file, context.function, context.category, context.line, text});
}

bool displayNamed()
{
#ifdef Q_OS_UNIX
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

std::unique_ptr<QApplication> createApplicationOrExit(int &argc, char **argv,
                                                      const QString &noDisplay)
{
    noDisplayLine = noDisplay.toLocal8Bit() + '\n';
    if (!displayNamed()) {
        std::fputs(noDisplayLine.constData(), stderr);
        std::exit(1);
    }
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &held : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(held.file.constData(), held.line,
                                         held.function.constData(), held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    return application;
}

namespace {
bool onWayland()
{
    return QGuiApplication::platformName().startsWith(u"wayland");
}
} // namespace

bool canPlaceMenus()
{
    return !onWayland();
}

QByteArray startActivationToken()
{
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

void bringToFront(QWidget *window, const QByteArray &activationToken)
{
    if (onWayland()) {
        // Qt's Wayland support activates with the token in this variable, and removes it once used.
        if (!activationToken.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", activationToken);
        // A compositor may only mark an open window urgent when it asks for the focus (sway does,
        // token or not), but focuses a window as it appears: an open one behind others is shown
        // anew. Not while a dialog of ours is open over it (modal, or one that disables it),
        // which would lose its parent.
        if (window->isVisible() && window->isEnabled() && !window->isActiveWindow() &&
            !QApplication::activeModalWidget())
            window->hide();
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace platform
