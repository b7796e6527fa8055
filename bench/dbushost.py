#!/usr/bin/python3
"""What a StatusNotifier host reads from Quorvel's menu during start-up: run inside
dbus-run-session with a watcher on the bus. Starts the program (offscreen), then behaves as
GNOME's AppIndicator extension does: reads the whole layout once the item is registered, reads
the changed part again on every LayoutUpdated, and takes in every ItemsPropertiesUpdated.
With "open", it also says it is about to show the menu and every submenu, as a user who opens
them all makes it. Prints the bytes read and the program's heap then, as JSON, after SECONDS.

Usage: dbushost.py QUORVEL FOLDER SECONDS [open]
"""
import json
import os
import subprocess
import sys
import time

from gi.repository import Gio, GLib

quorvel, folder, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
opens_all = sys.argv[4:] == ["open"]
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
read = {"bytes": 0, "layouts": 0, "property updates": 0}


def registered_item():
    try:
        items = bus.call_sync("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                              "org.freedesktop.DBus.Properties", "Get",
                              GLib.Variant("(ss)", ("org.kde.StatusNotifierWatcher",
                                                    "RegisteredStatusNotifierItems")),
                              GLib.VariantType("(v)"), Gio.DBusCallFlags.NONE, 1000)
    except GLib.Error:
        return None
    items = items.unpack()[0]
    return items[0] if items else None


def get_layout(service, parent):
    reply = bus.call_sync(service, "/MenuBar", "com.canonical.dbusmenu", "GetLayout",
                          GLib.Variant("(iias)", (parent, -1, [])), None,
                          Gio.DBusCallFlags.NONE, 5000)
    read["bytes"] += reply.get_size()
    read["layouts"] += 1
    return reply.unpack()[1]


def submenus(node):
    return [child[0] for child in node[2]
            if child[1].get("children-display") == "submenu"]


def heap_kb(pid):
    """The resident size of the [heap] mapping: what the program itself allocated."""
    with open("/proc/%d/smaps" % pid) as f:
        in_heap = False
        for line in f:
            if not line[0].isupper():
                in_heap = line.rstrip().endswith("[heap]")
            elif in_heap and line.startswith("Rss:"):
                return int(line.split()[1])
    return 0


env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
program = subprocess.Popen([quorvel], cwd=folder, env=env, stderr=subprocess.DEVNULL)
try:
    deadline = time.monotonic() + 20
    while not (service := registered_item()):
        if time.monotonic() > deadline:
            sys.exit("the item never registered")
        time.sleep(0.02)
    pending = []
    bus.signal_subscribe(None, "com.canonical.dbusmenu", "LayoutUpdated", "/MenuBar", None,
                         Gio.DBusSignalFlags.NONE,
                         lambda c, s, p, i, n, params: pending.append(params.unpack()[1]))

    def properties_updated(c, s, p, i, n, params):
        read["bytes"] += params.get_size()
        read["property updates"] += 1

    bus.signal_subscribe(None, "com.canonical.dbusmenu", "ItemsPropertiesUpdated", "/MenuBar",
                         None, Gio.DBusSignalFlags.NONE, properties_updated)
    root = get_layout(service, 0)
    if opens_all:
        bus.call_sync(service, "/MenuBar", "com.canonical.dbusmenu", "AboutToShowGroup",
                      GLib.Variant("(ai)", ([0] + submenus(root),)), None,
                      Gio.DBusCallFlags.NONE, 5000)
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        context.iteration(False)
        while pending:
            get_layout(service, pending.pop(0))
        time.sleep(0.005)
    read["heap kB"] = heap_kb(program.pid)
finally:
    program.terminate()
    program.wait()
print(json.dumps(read))
