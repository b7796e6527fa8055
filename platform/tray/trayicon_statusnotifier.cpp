// The tray icon's StatusNotifier half, for builds with D-Bus.
#include "platform/tray/statusnotifier/statusnotifieritem.h"
#include "platform/tray/trayicon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace platform {

bool TrayIcon::watcherPresent() const
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() &&
           bus.interface()->isServiceRegistered(QLatin1String(StatusNotifierItem::WatcherService));
}

void TrayIcon::watchForWatcher()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_watcher || !bus.isConnected())
        return;
    m_watcher = new QDBusServiceWatcher(QLatin1String(StatusNotifierItem::WatcherService), bus,
                                        QDBusServiceWatcher::WatchForRegistration |
                                            QDBusServiceWatcher::WatchForUnregistration,
                                        this);
    // A host that starts later, or starts again, gets the item; one that goes hands the icon
    // back to an XEmbed tray.
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (m_shown)
            useStatusNotifier();
    });
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (!m_shown)
            return;
        dropStatusNotifier();
        useXEmbed();
    });
}

void TrayIcon::useStatusNotifier()
{
    if (m_xembed)
        m_xembed->hide();
    if (!m_item) {
        m_item = new StatusNotifierItem(m_menu, m_title, this);
        showOnItem();
        // Under Wayland a client cannot place a menu: it would stand anywhere, as a stray
        // window. The left click opens the program's window instead, which the compositor
        // places; the desktop draws the menu itself, as ItemIsMenu asks.
        const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
        connect(m_item, &StatusNotifierItem::activated, this, [this, wayland](int x, int y) {
            if (wayland)
                emit openRequested();
            else
                emit menuRequested({x, y});
        });
        connect(m_item, &StatusNotifierItem::secondaryActivated, this,
                &TrayIcon::secondaryActivated);
        connect(m_item, &StatusNotifierItem::contextMenuRequested, this,
                [this, wayland](int x, int y) {
                    if (!wayland)
                        emit menuRequested({x, y});
                });
    }
    m_item->registerItem();
}

void TrayIcon::dropStatusNotifier()
{
    delete m_item;
    m_item = nullptr;
}

void TrayIcon::showOnItem()
{
    if (!m_item)
        return;
    m_item->setIcon(m_icon);
    m_item->setToolTip(m_toolTip);
}

} // namespace platform
