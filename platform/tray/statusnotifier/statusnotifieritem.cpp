#include "platform/tray/statusnotifier/statusnotifieritem.h"

#include "platform/tray/statusnotifier/dbusmenuexporter.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <utility>

namespace platform {
namespace {

// KDE Plasma's tray calls Activate on a left click even for an item that is a menu, and draws
// the menu itself only when that call fails.
bool callerDrawsMenuOnFailure(const QDBusMessage &call)
{
    const QDBusReply<uint> pid =
        QDBusConnection::sessionBus().interface()->servicePid(call.service());
    if (!pid.isValid())
        return false;
    QFile name(QStringLiteral("/proc/%1/comm").arg(pid.value()));
    return name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "plasmashell";
}

class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ emptyText)
    Q_PROPERTY(platform::dbus::IconPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyText)
    Q_PROPERTY(platform::dbus::IconPixmapList OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ emptyText)
    Q_PROPERTY(platform::dbus::IconPixmapList AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ emptyText)
    Q_PROPERTY(platform::dbus::ToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem *item)
        : QDBusAbstractAdaptor(item), m_item(item)
    {
        setAutoRelaySignals(false);
        connect(item, &StatusNotifierItem::iconChanged, this, &StatusNotifierItemAdaptor::NewIcon);
        connect(item, &StatusNotifierItem::toolTipChanged, this,
                &StatusNotifierItemAdaptor::NewToolTip);
        // A host that read the item while it was being registered, or before an earlier
        // watcher went, reads it again: GNOME's extension otherwise shows no icon.
        connect(item, &StatusNotifierItem::registered, this, [this] {
            emit NewIcon();
            emit NewTitle();
            emit NewToolTip();
            emit NewStatus(status());
        });
    }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    // The program's name as main gives it, lower case as hosts have always stored it.
    QString id() const { return QCoreApplication::applicationName().toLower(); }
    QString title() const { return m_item->title(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString emptyText() const { return {}; }
    dbus::IconPixmapList iconPixmap() const { return m_item->iconPixmaps(); }
    dbus::IconPixmapList noPixmaps() const { return {}; }
    dbus::ToolTip toolTip() const { return m_item->toolTip(); }
    bool itemIsMenu() const { return true; }
    QDBusObjectPath menu() const
    {
        return QDBusObjectPath(QLatin1String(DBusMenuExporter::ObjectPath));
    }

public slots:
    void Activate(int x, int y)
    {
        // The call's context is the item's, the adaptor's parent.
        if (m_item->calledFromDBus() && callerDrawsMenuOnFailure(m_item->message())) {
            m_item->sendErrorReply(QDBusError::NotSupported,
                                   QStringLiteral("The menu is the item's action: draw it"));
            return;
        }
        emit m_item->activated(x, y);
    }
    void SecondaryActivate(int, int) { emit m_item->secondaryActivated(); }
    void ContextMenu(int x, int y) { emit m_item->contextMenuRequested(x, y); }
    void Scroll(int, const QString &) {}
    // Sent before Activate by hosts on Wayland, for the window the click opens.
    void ProvideXdgActivationToken(const QString &token)
    {
        m_item->setActivationToken(token.toUtf8());
    }

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString &status);

private:
    StatusNotifierItem *m_item;
};

// The sizes hosts ask for, ARGB32 in network byte order.
dbus::IconPixmapList pixmapsOf(const QIcon &icon)
{
    dbus::IconPixmapList pixmaps;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        const QImage image =
            icon.pixmap(size)
                .toImage()
                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
        QByteArray bytes(image.sizeInBytes(), Qt::Uninitialized);
        auto *out = reinterpret_cast<quint32 *>(bytes.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out++ = qToBigEndian(line[x]);
        }
        pixmaps.append({image.width(), image.height(), bytes});
    }
    return pixmaps;
}

} // namespace

StatusNotifierItem::StatusNotifierItem(QMenu *menu, const QString &title, QObject *parent)
    : QObject(parent), m_title(title), m_menu(new DBusMenuExporter(menu, this))
{
    dbus::registerTypes();
    new StatusNotifierItemAdaptor(this);
}

StatusNotifierItem::~StatusNotifierItem()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_registered) {
        bus.unregisterObject(QLatin1String(ObjectPath));
        bus.unregisterObject(QLatin1String(DBusMenuExporter::ObjectPath));
    }
}

bool StatusNotifierItem::registerItem()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_registered) {
        m_registered =
            bus.registerObject(QLatin1String(ObjectPath), this, QDBusConnection::ExportAdaptors) &&
            m_menu->exportOn(bus);
        if (!m_registered)
            return false;
    }
    // Under the connection's unique name, as Qt's own tray registers: GNOME's extension
    // watches a well-known name apart from the item, and when that watch reports while it is
    // still reading the item, it forgets what it read and drops the item for good.
    // Asynchronously: a watcher that hangs must not hang the launcher.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(WatcherService), QStringLiteral("/StatusNotifierWatcher"),
        QLatin1String(WatcherService), QStringLiteral("RegisterStatusNotifierItem"));
    call << bus.baseService();
    auto *pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending] {
        pending->deleteLater();
        if (!pending->isError())
            emit registered();
    });
    return true;
}

void StatusNotifierItem::setIcon(const QIcon &icon)
{
    m_pixmaps = pixmapsOf(icon);
    emit iconChanged();
}

QByteArray StatusNotifierItem::takeActivationToken()
{
    return std::exchange(m_activationToken, {});
}

void StatusNotifierItem::setToolTip(const QString &text)
{
    m_toolTip = text;
    emit toolTipChanged();
}

dbus::ToolTip StatusNotifierItem::toolTip() const
{
    return {QString(), {}, m_toolTip, QString()};
}

} // namespace platform

#include "statusnotifieritem.moc"
