#include "platform/tray/trayicon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <cstdio>

namespace platform {

TrayIcon::TrayIcon(QMenu *menu, const QString &title, const QString &noTrayMessage, QObject *parent)
    : QObject(parent), m_menu(menu), m_title(title), m_noTrayMessage(noTrayMessage)
{
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    if (m_xembed)
        m_xembed->setIcon(icon);
    showOnItem();
}

void TrayIcon::setToolTip(const QString &text)
{
    m_toolTip = text;
    if (m_xembed)
        m_xembed->setToolTip(text);
    showOnItem();
}

void TrayIcon::show()
{
    m_shown = true;
    watchForWatcher();
    askForHost([this](bool present) {
        if (!m_shown)
            return;
        if (present)
            useStatusNotifier();
        else
            useXEmbed();
    });
}

void TrayIcon::hide()
{
    m_shown = false;
    dropStatusNotifier();
    if (m_xembed)
        m_xembed->hide();
}

bool TrayIcon::onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void TrayIcon::useXEmbed()
{
    // Wayland has no XEmbed tray: the icon waits for a StatusNotifier host.
    if (onWayland()) {
        sayNoTray();
        return;
    }
    // Made only while no watcher is on the bus: Qt decides once, when its first tray icon is
    // made, whether it is a StatusNotifier item of its own.
    if (!m_xembed) {
        m_xembed = std::make_unique<QSystemTrayIcon>(m_icon);
        m_xembed->setToolTip(m_toolTip);
        // A right click shows the menu by itself; a left click pops it up at the pointer.
        // A middle click is passed on.
        m_xembed->setContextMenu(m_menu);
        connect(m_xembed.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        emit menuRequested(QCursor::pos());
                    else if (reason == QSystemTrayIcon::MiddleClick)
                        emit secondaryActivated({});
                });
    }
    m_xembed->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        sayNoTray();
}

void TrayIcon::sayNoTray()
{
    if (m_toldNoTray)
        return;
    std::fputs(m_noTrayMessage.toLocal8Bit().constData(), stderr);
    m_toldNoTray = true;
}

} // namespace platform
