#include "shell/popupplacement.h"

#include <algorithm>

namespace {

// One axis: the menu's start along it, from the anchor and the work area's extent.
int placeAlong(int anchor, int length, int areaStart, int areaEnd)
{
    int start;
    if (anchor < areaStart)
        start = areaStart; // on a panel before the work area: just past it
    else if (anchor > areaEnd)
        start = areaEnd - length + 1; // on a panel after it: just before it
    else if (anchor + length - 1 > areaEnd)
        start = anchor - length + 1; // flipped, so that it ends at the anchor
    else
        start = anchor;
    return std::clamp(start, areaStart, std::max(areaStart, areaEnd - length + 1));
}

} // namespace

QRect workAreaWithout(const ScreenArea &screen, const QRect &panel)
{
    QRect area = screen.workArea;
    const QRect covered = panel & screen.geometry;
    if (covered.isEmpty())
        return area;
    const QPoint middle = screen.geometry.center();
    if (covered.width() >= covered.height()) { // along the top or the bottom
        if (covered.center().y() < middle.y())
            area.setTop(std::max(area.top(), covered.bottom() + 1));
        else
            area.setBottom(std::min(area.bottom(), covered.top() - 1));
    } else if (covered.center().x() < middle.x()) {
        area.setLeft(std::max(area.left(), covered.right() + 1));
    } else {
        area.setRight(std::min(area.right(), covered.left() - 1));
    }
    return area;
}

QPoint popupPosition(QPoint requested, QPoint pointer, QSize menu,
                     const QList<ScreenArea> &screens)
{
    const auto screenOf = [&](QPoint point) {
        return std::find_if(screens.begin(), screens.end(), [point](const ScreenArea &screen) {
            return screen.geometry.contains(point);
        });
    };
    QPoint anchor = requested;
    auto screen = screenOf(requested);
    // An icon's centre never lies on a screen's first row or column: a host that sends such
    // a point, (0, 0) or MATE's (0, 25), does not know where its icon is.
    if (screen != screens.end() && (requested.x() == screen->geometry.left() ||
                                    requested.y() == screen->geometry.top()))
        screen = screens.end();
    if (screen == screens.end()) {
        anchor = pointer;
        screen = screenOf(pointer);
    }
    if (screen == screens.end())
        return anchor; // no screen knows the point: left to the window system
    const QRect area = screen->workArea.isValid() ? screen->workArea : screen->geometry;
    return {placeAlong(anchor.x(), menu.width(), area.left(), area.right()),
            placeAlong(anchor.y(), menu.height(), area.top(), area.bottom())};
}
