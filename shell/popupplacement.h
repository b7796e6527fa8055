#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the tray popup opens, as the desktop's own menus do: next to the icon and never over
// a panel.
struct ScreenArea
{
    QRect geometry; // the whole screen
    QRect workArea; // without its panels
};

// The screen's work area without the panel, for window managers that leave panels in it: the
// strip the panel covers at its edge of the screen is left out.
QRect workAreaWithout(const ScreenArea &screen, const QRect &panel);

// The top-left corner for a menu of this size. The point the tray host gave is used when it
// lies on a screen and not on its first row or column (hosts that do not know where their
// icon is send (0, 0) or, like MATE's panel, (0, 25)); otherwise the pointer. A point on a
// panel puts the menu beside the panel, on the work area's side; a point in the work area puts
// the menu's corner there, flipped above or to the left where it would not fit. The menu
// always ends up inside the work area.
QPoint popupPosition(QPoint requested, QPoint pointer, QSize menu,
                     const QList<ScreenArea> &screens);
