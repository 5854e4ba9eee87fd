#pragma once

#include "platform/Window.h"

// Where a popup opened from a tray icon goes: beside the icon, or the mouse pointer when
// the shell cannot say where its icon is, or, opened from the keyboard with neither, in
// the work area's corner next to the notification area. Always wholly inside the work
// area, so never under the taskbar. All in screen pixels.

namespace datrelle {

// The popup's top-left. The work area is the monitor less the taskbar; the side where the
// two differ is the taskbar's (the bottom when they do not differ, as with a taskbar that
// hides itself). A popup larger than the work area starts at its top-left.
ScreenPoint PlacePopup(PixelSize popup, const PixelRect& workArea, const PixelRect& monitor,
                       const PopupAnchor& anchor);

}  // namespace datrelle
