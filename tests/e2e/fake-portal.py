#!/usr/bin/python3
"""The desktop portal's GlobalShortcuts, as KDE Plasma 6 and GNOME 48 provide it, on the test's
session bus. A test drives it through org.quorvel.TestPortal: what was bound, and Activated.
With the argument "silent" it takes every call and never answers one. With "plasma5" it does
what xdg-desktop-portal-kde 5.27 does: it binds the shortcuts CreateSession names, under the
session's token, and answers BindShortcuts by opening its settings page (recorded as
" settings") with the session's shortcuts. Runs until killed.

  fake-portal.py bound                what the running one bound: TOKEN:ID=TRIGGER[ settings]
  fake-portal.py activate ID TOKEN    makes the running one send Activated
"""
import sys
from gi.repository import Gio, GLib

if sys.argv[1:2] in (["bound"], ["activate"]):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    method, args = ("Bound", None) if sys.argv[1] == "bound" else \
        ("Activate", GLib.Variant("(ss)", tuple(sys.argv[2:4])))
    result = bus.call_sync("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                           "org.quorvel.TestPortal", method, args, None,
                           Gio.DBusCallFlags.NONE, 5000)
    if method == "Bound":
        print(result.unpack()[0])
    sys.exit(0)

INTERFACES = """
<node>
  <interface name="org.freedesktop.portal.GlobalShortcuts">
    <method name="CreateSession">
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/>
    </method>
    <method name="BindShortcuts">
      <arg type="o" direction="in"/><arg type="a(sa{sv})" direction="in"/>
      <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="o" direction="out"/>
    </method>
    <signal name="Activated">
      <arg type="o"/><arg type="s"/><arg type="t"/><arg type="a{sv}"/>
    </signal>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.quorvel.TestPortal">
    <method name="Bound"><arg type="s" direction="out"/></method>
    <method name="Activate">
      <arg type="s" direction="in"/><arg type="s" direction="in"/>
    </method>
  </interface>
</node>"""
PATH = "/org/freedesktop/portal/desktop"
silent = sys.argv[1:] == ["silent"]
plasma5 = sys.argv[1:] == ["plasma5"]
state = {"session": None, "bound": "", "client": None, "shortcuts": []}


def handle(kind, sender, token):
    return f"{PATH}/{kind}/{sender[1:].replace('.', '_')}/{token}"


def respond(connection, sender, request, results):
    if not silent:
        connection.emit_signal(sender, request, "org.freedesktop.portal.Request", "Response",
                               GLib.Variant("(ua{sv})", (0, results)))


def bind(token, shortcuts):
    state["shortcuts"] = shortcuts
    state["bound"] = token + ":" + ",".join(
        f"{i}={p.get('preferred_trigger', '')}" for i, p in shortcuts)


def bound_shortcuts():
    return GLib.Variant("a(sa{sv})", [
        (i, {"description": GLib.Variant("s", p.get("description", "")),
             "trigger_description": GLib.Variant("s", p.get("preferred_trigger", ""))})
        for i, p in state["shortcuts"]])


def on_call(connection, sender, path, interface, method, parameters, invocation):
    args = parameters.unpack()
    if method == "CreateSession":
        options = args[0]
        token = options["session_handle_token"]
        request = handle("request", sender, options["handle_token"])
        state["session"] = handle("session", sender, token)
        state["client"] = sender
        invocation.return_value(GLib.Variant("(o)", (request,)))
        results = {"session_handle": GLib.Variant("s", state["session"])}
        if plasma5:
            bind(token, options.get("shortcuts", []))
            results["shortcuts"] = bound_shortcuts()
        respond(connection, sender, request, results)
    elif method == "BindShortcuts":
        session, shortcuts, _, options = args
        request = handle("request", sender, options["handle_token"])
        if plasma5:
            state["bound"] += " settings"
        else:
            bind(session.rsplit("/", 1)[1], shortcuts)
        invocation.return_value(GLib.Variant("(o)", (request,)))
        respond(connection, sender, request, {"shortcuts": bound_shortcuts()})
    elif method == "Bound":
        invocation.return_value(GLib.Variant("(s)", (state["bound"],)))
    elif method == "Activate":
        shortcut, token = args
        connection.emit_signal(state["client"], PATH, "org.freedesktop.portal.GlobalShortcuts",
                               "Activated", GLib.Variant("(osta{sv})", (
                                   state["session"], shortcut, 0,
                                   {"activation_token": GLib.Variant("s", token)})))
        invocation.return_value(None)


def on_get(connection, sender, path, interface, name):
    return GLib.Variant("u", 1)


def on_bus(connection, name):
    for info in Gio.DBusNodeInfo.new_for_xml(INTERFACES).interfaces:
        connection.register_object(PATH, info, on_call, on_get, None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop",
                 Gio.BusNameOwnerFlags.NONE, on_bus, None, lambda *_: loop.quit())
loop = GLib.MainLoop()
loop.run()
