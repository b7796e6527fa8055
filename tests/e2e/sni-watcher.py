#!/usr/bin/python3
"""A StatusNotifierWatcher with a host registered, as KDE Plasma or GNOME's AppIndicator
extension provide one, on the session bus of the end-to-end test. It keeps the list of
registered items and drops an item whose owner leaves the bus. With the argument "no-host" it
is a watcher that some program runs where no host shows items; with "late", it puts itself on
its name only a second after taking it, as GNOME's extension does while the shell starts. Runs
until killed."""
import sys

from gi.repository import Gio, GLib

INTERFACE = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>"""
PATH = "/StatusNotifierWatcher"
NAME = "org.kde.StatusNotifierWatcher"

items = {}  # service -> name watch id


def emit(connection, signal, parameters):
    connection.emit_signal(None, PATH, NAME, signal, parameters)


def on_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        service = parameters.unpack()[0]
        # A unique or well-known name; an object path alone means the caller's own name.
        if service.startswith("/"):
            service = sender + service
        if service not in items:
            owner = service.split("/")[0]
            items[service] = Gio.bus_watch_name_on_connection(
                connection, owner, Gio.BusNameWatcherFlags.NONE, None,
                lambda c, n, s=service: drop(c, s))
            emit(connection, "StatusNotifierItemRegistered", GLib.Variant("(s)", (service,)))
    invocation.return_value(None)


def drop(connection, service):
    if service in items:
        Gio.bus_unwatch_name(items.pop(service))
        emit(connection, "StatusNotifierItemUnregistered", GLib.Variant("(s)", (service,)))


def on_get(connection, sender, path, interface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", sorted(items)),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", sys.argv[1:] != ["no-host"]),
            "ProtocolVersion": GLib.Variant("i", 0)}[name]


def export(connection):
    info = Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0]
    connection.register_object(PATH, info, on_call, on_get, None)
    return False


def on_bus(connection, name):
    if sys.argv[1:] == ["late"]:
        GLib.timeout_add(1000, export, connection)
    else:
        export(connection)


Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, on_bus, None,
                 lambda *_: loop.quit())
loop = GLib.MainLoop()
loop.run()
