#include "platform/trayicon.h"

#include "texts.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <cstdio>

#ifdef Q_OS_UNIX
#include "platform/statusnotifieritem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#endif

namespace platform {

TrayIcon::TrayIcon(QMenu *menu, const QString &title, QObject *parent)
    : QObject(parent), m_menu(menu), m_title(title)
{
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    if (m_xembed)
        m_xembed->setIcon(icon);
#ifdef Q_OS_UNIX
    if (m_item)
        m_item->setIcon(icon);
#endif
}

void TrayIcon::setToolTip(const QString &text)
{
    m_toolTip = text;
    if (m_xembed)
        m_xembed->setToolTip(text);
#ifdef Q_OS_UNIX
    if (m_item)
        m_item->setToolTip(text);
#endif
}

void TrayIcon::show()
{
    m_shown = true;
#ifdef Q_OS_UNIX
    watchForWatcher();
    if (watcherPresent()) {
        useStatusNotifier();
        return;
    }
#endif
    useXEmbed();
}

void TrayIcon::hide()
{
    m_shown = false;
#ifdef Q_OS_UNIX
    m_item.reset();
#endif
    if (m_xembed)
        m_xembed->hide();
}

void TrayIcon::useXEmbed()
{
    // Made only while no watcher is on the bus: Qt decides once, when its first tray icon is
    // made, whether it is a StatusNotifier item of its own.
    if (!m_xembed) {
        m_xembed = std::make_unique<QSystemTrayIcon>(m_icon);
        m_xembed->setToolTip(m_toolTip);
        // A right click shows the menu by itself; a left click pops it up at the pointer.
        m_xembed->setContextMenu(m_menu);
        connect(m_xembed.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        emit menuRequested(QCursor::pos());
                });
    }
    m_xembed->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable() && !m_toldNoTray) {
        std::fputs(texts::noTray.toLocal8Bit().constData(), stderr);
        m_toldNoTray = true;
    }
}

#ifdef Q_OS_UNIX
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
        m_item.reset();
        useXEmbed();
    });
}

void TrayIcon::useStatusNotifier()
{
    if (m_xembed)
        m_xembed->hide();
    if (!m_item) {
        m_item = std::make_unique<StatusNotifierItem>(m_menu, m_title);
        m_item->setIcon(m_icon);
        m_item->setToolTip(m_toolTip);
        connect(m_item.get(), &StatusNotifierItem::activated, this, [this](int x, int y) {
            hostActivated({x, y}, true);
        });
        connect(m_item.get(), &StatusNotifierItem::contextMenuRequested, this,
                [this](int x, int y) {
                    hostActivated({x, y}, false);
                });
    }
    m_item->registerItem();
}

void TrayIcon::hostActivated(QPoint at, bool primary)
{
    // Under Wayland a client cannot place a menu: it would stand anywhere, as a stray window.
    // The left click opens the program's window instead, which the compositor places; the
    // desktop draws the menu itself, as ItemIsMenu asks.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (primary)
            emit openRequested();
        return;
    }
    emit menuRequested(at);
}

#endif

} // namespace platform
