#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QApplication;
class QWidget;

namespace platform {

// Builds the application object on the desktop's display. Without a display it writes the
// message in one line on stderr and ends the process with status 1, instead of Qt's abort.
std::unique_ptr<QApplication> createApplicationOrExit(int &argc, char **argv,
                                                      const QString &noDisplay);

// Whether the program may place a menu where it wants: not under Wayland, where a menu
// without a parent window would stand anywhere, as a stray window.
bool canPlaceMenus();

// The token this process was started with to bring its window to the front, if any.
QByteArray startActivationToken();

// Raises and focuses the window; on Wayland with the token a desktop gave for it, without
// which a compositor may leave it behind other windows.
void bringToFront(QWidget *window, const QByteArray &activationToken);

} // namespace platform
