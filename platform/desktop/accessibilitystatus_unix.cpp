#include "platform/desktop/accessibilitystatus.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QEvent>
#include <functional>

namespace platform {

namespace {

const QString statusService = QStringLiteral("org.a11y.Bus");
const QString statusPath = QStringLiteral("/org/a11y/bus");
const QString statusInterface = QStringLiteral("org.a11y.Status");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// Qt's link to the accessibility bus, the object that tells its AT-SPI bridge to be on or off:
// known by what it answers to, not by its class's name, which Qt has changed.
bool isBridgeLink(const QObject *object)
{
    const QMetaObject *meta = object->metaObject();
    return meta->indexOfSignal("enabledChanged(bool)") >= 0 &&
           meta->indexOfSlot("connectA11yBus(QString)") >= 0;
}

// The link has no parent to be found by; it is seen taking its first child as Qt makes it.
class BridgeCatcher : public QObject
{
public:
    QPointer<QObject> link;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded && !link && isBridgeLink(watched))
            link = watched;
        return false;
    }
};

QObject *qtBridgeLink()
{
    BridgeCatcher catcher;
    QCoreApplication::instance()->installEventFilter(&catcher);
    QAccessible::isActive(); // Qt makes its bridge the first time it is asked
    QCoreApplication::instance()->removeEventFilter(&catcher);
    return catcher.link;
}

QDBusMessage statusCall(const QString &interface, const QString &method)
{
    auto call = QDBusMessage::createMethodCall(statusService, statusPath, interface, method);
    call.setAutoStartService(false); // reading must not start the bus in a session without it
    return call;
}

// Receives the status's change signal; whatever it carries, a fresh read decides.
class StatusSignal : public QObject
{
    Q_OBJECT

public:
    explicit StatusSignal(std::function<void()> read, QObject *parent)
        : QObject(parent), m_read(std::move(read))
    {
    }

public slots:
    void propertiesChanged(const QString &interface)
    {
        if (interface == statusInterface)
            m_read();
    }

private:
    std::function<void()> m_read;
};

} // namespace

AccessibilityStatus::AccessibilityStatus(QObject *parent) : QObject(parent)
{
    // Forced on, Qt's bridge stays on whatever the session says.
    if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        return;
    m_bridge = qtBridgeLink();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_bridge || !bus.isConnected())
        return;
    auto *watcher =
        new QDBusServiceWatcher(statusService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) {
                if (owner.isEmpty())
                    apply(false); // the accessibility bus is gone with its launcher
                else
                    readStatus();
            });
    // Any sender: a message of its own changes nothing but a read of the real status.
    bus.connect(QString(), statusPath, propertiesInterface, QStringLiteral("PropertiesChanged"),
                new StatusSignal([this] { readStatus(); }, this), SLOT(propertiesChanged(QString)));
    readStatus();
}

void AccessibilityStatus::readStatus()
{
    QDBusMessage call = statusCall(propertiesInterface, QStringLiteral("GetAll"));
    call << statusInterface;
    auto *reply = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    const quint64 read = ++m_reads;
    connect(reply, &QDBusPendingCallWatcher::finished, this, [this, reply, read] {
        reply->deleteLater();
        if (read != m_reads)
            return;
        const QDBusPendingReply<QVariantMap> status = *reply;
        // No bus, no status: nobody asks.
        const QVariantMap properties = status.isError() ? QVariantMap() : status.value();
        apply(properties.value(QStringLiteral("IsEnabled")).toBool() ||
              properties.value(QStringLiteral("ScreenReaderEnabled")).toBool());
    });
}

void AccessibilityStatus::apply(bool on)
{
    if (m_on == on || !m_bridge)
        return;
    m_on = on;
    if (on)
        connectBridge();
    else
        QMetaObject::invokeMethod(m_bridge, "enabledChanged", Q_ARG(bool, false));
    emit changed(on);
}

// Qt's bridge reaches the accessibility bus by the address its launcher gives; known, the
// bridge registers the program there and answers the screen reader from then on.
void AccessibilityStatus::connectBridge()
{
    auto *reply = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(statusCall(
                                                  statusService, QStringLiteral("GetAddress"))),
                                              this);
    connect(reply, &QDBusPendingCallWatcher::finished, this, [this, reply] {
        reply->deleteLater();
        const QDBusPendingReply<QString> address = *reply;
        if (address.isError() || address.value().isEmpty() || !isOn() || !m_bridge)
            return;
        QMetaObject::invokeMethod(m_bridge, "connectA11yBus", Q_ARG(QString, address.value()));
        QMetaObject::invokeMethod(m_bridge, "enabledChanged", Q_ARG(bool, true));
    });
}

} // namespace platform

#include "accessibilitystatus_unix.moc"
