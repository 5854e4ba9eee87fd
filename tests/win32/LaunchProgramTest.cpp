// Starting other programs from the real program: the Run value behind "Auto-Start with
// Windows", the file opened after the delay, the weather program, and the chooser
// driven through the real Open dialog.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "DialogDriver.h"
#include "Marker.h"
#include "RunningProgram.h"
#include "resource.h"

namespace datrelle::testing {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr const char* kRunKey = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
constexpr const char* kRunValueName = "Datrelle.exe";

// The Run value's bytes as stored (its NUL included), or nullopt when there is none.
std::optional<std::string> RunValue(HKEY root) {
    const auto value = ReadRegistryValue(root, kRunKey, kRunValueName);
    return value && value->type == REG_SZ ? std::optional(value->bytes) : std::nullopt;
}

void DeleteRunValue() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, kRunValueName);
            RegCloseKey(key);
        }
    }
}

std::string StoredString(const std::string& text) {
    return text + std::string(1, '\0');
}

class LaunchProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { outside = MakeTempFolder(); }
    void TearDown() override {
        RemoveFolder(outside);
        DeleteRunValue();
    }

    std::string Ini() const { return program.settingsPath(); }
    std::string SubFolder(const std::string& name) const {
        const std::string folder = outside + "\\" + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }

    RunningProgram program;
    std::string outside;  // where the programs that Datrelle starts live
};

TEST_F(LaunchProgramTest, ChosenFileIsOpenedOnceInItsOwnFolderAfterTheDelay) {
    const std::string folder = SubFolder("launch me");
    const std::string app = folder + "\\app.exe";
    ASSERT_TRUE(PlaceMarker(app));
    WriteFile(Ini(),
              "[Settings]\r\nApp to Run=" + app + "\r\nMilliseconds before starting App=2000\r\n");
    const auto started = steady_clock::now();
    ASSERT_TRUE(program.Start());
    if (steady_clock::now() - started < milliseconds(1500)) {
        EXPECT_TRUE(MarkerRecords(folder).empty());
    }
    ASSERT_TRUE(WaitUntil([&] { return !MarkerRecords(folder).empty(); }, milliseconds(10000)));
    EXPECT_GE(steady_clock::now() - started, milliseconds(2000));
    const MarkerRecord record = MarkerRecords(folder)[0];
    EXPECT_TRUE(SameFolder(record.workingFolder, folder)) << record.workingFolder;
    EXPECT_EQ(record.showMode, SW_SHOWNORMAL);
    // Another interval passes without a second tick.
    Sleep(2500);
    EXPECT_EQ(MarkerRecords(folder).size(), 1u);
    ASSERT_EQ(program.Close(), 0u);
    // Opened in this run, so it is kept for the next.
    EXPECT_EQ(IniValue(Ini(), "Settings", "App to run"), app);
}

TEST_F(LaunchProgramTest, QuittingBeforeTheDelayOpensNothingAndForgetsTheFile) {
    const std::string app = outside + "\\app.exe";
    ASSERT_TRUE(PlaceMarker(app));
    WriteFile(Ini(),
              "[Settings]\r\nApp to Run=" + app + "\r\nMilliseconds before starting App=30000\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_EQ(program.Close(), 0u);
    EXPECT_TRUE(MarkerRecords(outside).empty());
    EXPECT_EQ(IniValue(Ini(), "Settings", "App to run"), "");
}

TEST_F(LaunchProgramTest, WeatherProgramInAFolderWithSpacesIsStartedMinimized) {
    const std::string folder = SubFolder("Nimbrel Weather");
    const std::string weather = folder + "\\nimbrel.exe";
    ASSERT_TRUE(PlaceMarker(weather));
    // What an unquoted command line would start instead.
    ASSERT_TRUE(PlaceMarker(outside + "\\Nimbrel.exe"));
    WriteFile(Ini(), "[Settings]\r\nNimbrel App path=" + weather + "\r\nStart Weather=1\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(WaitUntil([&] { return MarkerRecords(folder).size() == 1; }));
    const MarkerRecord record = MarkerRecords(folder)[0];
    EXPECT_EQ(record.commandLine, "\"" + weather + "\"");
    EXPECT_EQ(record.showMode, SW_MINIMIZE);
    EXPECT_TRUE(IsWindowEnabled(program.Child("Button", "Auto Start App")));

    // Unchecking starts nothing; checking again starts another one.
    const HWND box = program.Child("Button", "Start Nimbrel");
    program.Send(box, BM_CLICK);
    EXPECT_EQ(program.Send(box, BM_GETCHECK), BST_UNCHECKED);
    Sleep(300);
    EXPECT_EQ(MarkerRecords(folder).size(), 1u);
    program.Send(box, BM_CLICK);
    EXPECT_TRUE(WaitUntil([&] { return MarkerRecords(folder).size() == 2; }));
    EXPECT_TRUE(MarkerRecords(outside).empty());
}

TEST_F(LaunchProgramTest, AutoStartWithWindowsWritesAndRemovesTheQuotedRunValue) {
    DeleteRunValue();
    RunningProgram spaced("Datrelle.exe", "Date Tray");
    ASSERT_TRUE(spaced.Start());
    const HWND box = spaced.Child("Button", "Auto-Start with Windows");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE));
    spaced.Send(box, BM_CLICK);
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), StoredString("\"" + spaced.exePath() + "\""));
    spaced.Send(box, BM_CLICK);
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(RunValue(HKEY_CURRENT_USER));
}

TEST_F(LaunchProgramTest, StartUpWritesTheRunValueOnlyWhenAutoStartIsOn) {
    WriteFile(Ini(), "[Settings]\r\nAuto Start=1\r\n");
    ASSERT_TRUE(program.Start());
    // Quoted only when the path has a space (the whole suite also runs in such a folder).
    const std::string path = program.exePath();
    const std::string expected = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), StoredString(expected));
    ASSERT_EQ(program.Close(), 0u);

    // Off: the value stays exactly as it was.
    RunningProgram off;
    WriteFile(off.folder() + "\\Datrelle.ini", "[Settings]\r\nAuto Start=0\r\n");
    ASSERT_TRUE(off.Start());
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), StoredString(expected));
}

TEST_F(LaunchProgramTest, AutoStartAppStoresTheFileChosenInTheDialog) {
    const std::string weather = outside + "\\nimbrel.exe";
    const std::string chosen = outside + "\\chosen.exe";
    ASSERT_TRUE(PlaceMarker(weather));
    ASSERT_TRUE(PlaceMarker(chosen));
    WriteFile(Ini(), "[Settings]\r\nNimbrel App path=" + weather + "\r\n");
    ASSERT_TRUE(program.Start());
    // Posted: the dialog is modal and would hold a sent click until it closes.
    PostMessageA(program.Child("Button", "Auto Start App"), BM_CLICK, 0, 0);
    const HWND dialog = WaitForDialog(program.processId());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseFile(dialog, chosen));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_EQ(program.Close(), 0u);
    EXPECT_EQ(IniValue(Ini(), "Settings", "App to run"), chosen);
    // Chosen, not opened: the delay of 0 never opens it in this run.
    EXPECT_TRUE(MarkerRecords(outside).empty());
}

// The menu item opens the chooser also while "Auto Start App" is disabled (no weather
// program), and a Cancel keeps the stored choice although the delay never opened it.
TEST_F(LaunchProgramTest, MenuItemCancelledKeepsAStoredChoiceThatWasNotOpened) {
    const std::string stored = outside + "\\stored.exe";
    WriteFile(Ini(),
              "[Settings]\r\nApp to Run=" + stored + "\r\nMilliseconds before starting App=0\r\n");
    ASSERT_TRUE(program.Start());
    EXPECT_FALSE(IsWindowEnabled(program.Child("Button", "Auto Start App")));
    PostMessageA(program.mainWindow(), WM_COMMAND, IDM_AUTO_APP, 0);
    const HWND dialog = WaitForDialog(program.processId());
    ASSERT_NE(dialog, nullptr);
    CancelDialog(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_EQ(program.Close(), 0u);
    EXPECT_EQ(IniValue(Ini(), "Settings", "App to run"), stored);
}

}  // namespace
}  // namespace datrelle::testing
