// A start, in its order, and the window's load handler in it. The icons come first: the
// program does what a program that shows tray icons and nothing else does (a hidden
// window, the icons' boxes, the date) before anything else. After the single-instance
// test (done before the window exists), every step of the load handler that fails is
// skipped and start-up goes on with the next one.

#include <algorithm>

#include "app/App.h"
#include "settings/IniFile.h"
#include "viewer/BrowserPanel.h"

namespace datrelle {
namespace {

constexpr int kLongHideInterval = 130000;

// A step of the window's: done when left out, failed when it throws.
bool Done(const std::function<bool()>& step) noexcept {
    try {
        return !step || step();
    } catch (...) {
        return false;
    }
}

}  // namespace

bool App::Start(const StartSteps& steps) {
    // 1. The window, hidden, with the boxes that will own the icons.
    if (!Done(steps.makeWindow)) {
        stage_ = Stage::Ended;
        return false;
    }
    // 2. The date into the tray.
    const ProgramFile& program = platform_.program;
    SkipOnFailure([&] { iniFile_ = IniFilePath(program.folder, program.baseName); });
    SkipOnFailure([&] { dateRefresh_.RefreshDate(); });
    // 3. The rest of the window. A program without its controls ends as one whose window
    // could not be made.
    if (!Done(steps.makeControls)) {
        stage_ = Stage::Ended;
        DeleteTrayIcons();
        return false;
    }
    // Until now a resize had no panels to lay out and a click on an icon no window to
    // bring up: both were ignored. The panels take the window's size, as every resize
    // event from now on gives them.
    stage_ = Stage::Running;
    layout_.OnResize();
    // 4. Everything else: the settings, the first page, the notes and the timers.
    Load();
    // 5. The window is shown where the settings put it.
    if (steps.show) {
        steps.show();
    }
    return true;
}

void App::Load() {
    const ProgramFile& program = platform_.program;
    // Before any check box is set: the Run value is named after the executable.
    SkipOnFailure([&] { vars_.ExeName = program.baseName + ".exe"; });
    SkipOnFailure([&] { ReadSettings(); });
    // After the two date icons, and only when wanted.
    SkipOnFailure([&] { weekIcon_.Start(!showWeekStored_); });
    SkipOnFailure([&] { platform_.browser.Navigate(FirstPage(vars_.LastURL)); });
    SkipOnFailure([&] { LoadFirstNotesFile(); });
    StartTimers();
    // Both icons are in the tray by now. Any settings file, even one that is not read
    // (hidden, say), tells of an earlier run: only the exit writes one. A shell that
    // refuses the notification changes nothing else, and the next start finds a settings
    // file and stays silent.
    SkipOnFailure([&] {
        if (!iniFile_.empty() && !platform_.files.Exists(iniFile_)) {
            (void)sysTray_.ShowNotification(IconKind::Day, vars_.CurDay, kNotificationTitle,
                                            kFirstRunText);
        }
    });
}

void App::ReadSettings() {
    Window& window = platform_.window;
    if (iniFile_.empty() || !platform_.files.IsOrdinaryFile(iniFile_)) {
        layout_.PlaceCompactBottomRight();
        return;
    }
    for (const SettingKey key : kReadOrder) {
        SkipOnFailure([&] {
            const SettingKeyInfo& info = KeyInfo(key);
            const std::string text =
                ReadIniValue(platform_.profile, info.section, info.readName, iniFile_);
            showWeekStored_ = showWeekStored_ || (key == SettingKey::ShowWeek && !text.empty());
            // A value that cannot be converted leaves its target as it is.
            if (const auto value = ParseSetting(info, text)) {
                PlaceOf(key).apply(*value);
            }
        });
    }
    // A window saved on a monitor that is gone could never be reached again.
    if (!window.OnSomeMonitor(window.Rect())) {
        layout_.PlaceCompactBottomRight();
    }
}

void App::LoadFirstNotesFile() {
    const std::string& folder = platform_.program.folder;
    // The folder and the pattern are joined as they are, also at a drive root.
    if (const auto name = platform_.files.FindFirst(folder + "\\*.txt")) {
        notesPanel_.Open(folder + "\\" + *name);
    }
}

void App::StartTimers() {
    SkipOnFailure([&] {
        if (form_.Check1.Value() == CheckBox::kChecked) {
            form_.Timer1.SetInterval(kLongHideInterval);
        }
    });
    // When Auto-Hide is checked, its handler has enabled the timer already.
    SkipOnFailure([&] {
        if (form_.Check3.Value() != CheckBox::kChecked) {
            form_.Timer1.SetEnabled(true);
        }
    });
    SkipOnFailure([&] {
        form_.MnuCopyClipLong.SetChecked(vars_.DateFormat == kLongDateFormat);
        form_.MnuCopyClipShort.SetChecked(vars_.DateFormat == kShortDateFormat);
        form_.MnuCopyClipIso.SetChecked(vars_.DateFormat == kIsoDateFormat);
        form_.MnuCopyWeek.SetChecked(vars_.DateFormat == kWeekFormat);
    });
    SkipOnFailure([&] {
        if (platform_.files.IsOrdinaryFile(vars_.WeatherAppPath)) {
            form_.Command9.SetEnabled(true);
        }
    });
    // A delay of 0 never fires; a negative one, written by hand, counts as 0 rather
    // than leaving the timer at its short design interval.
    SkipOnFailure([&] {
        form_.Timer2.SetInterval(std::max<int>(vars_.AppDelay, 0));
        form_.Timer2.SetEnabled(true);
    });
    SkipOnFailure([&] { form_.Timer3.SetEnabled(true); });
}

}  // namespace datrelle
