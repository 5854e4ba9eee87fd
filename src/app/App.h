#pragma once

#include <functional>
#include <string>

#include "form/CommonDialog.h"
#include "form/Form.h"
#include "launch/AutoStartChooser.h"
#include "launch/Launcher.h"
#include "launch/RegStuff.h"
#include "platform/Platform.h"
#include "settings/SettingKeys.h"
#include "tray/AutoHide.h"
#include "tray/DateRefresh.h"
#include "tray/SysTray.h"
#include "tray/TrayMouse.h"
#include "tray/WeekIcon.h"
#include "viewer/BrowserPanel.h"
#include "viewer/NotesFile.h"
#include "viewer/NotesPanel.h"
#include "viewer/WindowLayout.h"

// The top of the program: owns the window's control models and the shared variables,
// wires every control's handler to its subsystem, and runs start-up and shutdown.
// The Win32 layer turns messages into calls of these functions.

namespace datrelle {

inline constexpr std::string_view kSaveFailedMessage = "Error! Changes were not saved!";

// The failed save's message; when the system left the file's earlier text under another
// name, the message says where it is, as nothing else would ever show it.
std::string SaveFailedMessage(std::string_view earlierContentAt);

// Windows 10 and 11 put the icons of a program they have not seen before behind the
// "^" button of the taskbar: a first run says where they are.
inline constexpr std::string_view kFirstRunText =
    "Today's date is in the notification area. If you do not see it, click ^ on the taskbar "
    "and drag both date icons onto the taskbar.";

class App {
  public:
    explicit App(Platform& platform);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Form& form() { return form_; }
    const SharedVariables& vars() const { return vars_; }
    const NotesFile& notesFile() const { return notesFile_; }
    const SysTray& sysTray() const { return sysTray_; }
    const std::string& iniFile() const { return iniFile_; }

    // What a start asks of the window, which only the platform's layer can make. A
    // step left out counts as done; one that throws, as failed.
    struct StartSteps {
        // The window, hidden, and what the tray icons need of it.
        std::function<bool()> makeWindow;
        // The rest of it: its controls, which show the states their models hold.
        std::function<bool()> makeControls;
        std::function<void()> show;
    };
    // The window's load handler, with the window's making around it: runs once, and its
    // steps are the order of a start (see Startup.cpp). False when the window or its
    // controls could not be made: the icons are gone from the tray again, and the
    // settings are left as they are (also by the unload handler).
    [[nodiscard]] bool Start(const StartSteps& steps = {});
    // The window's unload handler: every way of closing the window ends here, once.
    void Unload();

    // The window's size or state changed. Nothing before the controls are made.
    void OnResize();
    // Esc in the window: it goes to the tray, where an icon brings it back, as it is.
    // Unlike closing it, this ends nothing and saves nothing.
    void OnEscape();
    // A notification of the mouse or the keyboard from either tray icon. Nothing before
    // the controls are made.
    void OnTrayMouse(const TrayNotification& notification);
    // The browser's document title changed.
    void OnBrowserTitleChange(const std::string& title);
    // Double clicks on the title label Label1 and on the notes box Text1.
    void OnLabel1DoubleClick();
    void OnText1DoubleClick();
    // The icons must be added to the tray again: Explorer made a new taskbar (it
    // restarted, or its scaling changed), or the icons' images were loaded at a new size.
    void OnTrayIconsLost();
    // The clock or the time zone changed, or the machine woke from sleep: today may
    // not be the day the tray shows.
    void OnDateMayHaveChanged();
    // The regional date formats changed: the tooltips name the date in the new long
    // form, although the day is the same.
    void OnRegionalFormatChanged();

  private:
    void WireHandlers();

    // Where a setting goes at start-up and comes from at exit.
    struct SettingPlace {
        std::function<SettingValue()> current;
        std::function<void(const SettingValue&)> apply;
    };
    SettingPlace PlaceOf(SettingKey key);

    // Start-up's steps.
    void Load();
    void ReadSettings();
    void LoadFirstNotesFile();
    void StartTimers();

    // Shutdown and the commands beside it.
    void DeleteTrayIcons();
    void WriteSettings();
    void SaveChanges();
    void ShowWindowAgain();

    Platform& platform_;
    Form form_;
    SharedVariables vars_;
    std::string iniFile_;
    // How far the program has come. Starting: the window may have no controls yet, so
    // there is nothing to lay out and no window for the icons to bring up. Ended: the
    // unload handler has run, or the start failed; nothing is written any more.
    enum class Stage { Starting, Running, Ended } stage_ = Stage::Starting;
    // Whether a settings file said if the week icon is wanted: when none has, turning
    // it on is the first time.
    bool showWeekStored_ = false;
    SysTray sysTray_;
    DateRefresh dateRefresh_;
    WindowLayout layout_;
    WeekIcon weekIcon_;
    TrayMouse trayMouse_;
    AutoHide autoHide_;
    CommonDialog commonDialog_;
    BrowserPanel browserPanel_;
    NotesFile notesFile_;
    NotesPanel notesPanel_;
    RegStuff regStuff_;
    Launcher launcher_;
    AutoStartChooser autoStartChooser_;
};

// Runs one step of a sequence that skips a failing step and goes on with the next.
void SkipOnFailure(const std::function<void()>& step) noexcept;

}  // namespace datrelle
