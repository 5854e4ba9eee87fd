#pragma once

#include <windows.h>

#include <optional>

#include "platform/Platform.h"
#include "win32/BrowserHost.h"
#include "win32/ControlWindows.h"
#include "win32/MonthCalendarWindow.h"
#include "win32/OleScope.h"
#include "win32/TrayIcons.h"
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

// What the logic asks of Windows, one implementation of each interface, and where each
// reaches the main window: some as soon as the window exists, the others once its
// controls do.

namespace datrelle::win32 {

class Win32Platform {
  public:
    explicit Win32Platform(ProgramFile program)
        : platform_{tray_,       calendar_, messages_, profile_,   files_,
                    codePage_,   window_,   notes_,    browser_,   clipboard_,
                    fileDialog_, registry_, shell_,    monthView_, std::move(program)} {}
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // The window, as soon as it exists: what the icons in the tray and the messages need.
    // False when the icons' boxes cannot be readied.
    [[nodiscard]] bool AttachWindow(HWND window, HINSTANCE instance);
    // The window's controls, once they exist. OLE starts here, just before the browser
    // control is made.
    void AttachControls(const ControlWindows& controls);

    Platform& platform() { return platform_; }
    TrayIcons& tray() { return tray_; }
    Win32Window& window() { return window_; }
    BrowserHost& browser() { return browser_; }

  private:
    // Ended after every OLE object is gone: the browser control below, and the window
    // that held it, destroyed when the program closed.
    std::optional<OleScope> ole_;
    TrayIcons tray_;
    Win32Calendar calendar_;
    Win32Messages messages_;
    Win32Profile profile_;
    Win32Files files_;
    Win32CodePage codePage_;
    Win32Window window_;
    Win32NotesBox notes_;
    BrowserHost browser_;
    Win32Clipboard clipboard_;
    Win32FileDialog fileDialog_;
    Win32Registry registry_;
    Win32Shell shell_;
    // Nothing of it is made before it first opens.
    MonthCalendarWindow monthView_{calendar_};
    Platform platform_;
};

}  // namespace datrelle::win32
