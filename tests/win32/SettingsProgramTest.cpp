// Start-up and shutdown of the real program: the settings file it creates and reads,
// the single instance, every way of closing, and the first notes file.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "RunningProgram.h"
#include "win32/ProgramLocation.h"

namespace datrelle::testing {
namespace {

// "[Section]" and "KEY" lines of an INI text, in order.
std::vector<std::string> Layout(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.resize(std::min({line.find('='), line.find('\r'), line.size()}));
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

class SettingsProgramTest : public ::testing::Test {
  protected:
    std::string Ini() const { return program.settingsPath(); }

    RunningProgram program;
};

TEST_F(SettingsProgramTest, FirstRunCreatesTheTwelveKeysInOrder) {
    ASSERT_TRUE(program.Start());
    ASSERT_EQ(program.Close(), 0u);
    EXPECT_EQ(Layout(ReadFile(Ini())),
              (std::vector<std::string>{"[View]", "TOP", "LEFT", "HEIGHT", "WIDTH", "LAST URL",
                                        "[Settings]", "AUTO START", "SHOW MONTH", "AUTO HIDE",
                                        "DATE FORMAT", "START WEATHER", "APP TO RUN",
                                        "MILLISECONDS BEFORE STARTING APP"}));
    EXPECT_EQ(IniValue(Ini(), "Settings", "Show Month"), "1");
    EXPECT_EQ(IniValue(Ini(), "Settings", "Milliseconds before starting App"), "0");
}

TEST_F(SettingsProgramTest, CraftedSettingsAreAppliedAndWrittenBack) {
    WriteFile(Ini(),
              "; kept as it is\r\n[View]\r\ntop=1500\r\nleft=3000\r\nheight=4500\r\nwidth=9000\r\n"
              "[Settings]\r\nShow Month=0\r\ndate format=2\r\nNimbrel App path=C:\\nowhere.exe\r\n"
              "[Other]\r\nkey=value\r\n");
    ASSERT_TRUE(program.Start());
    RECT outer;
    GetWindowRect(program.mainWindow(), &outer);
    EXPECT_NEAR(outer.left,
                MulDiv(3000, static_cast<int>(GetDpiForWindow(program.mainWindow())), 1440), 1);
    EXPECT_EQ(program.Send(program.Child("Button", "Show Month Icon"), BM_GETCHECK), BST_UNCHECKED);
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_FALSE(TrayHasIcon(program.MonthHolder(today.wMonth)));
    EXPECT_TRUE(TrayHasIcon(program.DayHolder(today.wDay)));
    ASSERT_EQ(program.Close(), 0u);

    const std::string saved = ReadFile(Ini());
    // Existing keys keep their letter case; what the program does not know stays.
    EXPECT_NE(saved.find("; kept as it is"), std::string::npos);
    EXPECT_NE(saved.find("top="), std::string::npos);
    EXPECT_NE(saved.find("key=value"), std::string::npos);
    EXPECT_EQ(std::stod(IniValue(Ini(), "View", "Height")), 4500);
    EXPECT_EQ(IniValue(Ini(), "Settings", "Show Month"), "0");
    EXPECT_EQ(std::stod(IniValue(Ini(), "Settings", "Date format")), 2);
    EXPECT_EQ(IniValue(Ini(), "Settings", "Nimbrel App path"), "C:\\nowhere.exe");
}

TEST_F(SettingsProgramTest, ASecondCopyEndsAtOnceAndTouchesNothing) {
    ASSERT_TRUE(program.Start());
    RunningProgram second;
    ASSERT_FALSE(second.Start());
    EXPECT_EQ(second.WaitForExit(std::chrono::milliseconds(5000)), 0u);
    EXPECT_EQ(GetFileAttributesA((second.folder() + "\\Datrelle.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(program.Running());
}

TEST_F(SettingsProgramTest, ACopyThatMayNotOpenTheRunningCopysMutexEndsToo) {
    // An empty access list, as a copy running elevated leaves for one that is not.
    SECURITY_DESCRIPTOR security;
    ACL noAccess;
    ASSERT_TRUE(InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(InitializeAcl(&noAccess, sizeof noAccess, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&security, TRUE, &noAccess, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &security, FALSE};
    const win32::UniqueHandle running(
        CreateMutexA(&attributes, FALSE, win32::kSingleInstanceMutex));
    ASSERT_TRUE(running);

    ASSERT_FALSE(program.Start());
    EXPECT_EQ(program.WaitForExit(std::chrono::milliseconds(5000)), 0u);
    EXPECT_EQ(GetFileAttributesA(Ini().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingsProgramTest, EveryWayOfClosingWritesTheSettingsAndRemovesTheIcons) {
    struct Way {
        const char* name;
        void (*close)(RunningProgram&);
    };
    const Way ways[] = {
        {"Exit Program",
         [](RunningProgram& p) {
             PostMessageA(p.Child("Button", "Exit Program"), BM_CLICK, 0, 0);
         }},
        {"close box",
         [](RunningProgram& p) { PostMessageA(p.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](RunningProgram& p) { PostMessageA(p.mainWindow(), WM_CLOSE, 0, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        RunningProgram local;
        ASSERT_TRUE(local.Start());
        SYSTEMTIME today;
        GetLocalTime(&today);
        const HWND dayHolder = local.DayHolder(today.wDay);
        const HWND monthHolder = local.MonthHolder(today.wMonth);
        ASSERT_TRUE(TrayHasIcon(monthHolder));
        way.close(local);
        EXPECT_EQ(local.WaitForExit(std::chrono::milliseconds(10000)), 0u);
        EXPECT_EQ(Layout(ReadFile(local.folder() + "\\Datrelle.ini")).size(), 14u);
        EXPECT_FALSE(TrayHasIcon(dayHolder));
        EXPECT_FALSE(TrayHasIcon(monthHolder));
    }
}

// The end of the user's session, and an installer's Restart Manager closing the program
// to replace it (ENDSESSION_CLOSEAPP).
TEST(SettingsEndOfSessionTest, EndOfTheWindowsSessionSavesTheSettings) {
    for (const LPARAM reason : {LPARAM{ENDSESSION_LOGOFF}, LPARAM{ENDSESSION_CLOSEAPP}}) {
        SCOPED_TRACE(reason);
        RunningProgram program;
        ASSERT_TRUE(program.Start());
        EXPECT_TRUE(program.Send(program.mainWindow(), WM_QUERYENDSESSION, 0, reason));
        program.Send(program.mainWindow(), WM_ENDSESSION, TRUE, reason);
        EXPECT_EQ(Layout(ReadFile(program.settingsPath())).size(), 14u);
        EXPECT_EQ(program.WaitForExit(std::chrono::milliseconds(5000)), 0u);
    }
}

TEST_F(SettingsProgramTest, HiddenSettingsFileCountsAsMissingAndIsWrittenAgain) {
    WriteFile(Ini(), "[Settings]\r\nShow Month=0\r\n");
    SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(program.Send(program.Child("Button", "Show Month Icon"), BM_GETCHECK), BST_CHECKED);
    ASSERT_EQ(program.Close(), 0u);
    EXPECT_EQ(IniValue(Ini(), "Settings", "Show Month"), "1");
}

TEST_F(SettingsProgramTest, FirstTextFileOfTheFolderIsLoadedWithTheLineRules) {
    WriteFile(program.folder() + "\\notes.txt", "\r\n\r\nabc\r\ndef\rghi\nstill ghi\r\n");
    ASSERT_TRUE(program.Start());
    EXPECT_NE(program.Child("Edit", "abc\r\ndef\r\nghi\nstill ghi"), nullptr);
    EXPECT_FALSE(Shown(program.Child("Button", "Save Changes")));
}

}  // namespace
}  // namespace datrelle::testing
