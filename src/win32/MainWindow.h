#pragma once

#include <windows.h>

#include <vector>

#include "app/App.h"
#include "form/Bindings.h"
#include "win32/ControlWindows.h"
#include "win32/DoubleClickWatch.h"
#include "win32/KeyboardNavigation.h"
#include "win32/Win32Platform.h"

// Form1: the program's one window, its life from creation to the end of the program and
// its one dispatch point. One window procedure finds this object and hands each message
// to the part whose business it is: the tray's to the tray icons, the keyboard's to the
// keyboard navigation, the controls' events through the binding table to their models,
// and the rest to the portable logic.

namespace datrelle::win32 {

class MainWindow {
  public:
    MainWindow(HINSTANCE instance, ProgramFile program)
        : instance_(instance), platform_(std::move(program)) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes the window and starts the program in it, in the order of App::Start, which
    // ends with the window shown. False when the window or its controls could not be
    // made: the window is gone again and the program ends.
    [[nodiscard]] bool Start();

    // The message loop's first look at every message of the thread, before it is
    // dispatched. True when the message was used, or dropped.
    bool PreTranslate(MSG& message) noexcept;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's parts of a start. First the window, hidden, placed where the system
    // puts new windows, and in it (OnCreate) only what the date in the tray needs: the
    // picture boxes, ready to be made when the date asks for them. Then the rest of the
    // window: its size, its menu, the controls and the other picture boxes. Common
    // Controls 6, OLE and the browser control load there: they were most of the time
    // before the icons appeared.
    bool MakeWindow();
    bool OnCreate();
    bool MakeControls();

    void OnCommand(WPARAM wParam);
    void OnDpiChanged(LPARAM lParam);
    // The clock, the time zone, the machine's sleep and the regional format: after a
    // change of any of them the tray may not show today, or not in today's form.
    void OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    ControlWindows controls_;
    Win32Platform platform_;
    DoubleClickWatch text1DoubleClicks_;
    KeyboardNavigation keys_;
    App app_{platform_.platform()};
    const std::vector<Binding> bindings_ = Bindings(app_.form());
};

}  // namespace datrelle::win32
