#!/usr/bin/python3
"""What a StatusNotifier host does with a tray item, from the end-to-end test's shell:

  sni-client.py item                 the registered item's service, or nothing
  sni-client.py prop NAME            a property of the item, as GVariant text
  sni-client.py layout               the visible menu: one label a line, children indented,
                                     separators as "-", submenus marked " >"
  sni-client.py click LABEL          a click on the visible item with that label
  sni-client.py activate X Y         Activate(x, y), as a host's left click
  sni-client.py secondary X Y        SecondaryActivate(x, y), as a host's middle click
  sni-client.py await-update SECS    waits for LayoutUpdated; fails after SECS seconds
"""
import sys

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(service, path, interface, method, args, reply):
    result = bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply),
                           Gio.DBusCallFlags.NONE, 5000)
    return result.unpack()


def item():
    items = call("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                 "org.freedesktop.DBus.Properties", "Get",
                 GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher",
                                       "RegisteredStatusNotifierItems")), "(v)")[0]
    return items[0] if items else None


def prop(service, name):
    value = bus.call_sync(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties",
                          "Get", GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", name)),
                          GLib.VariantType("(v)"), Gio.DBusCallFlags.NONE, 5000)
    return value.get_child_value(0).get_variant().print_(False)


def menu_path(service):
    return prop(service, "Menu").strip("'").replace("objectpath ", "").strip("'")


def layout(service):
    return call(service, menu_path(service), "com.canonical.dbusmenu", "GetLayout",
                GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]


def visible_items(service):
    """(depth, id, label) of every visible item, in menu order, each menu told it is about to
    show first, as a host does before it draws it."""
    call(service, menu_path(service), "com.canonical.dbusmenu", "AboutToShow",
         GLib.Variant("(i)", (0,)), "(b)")
    root = layout(service)
    submenus = [child[0] for child in root[2]
                if child[1].get("children-display") == "submenu"]
    needed, _ = call(service, menu_path(service), "com.canonical.dbusmenu", "AboutToShowGroup",
                     GLib.Variant("(ai)", (submenus,)), "(aiai)")
    if needed:
        root = layout(service)
    found = []

    def walk(node, depth):
        for child in node[2]:
            ident, properties, _ = child
            if not properties.get("visible", True):
                continue
            if properties.get("type") == "separator":
                label = "-"
            else:
                label = properties.get("label", "")
                if properties.get("children-display") == "submenu":
                    label += " >"
            found.append((depth, ident, label))
            walk(child, depth + 1)

    walk(root, 0)
    return found


def main(argv):
    command = argv[1]
    if command == "item":
        print(item() or "")
        return 0
    service = item()
    if not service:
        print("no item registered", file=sys.stderr)
        return 1
    service = service.split("/", 1)[0]  # some watchers list the item's path after its name
    if command == "prop":
        print(prop(service, argv[2]))
    elif command == "layout":
        for depth, _, label in visible_items(service):
            print("  " * depth + label)
    elif command == "click":
        ident = next(i for _, i, label in visible_items(service)
                     if label.rstrip(" >") == argv[2])
        call(service, menu_path(service), "com.canonical.dbusmenu", "Event",
             GLib.Variant("(isvu)", (ident, "clicked", GLib.Variant("i", 0), 0)), "()")
    elif command in ("activate", "secondary"):
        method = "Activate" if command == "activate" else "SecondaryActivate"
        call(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", method,
             GLib.Variant("(ii)", (int(argv[2]), int(argv[3]))), "()")
    elif command == "await-update":
        loop = GLib.MainLoop()
        updated = []
        bus.signal_subscribe(None, "com.canonical.dbusmenu", "LayoutUpdated", None, None,
                             Gio.DBusSignalFlags.NONE,
                             lambda *_: (updated.append(True), loop.quit()))
        GLib.timeout_add(int(float(argv[2]) * 1000), loop.quit)
        print("ready", flush=True)
        loop.run()
        return 0 if updated else 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
