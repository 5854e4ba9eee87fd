#pragma once

#include "platform/Window.h"

// The main window's size rules and its three modes. The notes box's left edge and the
// browser panel's top edge are the two anchors: the window never gets narrower than
// the one or shorter than the other allows, and the two panels follow the window's
// outer size. All arithmetic is in twips, in single precision.

namespace datrelle {

// The smallest outer size: the notes box's left edge + 100 wide, the browser panel's
// top edge + 300 high.
float MinimumWindowWidth();
float MinimumWindowHeight();

class WindowLayout {
  public:
    explicit WindowLayout(Window& window) : window_(window) {}

    // Every resize event of the window: back to the normal state, at least the
    // minimum size, and the panels sized from the window.
    void OnResize();

    // "Mi&nimize": the minimum size at the lower right corner, hidden and minimised.
    void MinimizeToTray();
    // "Ma&ximize": the whole screen but its bottom 400 twips, in the normal state.
    void Maximize();
    // "Dock": the lower right corner, 800 twips above the screen's bottom, same size.
    void Dock();

    // The minimum size at the lower right corner, still shown: where a window without
    // a usable saved place starts.
    void PlaceCompactBottomRight();

  private:
    Window& window_;
    int depth_ = 0;
};

}  // namespace datrelle
