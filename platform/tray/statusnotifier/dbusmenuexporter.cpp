#include "platform/tray/statusnotifier/dbusmenuexporter.h"

#include <QAction>
#include <QActionEvent>
#include <QBuffer>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QIcon>
#include <QMenu>
#include <QTimer>
#include <utility>

namespace platform {
namespace {

class DBusMenuAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit DBusMenuAdaptor(DBusMenuExporter *exporter)
        : QDBusAbstractAdaptor(exporter), m_exporter(exporter)
    {
        setAutoRelaySignals(false);
        connect(exporter, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
        connect(exporter, &DBusMenuExporter::itemsPropertiesUpdated, this,
                &DBusMenuAdaptor::ItemsPropertiesUpdated);
    }

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                   platform::dbus::MenuLayoutItem &layout)
    {
        return m_exporter->layout(parentId, recursionDepth, propertyNames, layout);
    }
    platform::dbus::MenuItemPropertiesList GetGroupProperties(const QList<int> &ids,
                                                              const QStringList &propertyNames)
    {
        return m_exporter->groupProperties(ids, propertyNames);
    }
    QDBusVariant GetProperty(int id, const QString &name)
    {
        return QDBusVariant(m_exporter->property(id, name));
    }
    void Event(int id, const QString &eventId, const QDBusVariant &, uint)
    {
        m_exporter->itemEvent(id, eventId);
    }
    QList<int> EventGroup(const platform::dbus::MenuEventList &events)
    {
        for (const dbus::MenuEvent &event : events)
            m_exporter->itemEvent(event.id, event.eventId);
        return {};
    }
    bool AboutToShow(int id)
    {
        const auto changed = m_exporter->aboutToShow(id);
        if (!changed)
            m_exporter->sendErrorReply(QDBusError::InvalidArgs,
                                       QStringLiteral("No item %1").arg(id));
        return changed.value_or(false);
    }
    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
    {
        QList<int> updatesNeeded;
        idErrors.clear();
        for (const int id : ids) {
            const auto changed = m_exporter->aboutToShow(id);
            if (!changed)
                idErrors.append(id);
            else if (*changed)
                updatesNeeded.append(id);
        }
        return updatesNeeded;
    }

signals:
    void ItemsPropertiesUpdated(const platform::dbus::MenuItemPropertiesList &updatedProps,
                                const platform::dbus::MenuItemPropertyNamesList &removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenuExporter *m_exporter;
};

} // namespace

DBusMenuExporter::DBusMenuExporter(QMenu *root, QObject *parent) : QObject(parent), m_root(root)
{
    dbus::registerTypes();
    new DBusMenuAdaptor(this);
    watch(root);
}

bool DBusMenuExporter::exportOn(QDBusConnection &bus)
{
    return bus.registerObject(QLatin1String(ObjectPath), this, QDBusConnection::ExportAdaptors);
}

QString DBusMenuExporter::label(const QString &caption)
{
    QString text;
    bool accessKeyWritten = false;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar ch = caption.at(i);
        if (ch == u'_') {
            text += QLatin1String("__");
        } else if (ch != u'&') {
            text += ch;
        } else if (i + 1 < caption.size() && caption.at(i + 1) == u'&') {
            text += u'&';
            ++i;
        } else if (!accessKeyWritten && i + 1 < caption.size()) {
            text += u'_'; // Qt underlines the first one only
            accessKeyWritten = true;
        }
    }
    return text;
}

int DBusMenuExporter::idOf(QAction *action)
{
    const auto found = m_ids.constFind(action);
    if (found != m_ids.cend())
        return *found;
    const int id = m_nextId++;
    m_ids.insert(action, id);
    m_actions.insert(id, action);
    connect(action, &QObject::destroyed, this, [this, action, id] {
        m_ids.remove(action);
        m_actions.remove(id);
    });
    return id;
}

QMenu *DBusMenuExporter::menuOf(int id) const
{
    if (id == 0)
        return m_root;
    const QAction *action = m_actions.value(id);
    return action ? action->menu() : nullptr;
}

QVariantMap DBusMenuExporter::propertiesOf(QAction *action, const QStringList &names) const
{
    QVariantMap properties;
    if (action->isSeparator()) {
        properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        properties.insert(QStringLiteral("label"), label(action->text()));
        if (!action->isEnabled())
            properties.insert(QStringLiteral("enabled"), false);
        if (action->menu())
            properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        if (!action->icon().isNull())
            properties.insert(QStringLiteral("icon-data"), pngOf(action->icon()));
    }
    if (!action->isVisible())
        properties.insert(QStringLiteral("visible"), false);
    if (!names.isEmpty()) {
        for (auto it = properties.begin(); it != properties.end();)
            it = names.contains(it.key()) ? std::next(it) : properties.erase(it);
    }
    return properties;
}

QByteArray DBusMenuExporter::pngOf(const QIcon &icon) const
{
    const auto found = m_pngs.constFind(icon.cacheKey());
    if (found != m_pngs.cend())
        return *found;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.pixmap(16).save(&buffer, "PNG");
    m_pngs.insert(icon.cacheKey(), png);
    return png;
}

dbus::MenuLayoutItem DBusMenuExporter::itemOf(int id, QMenu *menu, QAction *action, int depth,
                                              const QStringList &names)
{
    dbus::MenuLayoutItem item;
    item.id = id;
    if (action)
        item.properties = propertiesOf(action, names);
    else
        item.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    if (menu && depth != 0) {
        // What the host reads now needs no announcement after.
        m_changedParents.remove(id);
        m_menusRead.insert(id);
        for (QAction *child : menu->actions())
            item.children.append(itemOf(idOf(child), child->menu(), child, depth - 1, names));
    } else if (menu && action && !menu->actions().isEmpty()) {
        // Even one whose items are all hidden: it may make visible ones as it is about to show.
        m_submenusLeftOut.insert(id);
    }
    return item;
}

uint DBusMenuExporter::layout(int parentId, int depth, const QStringList &names,
                              dbus::MenuLayoutItem &item)
{
    QAction *action = parentId == 0 ? nullptr : m_actions.value(parentId).data();
    const bool offerPending = !m_submenusLeftOut.isEmpty();
    if (parentId != 0 && !action)
        item = dbus::MenuLayoutItem{parentId, {}, {}};
    else
        item = itemOf(parentId, menuOf(parentId), action, depth, names);
    m_submenusLeftOut.remove(parentId);
    if (!offerPending && !m_submenusLeftOut.isEmpty())
        offerSubmenusLeftOut();
    return m_revision;
}

// After the answer has gone: the host then knows the submenus it is told of.
void DBusMenuExporter::offerSubmenusLeftOut()
{
    QTimer::singleShot(0, this, [this] {
        const QSet<int> submenus = std::exchange(m_submenusLeftOut, {});
        for (const int id : submenus)
            emit layoutUpdated(m_revision, id);
    });
}

std::optional<bool> DBusMenuExporter::aboutToShow(int id)
{
    QMenu *menu = menuOf(id);
    if (!menu)
        return id == 0 || m_actions.contains(id) ? std::optional(false) : std::nullopt;
    // A menu may make its items as it is about to show, as Qt's menus are told before they
    // show; items that came or went since the host last read it are what it must read again.
    emit menu->aboutToShow();
    return m_changedParents.contains(id) || !m_menusRead.contains(id);
}

dbus::MenuItemPropertiesList DBusMenuExporter::groupProperties(const QList<int> &ids,
                                                               const QStringList &names)
{
    dbus::MenuItemPropertiesList items;
    for (const int id : ids) {
        if (QAction *action = m_actions.value(id))
            items.append({id, propertiesOf(action, names)});
    }
    return items;
}

QVariant DBusMenuExporter::property(int id, const QString &name)
{
    QAction *action = m_actions.value(id);
    return action ? propertiesOf(action, {name}).value(name) : QVariant();
}

void DBusMenuExporter::itemEvent(int id, const QString &eventId)
{
    QAction *action = m_actions.value(id);
    // A host that opens a submenu without asking first is still shown its items.
    if (eventId == QLatin1String("opened")) {
        aboutToShow(id);
        return;
    }
    if (eventId != QLatin1String("clicked") || !action || action->menu() || action->isSeparator() ||
        !action->isEnabled())
        return;
    // After the call has been answered: what the action does may open a window or a message
    // box, and the desktop must not wait for it.
    QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
}

void DBusMenuExporter::watch(QMenu *menu)
{
    menu->installEventFilter(this);
    for (QAction *action : menu->actions()) {
        if (action->menu())
            watch(action->menu());
    }
}

bool DBusMenuExporter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ActionAdded:
        if (QMenu *submenu = static_cast<QActionEvent *>(event)->action()->menu())
            watch(submenu);
        [[fallthrough]];
    case QEvent::ActionRemoved:
        // A submenu no host has been shown needs no announcement: it is read whole when it is.
        if (const int parent = idOfMenu(static_cast<QMenu *>(watched)); parent >= 0) {
            m_changedParents.insert(parent);
            announceChanges();
        }
        break;
    case QEvent::ActionChanged:
        // Only an item a host has been told of can have changed for it.
        if (const auto id = m_ids.constFind(static_cast<QActionEvent *>(event)->action());
            id != m_ids.cend()) {
            m_changedItems.insert(*id);
            announceChanges();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

int DBusMenuExporter::idOfMenu(QMenu *menu) const
{
    if (menu == m_root)
        return 0;
    return m_ids.value(menu->menuAction(), -1);
}

// Many changes in one handler (a load, a batch of icons) make one announcement of each kind:
// the changed items' properties, and the layout only where items came or went.
void DBusMenuExporter::announceChanges()
{
    if (m_changesAnnounced)
        return;
    m_changesAnnounced = true;
    QTimer::singleShot(0, this, [this] {
        m_changesAnnounced = false;
        dbus::MenuItemPropertiesList updated;
        dbus::MenuItemPropertyNamesList removed;
        for (const int id : std::as_const(m_changedItems)) {
            QAction *action = m_actions.value(id);
            if (!action)
                continue;
            const QVariantMap properties = propertiesOf(action, {});
            QStringList defaults;
            for (const QString &name : {QStringLiteral("enabled"), QStringLiteral("visible"),
                                        QStringLiteral("icon-data")}) {
                if (!properties.contains(name))
                    defaults << name;
            }
            updated.append({id, properties});
            removed.append({id, defaults});
        }
        m_changedItems.clear();
        if (!updated.isEmpty())
            emit itemsPropertiesUpdated(updated, removed);

        if (m_changedParents.isEmpty())
            return;
        // One parent when one menu changed; the whole tree when several did.
        const int parent = m_changedParents.size() == 1 ? *m_changedParents.cbegin() : 0;
        m_changedParents.clear();
        emit layoutUpdated(++m_revision, parent);
    });
}

} // namespace platform

#include "dbusmenuexporter.moc"
