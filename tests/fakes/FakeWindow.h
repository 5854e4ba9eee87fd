#pragma once

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Window.h"

// A main window for the unit tests. Like the real one it raises its resize event
// before a size or state setter returns, through onResize, so a layout installed
// there runs nested inside the code that changed the window. Every call is logged.

namespace datrelle::fakes {

class FakeWindow : public Window {
  public:
    WindowRect Rect() const override { return rect; }
    void SetLeft(float twips) override {
        Log("Left", twips);
        rect.left = twips;
    }
    void SetTop(float twips) override {
        Log("Top", twips);
        rect.top = twips;
    }
    void SetWidth(float twips) override {
        Log("Width", twips);
        // A platform may not give the size asked for (the system's limits).
        if (maxWidth && twips > *maxWidth) {
            twips = *maxWidth;
        }
        Resize(rect.width, twips);
    }
    void SetHeight(float twips) override {
        Log("Height", twips);
        Resize(rect.height, twips);
    }

    bool Visible() const override { return visible; }
    void SetVisible(bool value) override {
        Log("Visible", value);
        visible = value;
    }
    int State() const override { return state; }
    void SetState(int value) override {
        Log("State", value);
        Resize(state, value);
    }

    void SetCaption(std::string_view text) override { caption = text; }

    ScreenSize Screen() const override { return screen; }
    bool OnSomeMonitor(const WindowRect& r) const override {
        return r.left < screen.width && r.top < screen.height && r.left + r.width > 0 &&
               r.top + r.height > 0;
    }

    void SetNotesWidth(float twips) override {
        Log("NotesWidth", twips);
        notesWidth = twips;
    }
    void SetBrowserSize(float width, float height) override {
        Log("BrowserSize", width, height);
        browserWidth = width;
        browserHeight = height;
    }

    void ShowPopupMenu() override {
        Log("PopupMenu");
        ++popupMenus;
        if (onPopupMenu) {
            onPopupMenu();
        }
    }
    void Close() override {
        Log("Close");
        ++closes;
    }

    // The resize event; the window's new size or state is in place when it runs.
    std::function<void()> onResize;
    // What the user does while the popup menu is open.
    std::function<void()> onPopupMenu;
    // A platform raising the event even when nothing changed (the real one does not).
    bool resizeEventOnEverySet = false;
    std::optional<float> maxWidth;

    WindowRect rect{0, 0, 12000, 8000};
    bool visible = true;
    int state = kWindowNormal;
    std::string caption;
    ScreenSize screen{19200, 12000};
    float notesWidth = 5190;
    float browserWidth = 8595;
    float browserHeight = 2940;
    int popupMenus = 0;
    int closes = 0;
    int resizeEvents = 0;
    std::vector<std::string> calls;

  private:
    template <typename T>
    void Resize(T& field, T value) {
        const bool changed = field != value;
        field = value;
        if (changed || resizeEventOnEverySet) {
            ++resizeEvents;
            if (onResize) {
                onResize();
            }
        }
    }

    template <typename... Args>
    void Log(const char* what, Args... args) {
        std::ostringstream line;
        line << what;
        ((line << ' ' << args), ...);
        calls.push_back(line.str());
    }
};

}  // namespace datrelle::fakes
