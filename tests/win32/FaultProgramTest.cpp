// The real program faced with broken or hostile surroundings: it keeps working, ends
// cleanly and leaves no file truncated.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "DialogDriver.h"
#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

using std::chrono::milliseconds;

// A file held open by another program that shares nothing: neither reads nor writes
// of it can succeed while this lives. (Wine running as root ignores the read-only
// attribute, so this is how failed writes are provoked here.)
class LockedFile {
  public:
    explicit LockedFile(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~LockedFile() { Release(); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE handle_;
};

SYSTEMTIME Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// Still at work: answering messages within the time given and showing today's day in
// the tray.
void ExpectWorking(const RunningProgram& program, milliseconds patience = milliseconds(5000)) {
    EXPECT_TRUE(program.Running());
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(program.mainWindow(), WM_NULL, 0, 0, SMTO_NORMAL,
                                  static_cast<UINT>(patience.count()), &result),
              0);
    EXPECT_TRUE(TrayHasIcon(program.DayHolder(Today().wDay)));
}

// The names in a folder, so leftovers such as temporary files show.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return names;
}

TEST(FaultProgramTest, BrokenSettingsNeitherStopNorCorruptTheProgram) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    const struct {
        const char* name;
        std::string settings;
    } cases[] = {
        {"binary garbage", garbage},
        {"values of 800 characters",
         "[View]\r\nTop=" + std::string(800, '9') + "\r\nLast URL=" + std::string(800, 'a') +
             "\r\n[Settings]\r\nApp to Run=" + std::string(800, 'b') + "\r\n"},
        {"missing weather program and auto-start file",
         "[Settings]\r\nNimbrel App path=C:\\no\\such\\nimbrel.exe\r\nStart Weather=1\r\n"
         "App to Run=C:\\no\\such\\file.exe\r\nMilliseconds before starting App=50\r\n"},
        {"numbers out of range",
         "[View]\r\nWidth=1E400\r\nHeight=-&HFFFFFFFFFF\r\n[Settings]\r\nAuto Start=99999\r\n"
         "date format=-40000\r\nMilliseconds before starting App=-7\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunningProgram program;
        WriteFile(program.settingsPath(), c.settings);
        ASSERT_TRUE(program.Start());
        Sleep(300);  // past the delayed start
        ExpectWorking(program);
        EXPECT_EQ(program.Close(), 0u);
        // The next start can read what this one wrote.
        EXPECT_NE(IniValue(program.settingsPath(), "Settings", "Show Month"), "<missing>");
        EXPECT_NE(IniValue(program.settingsPath(), "View", "Width"), "<missing>");
    }
}

TEST(FaultProgramTest, SettingsThatCannotBeWrittenAreLostWithoutHarm) {
    const std::string settings = "[View]\r\nTop=600\r\n[Settings]\r\nShow Month=0\r\n";
    const struct {
        const char* name;
        // Spoils the settings file's place; returns what keeps it spoilt while the
        // program runs.
        std::function<std::shared_ptr<void>(const RunningProgram&)> spoil;
        // What the settings file must hold after the program ended.
        std::function<void(const RunningProgram&)> check;
    } cases[] = {
        {"a read-only file in a read-only folder",
         [&](const RunningProgram& program) {
             WriteFile(program.settingsPath(), settings);
             SetFileAttributesA(program.settingsPath().c_str(), FILE_ATTRIBUTE_READONLY);
             SetFileAttributesA(program.folder().c_str(), FILE_ATTRIBUTE_READONLY);
             return std::shared_ptr<void>();
         },
         [](const RunningProgram& program) {
             // Whether or not the system let the program write, the file is whole.
             EXPECT_EQ(IniValue(program.settingsPath(), "Settings", "Show Month"), "0");
             EXPECT_EQ(IniValue(program.settingsPath(), "View", "Top"), "600");
         }},
        {"a file held open by another program",
         [&](const RunningProgram& program) -> std::shared_ptr<void> {
             WriteFile(program.settingsPath(), settings);
             auto lock = std::make_shared<LockedFile>(program.settingsPath());
             EXPECT_TRUE(lock->Held());
             return lock;
         },
         [&](const RunningProgram& program) {
             EXPECT_EQ(ReadFile(program.settingsPath()), settings);
         }},
        {"a folder where the file should be",
         [](const RunningProgram& program) {
             EXPECT_TRUE(CreateDirectoryA(program.settingsPath().c_str(), nullptr));
             return std::shared_ptr<void>();
         },
         [](const RunningProgram& program) {
             const DWORD attributes = GetFileAttributesA(program.settingsPath().c_str());
             EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
             EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunningProgram program;
        {
            const std::shared_ptr<void> spoilt = c.spoil(program);
            ASSERT_TRUE(program.Start());
            ExpectWorking(program);
            EXPECT_EQ(program.Close(), 0u);
        }
        c.check(program);
        SetFileAttributesA(program.folder().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(FaultProgramTest, LockedNotesFileIsNeitherLoadedNorTruncated) {
    const std::string text = "kept\r\nas it was\r\n";
    RunningProgram program;
    const std::string path = program.folder() + "\\notes.txt";
    WriteFile(path, text);
    {
        // Locked at start-up: the box keeps its hint.
        LockedFile lock(path);
        ASSERT_TRUE(lock.Held());
        ASSERT_TRUE(program.Start());
        EXPECT_NE(program.Child("Edit", "... Double-Click to load text file ...\r\n"), nullptr);
    }

    // Loaded through the dialog, then locked before "Save Changes".
    const HWND notes = program.Child("Edit", "... Double-Click to load text file ...\r\n");
    ASSERT_NE(notes, nullptr);
    PostMessageA(notes, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    const HWND dialog = WaitForDialog(program.processId());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseFile(dialog, path));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(notes) == "kept\r\nas it was"; }));
    program.Send(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    {
        LockedFile lock(path);
        ASSERT_TRUE(lock.Held());
        PostMessageA(program.Child("Button", "Save Changes"), BM_CLICK, 0, 0);
        const HWND message = WaitForDialog(program.processId(), "Error! Changes were not saved!");
        ASSERT_NE(message, nullptr);
        ASSERT_TRUE(PressButton(message, "OK"));
    }
    ExpectWorking(program);
    EXPECT_EQ(program.Close(), 0u);
    EXPECT_EQ(ReadFile(path), text);
    // Nothing half-written left beside it.
    EXPECT_EQ(Names(program.folder()).size(), 3u);  // the program, its settings, the notes
}

TEST(FaultProgramTest, VeryLargeNotesFileIsLoadedWhole) {
    std::string line(78, 'x');
    line += "\r\n";
    std::string text;
    text.reserve(50u << 20);
    while (text.size() + line.size() <= (50u << 20)) {
        text += line;
    }
    RunningProgram program;
    const std::string path = program.folder() + "\\notes.txt";
    WriteFile(path, text);
    // Wine's edit control lays out the 650,000 lines one by one, for half a minute or
    // more each time the box is filled or resized.
    ASSERT_TRUE(program.Start(milliseconds(300000)));
    ExpectWorking(program, milliseconds(300000));
    const std::vector<HWND> children = Children(program.mainWindow());
    const auto notes = std::find_if(children.begin(), children.end(),
                                    [](HWND child) { return ClassName(child) == "Edit"; });
    ASSERT_NE(notes, children.end());
    // The last line end goes; every other character arrives.
    EXPECT_EQ(program.Send(*notes, WM_GETTEXTLENGTH), static_cast<LRESULT>(text.size() - 2));
    EXPECT_EQ(program.Close(), 0u);
    EXPECT_EQ(ReadFile(path).size(), text.size());
}

TEST(FaultProgramTest, WindowSavedOffEveryScreenComesBackOnOne) {
    const struct {
        const char* name;
        const char* top;
        const char* left;
    } cases[] = {
        {"above and left of the screen", "-90000", "-90000"},
        {"below and right of the screen", "200000", "200000"},
    };
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunningProgram program;
        WriteFile(program.settingsPath(),
                  std::string("[View]\r\nTop=") + c.top + "\r\nLeft=" + c.left + "\r\n");
        ASSERT_TRUE(program.Start());
        RECT place{};
        ASSERT_TRUE(GetWindowRect(program.mainWindow(), &place));
        EXPECT_GE(place.left, 0);
        EXPECT_GE(place.top, 0);
        EXPECT_LE(place.right, screenWidth);
        EXPECT_LE(place.bottom, screenHeight);
        EXPECT_EQ(program.Close(), 0u);
        // Saved where it was reached, so the next start finds it too.
        EXPECT_GE(std::stoi(IniValue(program.settingsPath(), "View", "Left")), 0);
        EXPECT_GE(std::stoi(IniValue(program.settingsPath(), "View", "Top")), 0);
    }
}

}  // namespace
}  // namespace datrelle::testing
