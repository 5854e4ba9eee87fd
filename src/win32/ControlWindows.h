#pragma once

#include <windows.h>

#include <array>

#include "form/Inventory.h"
#include "win32/Unique.h"

// The real child controls of the main window, made from the inventory: their classes,
// styles, captions, places at the window's DPI, fonts and the notes box's tooltip.

namespace datrelle::win32 {

class ControlWindows {
  public:
    // False when a control could not be created; the window is then unusable.
    [[nodiscard]] bool Create(HWND parent, HINSTANCE instance, int dpi);
    // Places and fonts for a new DPI; nothing before they are made.
    void ApplyDpi(int dpi);

    HWND Get(ControlId id) const { return windows_[Index(id)]; }

    // The title label's colours for its WM_CTLCOLORSTATIC; nullptr for any other
    // control, which the system colours.
    HBRUSH ColourStatic(HDC dc, HWND control) const;

    static constexpr int kCount =
        static_cast<int>(ControlId::WebBrowser1) - static_cast<int>(ControlId::Label1) + 1;

  private:
    static int Index(ControlId id) {
        return static_cast<int>(id) - static_cast<int>(ControlId::Label1);
    }
    struct Fonts {
        UniqueFont standard;  // the system's message font, for most controls
        UniqueFont title;
        UniqueFont notes;
    };
    // Makes the fonts for this DPI and returns the ones they replace.
    Fonts MakeFonts(int dpi);
    HFONT FontFor(ControlId id) const;
    void AddNotesTooltip(HWND parent, HINSTANCE instance);

    // Children of the parent window (the tooltip is owned by it), destroyed with it.
    std::array<HWND, kCount> windows_{};
    HWND tooltip_ = nullptr;
    Fonts fonts_;
    bool made_ = false;
};

}  // namespace datrelle::win32
