#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "app/App.h"
#include "form/Bindings.h"
#include "platform/Platform.h"
#include "win32/BrowserHost.h"
#include "win32/ControlWindows.h"
#include "win32/DoubleClickWatch.h"
#include "win32/KeyboardNavigation.h"
#include "win32/OleScope.h"
#include "win32/TrayIcons.h"
#include "win32/Unique.h"
#include "win32/Win32Calendar.h"
#include "win32/Win32Clipboard.h"
#include "win32/Win32CodePage.h"
#include "win32/Win32FileDialog.h"
#include "win32/Win32Files.h"
#include "win32/Win32Messages.h"
#include "win32/Win32NotesBox.h"
#include "win32/Win32Profile.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Shell.h"
#include "win32/Win32Window.h"

// Form1: the program's one window, its life from creation to the end of the program and
// its one dispatch point. One window procedure finds this object and hands each message
// to the part whose business it is: the tray's to the tray icons, the keyboard's to the
// keyboard navigation, the controls' events through the binding table to their models,
// and the rest to the portable logic.

namespace datrelle::win32 {

class MainWindow {
  public:
    MainWindow(HINSTANCE instance, ProgramFile program)
        : instance_(instance), program_(std::move(program)) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, hidden, ready to make the picture boxes that own the tray icons.
    // The rest of it is made during start-up, as soon as the date is in the tray.
    [[nodiscard]] bool Create();
    // Runs start-up, then shows the window. False when the controls could not be made:
    // the window is gone again and the program ends.
    [[nodiscard]] bool Start();

    // The message loop's first look at every message of the thread, before it is
    // dispatched. True when the message was used, or dropped.
    bool PreTranslate(MSG& message) noexcept;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    bool MakeControls();
    void AttachPlatform();
    void OnCommand(WPARAM wParam);
    void OnDpiChanged(LPARAM lParam);
    void SetCreationSize();

    HINSTANCE instance_;
    ProgramFile program_;
    // Started with the controls, before the browser control in them, and ended after
    // the window and every OLE object in it are gone.
    std::optional<OleScope> ole_;
    HWND window_ = nullptr;
    UniqueMenu menu_;
    HMENU popup_ = nullptr;  // the submenu mnuPop; owned by menu_

    TrayIcons tray_;
    ControlWindows controls_;
    Win32Calendar calendar_;
    Win32Messages messages_;
    Win32Profile profile_;
    Win32Files files_;
    Win32CodePage codePage_;
    Win32Window mainWindow_;
    Win32NotesBox notes_;
    BrowserHost browser_;
    Win32Clipboard clipboard_;
    Win32FileDialog fileDialog_;
    Win32Registry registry_;
    Win32Shell shell_;
    DoubleClickWatch text1DoubleClicks_;
    KeyboardNavigation keys_;
    Platform platform_{tray_,       calendar_,   messages_, profile_, files_,
                       codePage_,   mainWindow_, notes_,    browser_, clipboard_,
                       fileDialog_, registry_,   shell_,    program_};
    App app_{platform_};
    const std::vector<Binding> bindings_ = Bindings(app_.form());
};

}  // namespace datrelle::win32
