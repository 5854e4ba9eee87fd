// The window's unload handler, which takes the tray icons away and writes the settings
// file, and "Save Changes", which writes the notes file. (The tray menu's "Settings"
// shows the window again; it is wired in App.cpp.)

#include <vector>

#include "app/App.h"
#include "settings/IniFile.h"

namespace datrelle {

void App::Unload() {
    // Closing and the end of the Windows session can both arrive; the settings are
    // written once.
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    DeleteTrayIcons();
    // An application that was neither opened nor chosen in this run is forgotten.
    if (!form_.mnuAutoApp.Checked()) {
        vars_.AppToRun.clear();
    }
    SkipOnFailure([&] { WriteSettings(); });
}

void App::DeleteTrayIcons() {
    SkipOnFailure([&] { sysTray_.DeleteTrayIcon(IconKind::Day, vars_.CurDay); });
    SkipOnFailure([&] { sysTray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth); });
}

void App::WriteSettings() {
    // Without a path the profile functions would write into the system's WIN.INI.
    if (iniFile_.empty()) {
        return;
    }
    const WindowRect rect = platform_.window.Rect();
    std::vector<const SettingKeyInfo*> keys;
    std::vector<std::string> texts;
    for (const SettingKey key : kWriteOrder) {
        if (auto text = FormatSetting(KeyInfo(key), CurrentValue(key, rect))) {
            keys.push_back(&KeyInfo(key));
            texts.push_back(std::move(*text));
        }
    }
    // Decided once, before the first value goes in: a file of values that the code page
    // can spell keeps its bytes. Should it not become UTF-16, the values are written all
    // the same, as near as the code page comes.
    if (NeedsUnicodeFile(texts, platform_.codePage)) {
        (void)MakeUnicodeFile(platform_.files, platform_.codePage, iniFile_);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // A settings file that cannot be written loses this run's settings; the program
        // ends all the same.
        (void)WriteIniValue(platform_.profile, keys[i]->section, keys[i]->writeName, texts[i],
                            iniFile_);
    }
}

SettingValue App::CurrentValue(SettingKey key, const WindowRect& rect) const {
    const auto state = [](const CheckBox& box) { return static_cast<std::int16_t>(box.Value()); };
    switch (key) {
        case SettingKey::Top:
            return rect.top;
        case SettingKey::Left:
            return rect.left;
        case SettingKey::Height:
            return rect.height;
        case SettingKey::Width:
            return rect.width;
        case SettingKey::LastURL:
            return platform_.browser.LocationURL();
        case SettingKey::AutoStart:
            return state(form_.Check1);
        case SettingKey::ShowMonth:
            return state(form_.Check2);
        case SettingKey::AutoHide:
            return state(form_.Check3);
        case SettingKey::DateFormat:
            return vars_.DateFormat;
        case SettingKey::WeatherAppPath:
            return vars_.WeatherAppPath;
        case SettingKey::StartWeather:
            return state(form_.Check4);
        case SettingKey::AppToRun:
            return vars_.AppToRun;
        case SettingKey::AppDelay:
            // Start-up gave the timer AppDelay, a 16-bit value.
            return static_cast<std::int16_t>(form_.Timer2.Interval());
    }
    return std::string();
}

std::string SaveFailedMessage(std::string_view earlierContentAt) {
    std::string message(kSaveFailedMessage);
    if (!earlierContentAt.empty()) {
        message += "\n\nThe text the file held before is kept in:\n";
        message += earlierContentAt;
    }
    return message;
}

void App::SaveChanges() {
    const std::optional<std::string> text = platform_.notes.Text();
    const Replacement saved =
        text ? notesFile_.Save(platform_.files, platform_.codePage, *text) : Replacement();
    if (!saved.done) {
        platform_.messages.Show(SaveFailedMessage(saved.earlierContentAt));
    }
    form_.Command8.SetVisible(false);
}

}  // namespace datrelle
