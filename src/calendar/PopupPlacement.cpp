#include "calendar/PopupPlacement.h"

#include <algorithm>
#include <array>

namespace datrelle {
namespace {

enum class Side { Above, Below, Left, Right };

// The sides of the anchor to try, the one away from the taskbar first.
std::array<Side, 4> SidesByTaskbar(const PixelRect& workArea, const PixelRect& monitor) {
    if (workArea.bottom < monitor.bottom) {
        return {Side::Above, Side::Below, Side::Left, Side::Right};
    }
    if (workArea.right < monitor.right) {
        return {Side::Left, Side::Right, Side::Above, Side::Below};
    }
    if (workArea.top > monitor.top) {
        return {Side::Below, Side::Above, Side::Left, Side::Right};
    }
    if (workArea.left > monitor.left) {
        return {Side::Right, Side::Left, Side::Above, Side::Below};
    }
    return {Side::Above, Side::Below, Side::Left, Side::Right};
}

// The start of a length placed at start, moved as little as needed into [low, high); the
// low end when it does not fit.
int Fit(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

PixelRect FitInto(int x, int y, PixelSize popup, const PixelRect& area) {
    const int left = Fit(x, popup.width, area.left, area.right);
    const int top = Fit(y, popup.height, area.top, area.bottom);
    return {left, top, left + popup.width, top + popup.height};
}

PixelRect Beside(const PixelRect& anchor, Side side, PixelSize popup, const PixelRect& area) {
    const int centreX = (anchor.left + anchor.right) / 2 - popup.width / 2;
    const int centreY = (anchor.top + anchor.bottom) / 2 - popup.height / 2;
    switch (side) {
        case Side::Above:
            return FitInto(centreX, anchor.top - popup.height, popup, area);
        case Side::Below:
            return FitInto(centreX, anchor.bottom, popup, area);
        case Side::Left:
            return FitInto(anchor.left - popup.width, centreY, popup, area);
        default:
            return FitInto(anchor.right, centreY, popup, area);
    }
}

// Strictly inside: a popup that only touches the anchor's edge lies beside it.
bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

ScreenPoint PlacePopup(PixelSize popup, const PixelRect& workArea, const PixelRect& monitor,
                       const PopupAnchor& anchor) {
    const std::array<Side, 4> sides = SidesByTaskbar(workArea, monitor);
    PixelRect near;
    if (const auto* rect = std::get_if<PixelRect>(&anchor)) {
        near = *rect;
    } else if (const auto* point = std::get_if<ScreenPoint>(&anchor)) {
        near = {point->x, point->y, point->x, point->y};
    } else {
        // The notification area ends a horizontal taskbar on the right and a vertical one
        // at the bottom.
        const int x = sides[0] == Side::Right ? workArea.left : workArea.right - popup.width;
        const int y = sides[0] == Side::Below ? workArea.top : workArea.bottom - popup.height;
        const PixelRect corner = FitInto(x, y, popup, workArea);
        return {corner.left, corner.top};
    }
    for (const Side side : sides) {
        const PixelRect place = Beside(near, side, popup, workArea);
        if (!Overlap(place, near)) {
            return {place.left, place.top};
        }
    }
    const PixelRect place = Beside(near, sides[0], popup, workArea);
    return {place.left, place.top};
}

}  // namespace datrelle
