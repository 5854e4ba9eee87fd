#pragma once

#include <optional>
#include <string_view>
#include <variant>

namespace datrelle {

// A window's outer place and size in twips, single precision as the program keeps them.
struct WindowRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    bool operator==(const WindowRect&) const = default;
};

struct ScreenSize {
    float width = 0;
    float height = 0;
};

// A point of the screen in pixels, as the shell gives an icon's place.
struct ScreenPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPoint&) const = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive

    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Nothing known, the icon's rectangle, or the mouse pointer.
using PopupAnchor = std::variant<std::monostate, PixelRect, ScreenPoint>;

inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimized = 1;

// The main window Form1 as the logic sees it. Every measure is in twips; the Win32
// layer converts to pixels at the window's DPI. Changing the size or the state raises
// the window's resize event at once, before the setter returns, as the real window does.
class Window {
  public:
    virtual ~Window() = default;

    virtual WindowRect Rect() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual int State() const = 0;  // kWindowNormal or kWindowMinimized
    virtual void SetState(int state) = 0;

    virtual void SetCaption(std::string_view caption) = 0;

    // The whole screen's size, and whether a rectangle can be reached on some monitor's
    // work area.
    virtual ScreenSize Screen() const = 0;
    virtual bool OnSomeMonitor(const WindowRect& rect) const = 0;

    // Sizes of the two panels that follow the window: the notes box Text1 and the
    // browser panel WebBrowser1 (their places never change).
    virtual void SetNotesWidth(float twips) = 0;
    virtual void SetBrowserSize(float width, float height) = 0;

    // Shows the popup menu mnuPop with its top left corner at the place, or at the mouse
    // pointer when there is none; returns when it has closed (the chosen item's click
    // has then already been handled). False when it closed without a choice.
    virtual bool ShowPopupMenu(std::optional<ScreenPoint> place) = 0;

    // Closes the window: its unload handler runs and the program ends.
    virtual void Close() = 0;
};

}  // namespace datrelle
