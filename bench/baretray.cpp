// The floor: the least a Qt tray program can be. One icon, a three-item menu, the same
// captions' script as Quorvel's (so the same fonts), a left click popping the menu up.
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QMenu menu;
    menu.addAction(QStringLiteral("設定"));
    menu.addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QObject::connect(menu.addAction(QStringLiteral("終了")), &QAction::triggered, &app,
                     &QCoreApplication::quit);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("bare"));
    icon.setContextMenu(&menu);
    QObject::connect(&icon, &QSystemTrayIcon::activated, &menu,
                     [&menu](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger)
                             menu.popup(QCursor::pos());
                     });
    icon.show();
    return app.exec();
}
