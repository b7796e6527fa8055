#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;

namespace platform {

class StatusNotifierItem;

// The launcher's icon in the desktop's tray. Where a StatusNotifier watcher on the session bus
// says a host shows items, at start or whenever one comes, the icon is a StatusNotifier item
// whose menu the desktop draws; otherwise, on X11, it is docked in an XEmbed tray through
// QSystemTrayIcon, which docks again when a tray appears or comes back (Wayland has no XEmbed
// tray: there the icon waits for a StatusNotifier host). With no tray of either kind the
// program says so once on stderr and keeps running until one appears.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    // noTrayMessage: said once on stderr while no tray of either kind is there.
    TrayIcon(QMenu *menu, const QString &title, const QString &noTrayMessage,
             QObject *parent = nullptr);
    ~TrayIcon() override;

    void setIcon(const QIcon &icon);
    void setToolTip(const QString &text);
    QIcon icon() const { return m_icon; }
    QString toolTip() const { return m_toolTip; }

    void show();
    void hide();
    bool isVisible() const { return m_shown; }

signals:
    // A click that asks for the menu at this point of the screen.
    void menuRequested(QPoint at);
    // A click that asks for the program where a client cannot place a menu (Wayland), and a
    // middle click; with the token the desktop gave to bring the window to the front, if any.
    void openRequested(const QByteArray &activationToken);
    void secondaryActivated(const QByteArray &activationToken);

private:
    static bool onWayland(); // where a program can neither place a menu nor dock an icon
    void useXEmbed();
    void sayNoTray(); // once
    // The StatusNotifier half, in a file of its own where the build has D-Bus and empty
    // where it has not.
    // Asks the bus, without waiting, whether a StatusNotifier host shows items, and hands the
    // answer on; at once where there is no bus. A watcher that answers with an error is asked
    // again, up to triesLeft times.
    void askForHost(const std::function<void(bool present)> &answered, int triesLeft = 8);
    void watchForWatcher();
    void useStatusNotifier();
    void dropStatusNotifier();
    void showOnItem();

    QMenu *m_menu;
    QString m_title;
    QString m_noTrayMessage;
    QIcon m_icon;
    QString m_toolTip;
    bool m_shown = false;
    bool m_toldNoTray = false;
    std::unique_ptr<QSystemTrayIcon> m_xembed;
    // Children of this object, made only while a watcher is on the bus.
    StatusNotifierItem *m_item = nullptr;
    QDBusServiceWatcher *m_watcher = nullptr;
};

} // namespace platform
