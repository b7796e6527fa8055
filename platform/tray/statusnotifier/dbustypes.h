#pragma once

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
};
using IconPixmapList = QList<IconPixmap>;

// (sa(iiay)ss)
struct ToolTip
{
    QString iconName;
    IconPixmapList pixmaps;
    QString title;
    QString description;
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
};
using MenuItemPropertiesList = QList<MenuItemProperties>;

// (ias)
struct MenuItemPropertyNames
{
    int id = 0;
    QStringList names;
};
using MenuItemPropertyNamesList = QList<MenuItemPropertyNames>;

// (isvu)
struct MenuEvent
{
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

// Makes the types known to Qt's D-Bus marshalling; once, before anything is exported.
void registerTypes();

QDBusArgument &operator<<(QDBusArgument &argument, const IconPixmap &pixmap);
const QDBusArgument &operator>>(const QDBusArgument &argument, IconPixmap &pixmap);
QDBusArgument &operator<<(QDBusArgument &argument, const ToolTip &toolTip);
const QDBusArgument &operator>>(const QDBusArgument &argument, ToolTip &toolTip);
QDBusArgument &operator<<(QDBusArgument &argument, const MenuLayoutItem &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, MenuLayoutItem &item);
QDBusArgument &operator<<(QDBusArgument &argument, const MenuItemProperties &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, MenuItemProperties &item);
QDBusArgument &operator<<(QDBusArgument &argument, const MenuItemPropertyNames &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, MenuItemPropertyNames &item);
QDBusArgument &operator<<(QDBusArgument &argument, const MenuEvent &event);
const QDBusArgument &operator>>(const QDBusArgument &argument, MenuEvent &event);

} // namespace platform::dbus

Q_DECLARE_METATYPE(platform::dbus::IconPixmap)
Q_DECLARE_METATYPE(platform::dbus::ToolTip)
Q_DECLARE_METATYPE(platform::dbus::MenuLayoutItem)
Q_DECLARE_METATYPE(platform::dbus::MenuItemProperties)
Q_DECLARE_METATYPE(platform::dbus::MenuItemPropertyNames)
Q_DECLARE_METATYPE(platform::dbus::MenuEvent)
