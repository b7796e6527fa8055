#pragma once

#include "platform/tray/statusnotifier/dbustypes.h"

#include <QDBusContext>
#include <QIcon>
#include <QObject>

class QMenu;

namespace platform {

class DBusMenuExporter;

// The tray item of desktops with a StatusNotifier host (KDE Plasma, GNOME with the
// AppIndicator extension and others), on the session bus: org.kde.StatusNotifierItem with
// ItemIsMenu set, so that the desktop draws the exported menu at the icon on a click, on X11
// and Wayland alike. Hosts that call Activate or ContextMenu instead are told through signals.
class StatusNotifierItem : public QObject, public QDBusContext
{
    Q_OBJECT

public:
    static constexpr char ObjectPath[] = "/StatusNotifierItem";
    static constexpr char WatcherService[] = "org.kde.StatusNotifierWatcher";

    StatusNotifierItem(QMenu *menu, const QString &title, QObject *parent = nullptr);
    ~StatusNotifierItem() override;

    // Exports the item and its menu and registers them with the watcher under the
    // connection's unique name.
    bool registerItem();

    void setIcon(const QIcon &icon);
    void setToolTip(const QString &text);
    // The token a host gave for the next click's window, once.
    void setActivationToken(const QByteArray &token) { m_activationToken = token; }
    QByteArray takeActivationToken();

    QString title() const { return m_title; }
    dbus::IconPixmapList iconPixmaps() const { return m_pixmaps; }
    dbus::ToolTip toolTip() const;

signals:
    void activated(int x, int y);
    void secondaryActivated(); // a middle click
    void contextMenuRequested(int x, int y);
    // For the adaptor: what changed, and the watcher's answer to the registration.
    void iconChanged();
    void toolTipChanged();
    void registered();

private:
    QString m_title;
    QString m_toolTip;
    dbus::IconPixmapList m_pixmaps;
    DBusMenuExporter *m_menu;
    QByteArray m_activationToken;
    bool m_registered = false;
};

} // namespace platform
