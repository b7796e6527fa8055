#pragma once

#include "platform/tray/statusnotifier/dbustypes.h"

#include <QDBusContext>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <optional>

class QAction;
class QIcon;
class QDBusConnection;
class QMenu;

namespace platform {

// Exports a menu tree over com.canonical.dbusmenu, for desktops that draw a tray item's menu
// themselves: the very actions of the menu, their captions (access keys written "_"), their
// visibility, separators and submenus. A click on the desktop's menu triggers the action, as a
// click in the menu would. Changes are announced once per turn of the event loop: a changed
// item's properties for that item alone, the layout only where items came or went. A host
// that reads one level at a time (KDE Plasma) is told of each submenu it was not sent, so
// that it has the submenu's items before it opens it: a submenu opened by the keyboard
// highlights its first item only if it has one by then. A menu is told it is about to show
// when the host says it is (AboutToShow, or an "opened" event), not when its layout is read:
// one that makes its items then has them made only for the host that shows it.
// The call being answered is known to the exporter, not to its adaptor.
class DBusMenuExporter : public QObject, public QDBusContext
{
    Q_OBJECT

public:
    static constexpr char ObjectPath[] = "/MenuBar";

    explicit DBusMenuExporter(QMenu *root, QObject *parent = nullptr);

    bool exportOn(QDBusConnection &bus);

    // What the interface's methods answer. An id that names no item (any more) gets an empty
    // answer and does nothing.
    uint layout(int parentId, int depth, const QStringList &names, dbus::MenuLayoutItem &item);
    dbus::MenuItemPropertiesList groupProperties(const QList<int> &ids, const QStringList &names);
    QVariant property(int id, const QString &name);
    // The menu with that id is about to show: whether its layout changed from what the host
    // read; false for an item that has no menu, nothing for an id that names no item.
    std::optional<bool> aboutToShow(int id);
    void itemEvent(int id, const QString &eventId);

    // Qt's caption "A&B" with "&&" for "&" as dbusmenu writes it: "A_B", "__" for "_".
    static QString label(const QString &caption);

signals:
    void layoutUpdated(uint revision, int parent);
    void itemsPropertiesUpdated(const platform::dbus::MenuItemPropertiesList &updated,
                                const platform::dbus::MenuItemPropertyNamesList &removed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int idOf(QAction *action);
    QMenu *menuOf(int id) const;
    dbus::MenuLayoutItem itemOf(int id, QMenu *menu, QAction *action, int depth,
                                const QStringList &names);
    QVariantMap propertiesOf(QAction *action, const QStringList &names) const;
    QByteArray pngOf(const QIcon &icon) const;
    void watch(QMenu *menu);
    int idOfMenu(QMenu *menu) const; // -1 for a submenu no host has been told of
    void announceChanges();
    void offerSubmenusLeftOut();

    QPointer<QMenu> m_root;
    QHash<QAction *, int> m_ids;
    QHash<int, QPointer<QAction>> m_actions;
    int m_nextId = 1; // 0 is the root; ids are never used twice
    uint m_revision = 1;
    mutable QHash<qint64, QByteArray> m_pngs; // icons as the desktop takes them, by cache key
    QSet<int> m_changedItems;
    QSet<int> m_changedParents;
    QSet<int> m_submenusLeftOut; // by the last layout asked for, to be offered
    QSet<int> m_menusRead;       // those whose items a host has been sent
    bool m_changesAnnounced = false;
};

} // namespace platform
