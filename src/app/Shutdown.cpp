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
    if (stage_ == Stage::Ended) {
        return;
    }
    stage_ = Stage::Ended;
    DeleteTrayIcons();
    platform_.monthView.Close();
    // An application that was neither opened nor chosen in this run is forgotten.
    if (!form_.mnuAutoApp.Checked()) {
        vars_.AppToRun.clear();
    }
    SkipOnFailure([&] { WriteSettings(); });
}

void App::DeleteTrayIcons() {
    SkipOnFailure([&] { sysTray_.DeleteTrayIcon(IconKind::Day, vars_.CurDay); });
    SkipOnFailure([&] { sysTray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth); });
    SkipOnFailure([&] { weekIcon_.Remove(); });
}

void App::WriteSettings() {
    // Without a path the profile functions would write into the system's WIN.INI.
    if (iniFile_.empty()) {
        return;
    }
    // In the table's order; the key that is only read formats to nothing.
    std::vector<const SettingKeyInfo*> keys;
    std::vector<std::string> texts;
    for (const SettingKeyInfo& info : kSettingKeys) {
        if (auto text = FormatSetting(info, PlaceOf(info.key).current())) {
            keys.push_back(&info);
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
