#include "platform/tray/statusnotifier/statusnotifieritem.h"

#include "platform/tray/statusnotifier/dbusmenuexporter.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QImage>
#include <QtEndian>

namespace platform {
namespace {

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
    }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("quorvel"); }
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
    void Activate(int x, int y) { emit m_item->activated(x, y); }
    void SecondaryActivate(int, int) { emit m_item->secondaryActivated(); }
    void ContextMenu(int x, int y) { emit m_item->contextMenuRequested(x, y); }
    void Scroll(int, const QString &) {}
    void ProvideXdgActivationToken(const QString &) {}

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
    if (m_registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
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
    // Asynchronously: a watcher that hangs must not hang the launcher.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(WatcherService), QStringLiteral("/StatusNotifierWatcher"),
        QLatin1String(WatcherService), QStringLiteral("RegisterStatusNotifierItem"));
    call << bus.baseService();
    return bus.send(call);
}

void StatusNotifierItem::setIcon(const QIcon &icon)
{
    m_pixmaps = pixmapsOf(icon);
    emit iconChanged();
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
