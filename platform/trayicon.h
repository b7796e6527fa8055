#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <memory>

class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;

namespace platform {

class StatusNotifierItem;

// The launcher's icon in the desktop's tray. Where a StatusNotifier watcher is on the session
// bus, at start or whenever one appears, the icon is a StatusNotifier item whose menu the
// desktop draws; otherwise it is docked in an XEmbed tray through QSystemTrayIcon, which docks
// again when a tray appears or comes back. With no tray of either kind the program says so once
// on stderr and keeps running until one appears.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(QMenu *menu, const QString &title, QObject *parent = nullptr);
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
    // A click that asks for the program where a client cannot place a menu (Wayland).
    void openRequested();

private:
    void useXEmbed();
#ifdef Q_OS_UNIX
    bool watcherPresent() const;
    void watchForWatcher();
    void useStatusNotifier();
    void hostActivated(QPoint at, bool primary);
#endif

    QMenu *m_menu;
    QString m_title;
    QIcon m_icon;
    QString m_toolTip;
    bool m_shown = false;
    bool m_toldNoTray = false;
    std::unique_ptr<QSystemTrayIcon> m_xembed;
#ifdef Q_OS_UNIX
    std::unique_ptr<StatusNotifierItem> m_item;
    QDBusServiceWatcher *m_watcher = nullptr;
#endif
};

} // namespace platform
