#include "platform/tray/statusnotifier/dbustypes.h"

#include <QDBusMetaType>

namespace platform::dbus {

void registerTypes()
{
    // The adaptors' signatures name the lists by these aliases.
    qRegisterMetaType<IconPixmapList>("platform::dbus::IconPixmapList");
    qRegisterMetaType<MenuItemPropertiesList>("platform::dbus::MenuItemPropertiesList");
    qRegisterMetaType<MenuItemPropertyNamesList>("platform::dbus::MenuItemPropertyNamesList");
    qRegisterMetaType<MenuEventList>("platform::dbus::MenuEventList");
    qDBusRegisterMetaType<IconPixmap>();
    qDBusRegisterMetaType<IconPixmapList>();
    qDBusRegisterMetaType<ToolTip>();
    qDBusRegisterMetaType<MenuLayoutItem>();
    qDBusRegisterMetaType<MenuItemProperties>();
    qDBusRegisterMetaType<MenuItemPropertiesList>();
    qDBusRegisterMetaType<MenuItemPropertyNames>();
    qDBusRegisterMetaType<MenuItemPropertyNamesList>();
    qDBusRegisterMetaType<MenuEvent>();
    qDBusRegisterMetaType<MenuEventList>();
}

QDBusArgument &operator<<(QDBusArgument &argument, const MenuLayoutItem &item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    // Children travel as variants: the type refers to itself.
    argument.beginArray(qMetaTypeId<QDBusVariant>());
    for (const MenuLayoutItem &child : item.children)
        argument << QDBusVariant(QVariant::fromValue(child));
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, MenuLayoutItem &item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.beginArray();
    item.children.clear();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        item.children.append(qdbus_cast<MenuLayoutItem>(child.variant()));
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

} // namespace platform::dbus
