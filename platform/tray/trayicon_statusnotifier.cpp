// The tray icon's StatusNotifier half, for builds with D-Bus.
#include "platform/tray/statusnotifier/statusnotifieritem.h"
#include "platform/tray/trayicon.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>

namespace platform {

namespace {

const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
constexpr std::chrono::milliseconds retryDelay{250};

// The watcher's word on whether a host shows items; Qt's own signal slots need an object.
class HostSignals : public QObject
{
    Q_OBJECT

public:
    HostSignals(QObject *parent, std::function<void(bool)> changed)
        : QObject(parent), m_changed(std::move(changed))
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        const QString watcher = QLatin1String(StatusNotifierItem::WatcherService);
        bus.connect(watcher, watcherPath, watcher, QStringLiteral("StatusNotifierHostRegistered"),
                    this, SLOT(registered()));
        bus.connect(watcher, watcherPath, watcher,
                    QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(unregistered()));
    }

private slots:
    void registered() { m_changed(true); }
    void unregistered() { m_changed(false); }

private:
    std::function<void(bool)> m_changed;
};

} // namespace

void TrayIcon::askForHost(const std::function<void(bool)> &answered, int triesLeft)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answered(false);
        return;
    }
    // A watcher is not a host: some programs run one where the panel is an XEmbed tray. The
    // bus answers at once for a watcher that is not there; one that does not answer soon is
    // taken to have no host, and its signal is waited for. The menu stays live meanwhile.
    const QString watcher = QLatin1String(StatusNotifierItem::WatcherService);
    QDBusMessage ask = QDBusMessage::createMethodCall(
        watcher, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    ask << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *pending = new QDBusPendingCallWatcher(bus.asyncCall(ask, 250), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, pending, answered, triesLeft] {
                pending->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *pending;
                // GNOME's extension takes the watcher's name before it puts the watcher on it:
                // asked at once, it answers that there is no such object, and would never be asked
                // again.
                if (reply.isError() && reply.error().type() != QDBusError::ServiceUnknown &&
                    triesLeft > 0) {
                    QTimer::singleShot(retryDelay, this, [this, answered, triesLeft] {
                        askForHost(answered, triesLeft - 1);
                    });
                    return;
                }
                answered(!reply.isError() && reply.value().variant().toBool());
            });
}

void TrayIcon::watchForWatcher()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_watcher || !bus.isConnected())
        return;
    m_watcher = new QDBusServiceWatcher(QLatin1String(StatusNotifierItem::WatcherService), bus,
                                        QDBusServiceWatcher::WatchForRegistration |
                                            QDBusServiceWatcher::WatchForUnregistration |
                                            QDBusServiceWatcher::WatchForOwnerChange,
                                        this);
    // A host that starts later, or starts again, gets the item; one that goes hands the icon
    // back to an XEmbed tray.
    // Registered once with each watcher: GNOME's extension, registered with twice as it
    // starts, may drop the item for good.
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        askForHost([this](bool present) {
            if (m_shown && present && !m_item)
                useStatusNotifier();
        });
    });
    // A shell that restarts may hand the watcher's name straight to its new self, which knows
    // no items.
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &before, const QString &now) {
                if (before.isEmpty() || now.isEmpty())
                    return;
                askForHost([this](bool present) {
                    if (m_shown && present)
                        useStatusNotifier();
                });
            });
    new HostSignals(this, [this](bool present) {
        if (!m_shown || present == (m_item != nullptr))
            return;
        if (present) {
            useStatusNotifier();
        } else {
            dropStatusNotifier();
            useXEmbed();
        }
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
        const bool wayland = onWayland();
        connect(m_item, &StatusNotifierItem::activated, this, [this, wayland](int x, int y) {
            if (wayland)
                emit openRequested(m_item->takeActivationToken());
            else
                emit menuRequested({x, y});
        });
        connect(m_item, &StatusNotifierItem::secondaryActivated, this,
                [this] { emit secondaryActivated(m_item->takeActivationToken()); });
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

#include "trayicon_statusnotifier.moc"
