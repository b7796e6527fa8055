#pragma once

#include "platform/system/dbusstructure.h"
#include <QByteArray>

#include <QDBusArgument>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The structures the StatusNotifierItem and com.canonical.dbusmenu interfaces exchange.
namespace platform::dbus {

// (iiay): an icon image, ARGB32 in network byte order.
struct IconPixmap
{
    int width = 0;
    int height = 0;
    QByteArray bytes;

    static auto members(auto &self) { return std::tie(self.width, self.height, self.bytes); }
};
using IconPixmapList = QList<IconPixmap>;

// (sa(iiay)ss)
struct ToolTip
{
    QString iconName;
    IconPixmapList pixmaps;
    QString title;
    QString description;

    static auto members(auto &self)
    {
        return std::tie(self.iconName, self.pixmaps, self.title, self.description);
    }
};

// (ia{sv}av): a menu item, its properties, and its children as variants of the same.
struct MenuLayoutItem
{
    int id = 0;
    QVariantMap properties;
    QList<MenuLayoutItem> children;
};

// (ia{sv})
struct MenuItemProperties
{
    int id = 0;
    QVariantMap properties;

    static auto members(auto &self) { return std::tie(self.id, self.properties); }
};
using MenuItemPropertiesList = QList<MenuItemProperties>;

// (ias)
struct MenuItemPropertyNames
{
    int id = 0;
    QStringList names;

    static auto members(auto &self) { return std::tie(self.id, self.names); }
};
using MenuItemPropertyNamesList = QList<MenuItemPropertyNames>;

// (isvu)
struct MenuEvent
{
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;

    static auto members(auto &self)
    {
        return std::tie(self.id, self.eventId, self.data, self.timestamp);
    }
};
using MenuEventList = QList<MenuEvent>;

// Makes the types known to Qt's D-Bus marshalling; once, before anything is exported.
void registerTypes();

QDBusArgument &operator<<(QDBusArgument &argument, const MenuLayoutItem &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, MenuLayoutItem &item);

} // namespace platform::dbus

Q_DECLARE_METATYPE(platform::dbus::IconPixmap)
Q_DECLARE_METATYPE(platform::dbus::ToolTip)
Q_DECLARE_METATYPE(platform::dbus::MenuLayoutItem)
Q_DECLARE_METATYPE(platform::dbus::MenuItemProperties)
Q_DECLARE_METATYPE(platform::dbus::MenuItemPropertyNames)
Q_DECLARE_METATYPE(platform::dbus::MenuEvent)
