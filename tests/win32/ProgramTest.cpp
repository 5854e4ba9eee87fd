// The real Datrelle.exe, started and driven from outside as a user, the shell and
// Windows would. Each test starts its own copy, in a folder of its own, from what it sets
// up there: a first run, crafted settings, broken or hostile surroundings, a clock of its
// own; so any test runs alone and in any order.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <utility>

#include "Driver.h"
// After windows.h, which it needs.
#include <sddl.h>

#include "app/App.h"
#include "resource.h"
#include "tray/SysTray.h"
#include "tray/TrayMouse.h"
#include "viewer/BrowserPanel.h"
#include "viewer/TextEncoding.h"
#include "win32/ProgramLocation.h"
#include "win32/Win32Messages.h"

namespace datrelle::testing {
namespace {

using namespace std::string_literals;

// A date as the user's regional format gives it, today's when none is given.
std::string DateAs(DWORD format, const SYSTEMTIME* date = nullptr) {
    wchar_t text[256] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, format, date, nullptr, text, std::size(text));
    return U8(text);
}

// Days as Windows counts them, for dates worked out apart from the program's arithmetic:
// a FILETIME's whole days, and back to a date with its weekday.
constexpr ULONGLONG kFileTimeDay = 864000000000;
LONGLONG FileDay(const SYSTEMTIME& date) {
    FILETIME time{};
    SystemTimeToFileTime(&date, &time);
    return static_cast<LONGLONG>((ULONGLONG{time.dwHighDateTime} << 32 | time.dwLowDateTime) /
                                 kFileTimeDay);
}
SYSTEMTIME DayOf(LONGLONG fileDay) {
    const auto time = static_cast<ULONGLONG>(fileDay) * kFileTimeDay;
    const FILETIME file{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    SYSTEMTIME date{};
    FileTimeToSystemTime(&file, &date);
    return date;
}
SYSTEMTIME Date(int year, int month, int day) {
    return DayOf(FileDay({static_cast<WORD>(year), static_cast<WORD>(month), 0,
                          static_cast<WORD>(day), 0, 0, 0, 0}));
}
// Midnight at the start of a day, local time being universal time under a shifted clock.
std::time_t MidnightOf(const SYSTEMTIME& date) {
    return static_cast<std::time_t>(FileDay(date) - FileDay(Date(1970, 1, 1))) * 86400;
}
// The same day that many months on, or that month's last day when it has fewer.
SYSTEMTIME MonthsOn(const SYSTEMTIME& date, int months) {
    const int month = date.wYear * 12 + date.wMonth + months;  // of the month after
    const SYSTEMTIME next = Date(month / 12, month % 12 + 1, 1);
    return DayOf(FileDay(next) - 1 - std::max(0, DayOf(FileDay(next) - 1).wDay - date.wDay));
}
std::string Printed(const char* format, int a, int b, int c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}
// ISO 8601's week of a date is its Thursday's, numbered in the Thursday's year: "2027-W01".
std::string IsoWeek(const SYSTEMTIME& date) {
    const SYSTEMTIME thursday = DayOf(FileDay(date) + 3 - (date.wDayOfWeek + 6) % 7);
    const auto week = (FileDay(thursday) - FileDay(Date(thursday.wYear, 1, 1))) / 7 + 1;
    return Printed("%04d-W%02d", thursday.wYear, static_cast<int>(week));
}
// A date as each copy form gives it: 1 long, 2 short, 3 ISO 8601, 4 the ISO week; none
// chosen (0), short.
std::string Copied(int form, const SYSTEMTIME& date) {
    return form == 1   ? DateAs(DATE_LONGDATE, &date)
           : form == 3 ? Printed("%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay)
           : form == 4 ? IsoWeek(date)
                       : DateAs(DATE_SHORTDATE, &date);
}

// The second run asks for a day-first regional format in another script than the code
// page, where cutting the short date as month/day would show the wrong icons and the
// narrow functions would garble the long date. A format that Wine could not have falls
// back to US English without a word: checked before any test, as it would void them all.
class RegionalFormatAsked : public ::testing::Environment {
    void SetUp() override {
        const SYSTEMTIME date{2026, 12, 0, 8, 0, 0, 0, 0};
        if (const auto asked = EnvironmentValue("DATRELLE_EXPECT_SHORT_DATE"); !asked.empty()) {
            ASSERT_EQ(DateAs(DATE_SHORTDATE, &date), asked);
        }
        if (const auto asked = EnvironmentValue("DATRELLE_EXPECT_MONTH_NAME"); !asked.empty()) {
            ASSERT_NE(DateAs(DATE_LONGDATE, &date).find(asked), std::string::npos) << asked;
        }
    }
};
[[maybe_unused]] const auto* const kRegionalFormat =
    ::testing::AddGlobalTestEnvironment(new RegionalFormatAsked);

// The clipboard's text ("" for none), nullopt while another program holds it; emptied
// once read when asked.
std::optional<std::string> ClipboardText(bool empty = false) {
    if (!OpenClipboard(nullptr)) {
        return std::nullopt;
    }
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const std::string text = chars != nullptr ? U8(chars) : "";
    GlobalUnlock(data);
    if (empty) {
        EmptyClipboard();
    }
    CloseClipboard();
    return text;
}

// What the shell posts an icon's owner for an event over the icon: in the older layout,
// or, given the icon's place, at the fourth behaviour, with the icon's number in lParam's
// high word and the place in wParam.
void TrayMouse(HWND holder, UINT event, std::optional<POINT> at = std::nullopt) {
    PostMessageW(holder, kTrayCallbackMessage, at ? MAKEWPARAM(at->x, at->y) : 1,
                 at ? MAKELPARAM(event, 1) : event);
}

// Whether a left click on the day icon puts this text into the emptied clipboard.
bool ClickCopies(const RunningProgram& program, const std::string& text) {
    EXPECT_TRUE(WaitUntil([] { return ClipboardText(true).has_value(); }));
    TrayMouse(program.Day(), WM_LBUTTONUP);
    return WaitUntil([&] { return ClipboardText() == text; });
}

// Under Wine the tray shows a notification as a tooltip window of its own process.
bool FirstRunNotificationShows(Ms patience = Ms(10000)) {
    return WaitForWindow(0, L"tooltips_class32", std::string(kFirstRunText), patience) != nullptr;
}

// A security descriptor from its text form, freed with the result.
std::unique_ptr<void, decltype(&LocalFree)> Descriptor(const char* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                         nullptr);
    return {descriptor, &LocalFree};
}

// Still at work: answering and showing today's day in the tray.
void ExpectWorking(const RunningProgram& program, Ms patience = Ms(10000)) {
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(program.main(), WM_NULL, 0, 0, SMTO_NORMAL,
                                  static_cast<UINT>(patience.count()), &result),
              0);
    EXPECT_TRUE(TrayHasIcon(program.Day()));
}

// Every way a user or Windows closes the program: whichever, it ends with 0, takes its
// icons along and, where it may, leaves the settings for the next start.
enum class Closing { ExitButton, CloseBox, CloseMessage, LogOff, CloseApp };

void Close(RunningProgram& program, Closing way, bool writesSettings = true) {
    const HWND day = program.Day(), month = program.Month();
    // What the next start reads: the settings are written all at once, first to last.
    const auto expectWritten = [&] {
        EXPECT_TRUE(!writesSettings ||
                    (IniValue(program.ini(), "View", "Top") != "<missing>" &&
                     IniValue(program.ini(), "Settings", "Milliseconds before starting App") !=
                         "<missing>"));
    };
    if (way == Closing::LogOff || way == Closing::CloseApp) {
        // The end of the session, or an installer's Restart Manager: the process may be
        // ended as soon as WM_ENDSESSION is answered, so the settings are written by then.
        const LPARAM reason = way == Closing::LogOff ? ENDSESSION_LOGOFF : ENDSESSION_CLOSEAPP;
        EXPECT_TRUE(program.Send(program.main(), WM_QUERYENDSESSION, 0, reason));
        program.Send(program.main(), WM_ENDSESSION, TRUE, reason);
        expectWritten();
    } else if (way == Closing::ExitButton) {
        PostMessageW(program.Child("Button", "Exit Program"), BM_CLICK, 0, 0);
    } else if (way == Closing::CloseBox) {
        PostMessageW(program.main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        PostMessageW(program.main(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_FALSE(TrayHasIcon(day) || TrayHasIcon(month));
    expectWritten();
}

// A first run of its own: no settings file beside the program, which shows its window at
// the compact size in the bottom right corner (`start`) and then puts it in the tray.
class FirstRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(p.Start());
        start = Place(p.main());
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(p.main()); })) << "not in the tray";
    }
    RunningProgram p;
    RECT start{};
};

// Every control with its caption (where they are, and in which state, the window's
// inventory and models decide, tested natively), and the 43 picture boxes that own the
// icons, of which only today's two are in the tray, with the long date as the shell shows
// it; a first run says where the icons are (what a click on that notification does, the
// native tests of the tray's mouse say: nothing).
TEST_F(FirstRunTest, ShowsEveryControlAndTodaysTwoIconsInTheTray) {
    for (const ControlEntry& entry : VisibleControls()) {
        EXPECT_NE(p.Control(entry), nullptr) << entry.name;
    }
    for (int n = 1; n <= kDayHolders + kMonthHolders; ++n) {
        const HWND holder = n <= kDayHolders ? p.Day(n) : p.Month(n - kDayHolders);
        ASSERT_NE(holder, nullptr) << n;
        EXPECT_EQ(GetParent(holder), p.main());
        EXPECT_EQ(TrayHasIcon(holder), holder == p.Day() || holder == p.Month()) << n;
    }
    const std::string tooltip = "Today is: " + DateAs(DATE_LONGDATE);
    EXPECT_EQ(std::ranges::count(ShellTooltips(), tooltip), 2) << tooltip;
    EXPECT_TRUE(FirstRunNotificationShows());
}

// A restarted Explorer announces itself to every top-level window, also to the hidden one
// of the program, which puts both icons back; a new regional format renews them too, as
// their tooltip may read differently.
TEST_F(FirstRunTest, IconsComeBackWhenTheTaskbarIsCreatedAgain) {
    ASSERT_TRUE(NotifyIcon(p.Day(), NIM_DELETE) && NotifyIcon(p.Month(), NIM_DELETE));
    ASSERT_TRUE(PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
    EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(p.Day()) && TrayHasIcon(p.Month()); }));
    ASSERT_TRUE(NotifyIcon(p.Day(), NIM_DELETE) && NotifyIcon(p.Month(), NIM_DELETE));
    p.Send(p.main(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_TRUE(TrayHasIcon(p.Day()) && TrayHasIcon(p.Month()));
}

// The shell's double click on the day icon: a release, the double click and a release.
void DoubleClickDay(const RunningProgram& program) {
    for (const UINT message : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        TrayMouse(program.Day(), message);
    }
}

// Where each mode puts the window the native layout tests say; here, that each is applied
// to the real window, that the panels follow its size and that the tray brings it back.
TEST_F(FirstRunTest, WindowModesPlaceTheWindowAndTheTrayBringsItBack) {
    const HWND main = p.main(), notes = p.Child("Edit", kText1InitialText);
    const HWND browser = p.Child(U8(win32::kBrowserHostClass));
    const std::pair compact = Size(main);
    // A double click on the title fills the screen's width from its top left corner;
    // from there, Minimise hides the window at the compact size of the first start, and
    // the icon's double click shows it again, normal.
    p.Send(p.Child("Static", Entry(ControlId::Label1).caption), WM_LBUTTONDBLCLK, MK_LBUTTON);
    EXPECT_EQ(std::tuple(Place(main).left, Place(main).top, Size(main).first),
              std::tuple(0, 0, GetSystemMetrics(SM_CXSCREEN)));
    p.Click("Mi&nimize");
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(Size(main), compact);
    DoubleClickDay(p);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }));
    EXPECT_EQ(Size(main), compact);
    // Dock keeps the size and puts the window where a first start does, in the bottom
    // right corner; the panels grow and shrink with the window.
    SetWindowPos(main, nullptr, 20, 30, 700, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    const std::pair notesSize = Size(notes), browserSize = Size(browser);
    SetWindowPos(main, nullptr, 20, 30, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Size(notes), std::pair(notesSize.first - 100, notesSize.second));
    EXPECT_EQ(Size(browser), std::pair(browserSize.first - 100, browserSize.second - 50));
    p.Click("Dock");
    EXPECT_EQ(Size(main), std::pair(600, 400));
    EXPECT_EQ(Place(main).right, start.right);
    EXPECT_NEAR(Place(main).bottom, start.bottom, 1);
    // The system's own minimise and maximise leave the window normal at its size.
    for (const WPARAM command : {SC_MINIMIZE, SC_MAXIMIZE}) {
        p.Send(main, WM_SYSCOMMAND, command);
        EXPECT_FALSE(IsIconic(main) || IsZoomed(main)) << command;
        EXPECT_EQ(Size(main), std::pair(600, 400));
    }
    // Below the smallest size the window snaps back to it, and the notes box is empty.
    SetWindowPos(main, nullptr, 20, 30, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return Size(main) == compact; }));
    EXPECT_EQ(Size(notes).first, 0);
}

// Whether the focus of the program's thread is in this window or one inside it.
bool FocusIn(const RunningProgram& program, HWND window) {
    return program.Focus() == window || IsChild(window, program.Focus());
}

// A key posted to the program's focus as the keyboard gives it, so it goes through the
// message loop; a modifier (Shift, Ctrl) is held down meanwhile in the program's input
// state, which this thread then shares. True once `done` holds.
bool Press(const RunningProgram& program, WPARAM key, const std::function<bool()>& done,
           BYTE modifier = 0) {
    const DWORD self = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(program.main(), nullptr);
    BYTE keys[256] = {};
    keys[modifier] = 0x80;
    EXPECT_TRUE(modifier == 0 || (AttachThreadInput(self, other, TRUE) && SetKeyboardState(keys)));
    PostMessageW(program.Focus(), WM_KEYDOWN, key, 1);
    const bool pressed = WaitUntil(done, Ms(3000));
    if (modifier != 0) {
        keys[modifier] = 0;
        SetKeyboardState(keys);
        AttachThreadInput(self, other, FALSE);
    }
    return pressed;
}
// True once the focus is in `then`, when given.
bool Press(const RunningProgram& program, WPARAM key, HWND then = nullptr, bool shift = false) {
    return Press(
        program, key, [&] { return then == nullptr || FocusIn(program, then); },
        shift ? VK_SHIFT : 0);
}

// Shown from the tray, Tab and Shift+Tab visit the controls that can take the focus in
// the window's order, the browser panel last, and wrap; Enter presses the focused button;
// Esc puts the window in the tray, closing and saving nothing, and it comes back with the
// focus where it was.
TEST_F(FirstRunTest, TheWindowWorksByKeyboard) {
    const HWND main = p.main(), notes = p.Child("Edit", kText1InitialText);
    DoubleClickDay(p);
    std::vector<HWND> stops;
    for (const ControlEntry& entry : VisibleControls()) {
        const HWND control = p.Control(entry);
        if (entry.kind != ControlKind::Label && entry.kind != ControlKind::Frame &&
            Shown(control) && IsWindowEnabled(control)) {
            stops.push_back(control);
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(p, stops[0]); })) << "shown without a kept focus";
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        EXPECT_TRUE(Press(p, VK_TAB, stops[i % stops.size()])) << i;
    }
    for (std::size_t i = stops.size() - 1; i >= stops.size() - 3; --i) {
        EXPECT_TRUE(Press(p, VK_TAB, stops[i], true)) << i;
    }
    SetWindowPos(main, nullptr, 20, 30, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    Press(p, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Place(main).right == start.right; })) << "not docked";
    ASSERT_TRUE(Press(p, VK_TAB, notes));
    Press(p, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([main] { return !IsWindowVisible(main); }));
    ExpectWorking(p);
    EXPECT_EQ(WindowText(notes), kText1InitialText);
    EXPECT_EQ(GetFileAttributesW(W(p.ini()).c_str()), INVALID_FILE_ATTRIBUTES) << "settings saved";
    p.Send(main, WM_COMMAND, IDM_SETTINGS);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(p, notes); }, Ms(3000)));
}

// A menu of the program opened at this place and given these keys, after which (and
// after what the shell then sends) no other menu comes.
void ExpectOneMenuAt(
    const RunningProgram& program, POINT at, std::vector<WPARAM> keys,
    const std::function<void()>& then = [] {}) {
    const HWND menu = WaitForWindow(program.id(), L"#32768");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(std::pair(Place(menu).left, Place(menu).top), std::pair(at.x, at.y));
    for (const WPARAM key : keys) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    }
    EXPECT_TRUE(WaitUntil([menu] { return !IsWindowVisible(menu); }));
    then();
    EXPECT_EQ(WaitForWindow(program.id(), L"#32768", "", Ms(500)), nullptr) << "a second menu";
}

// Enter or Space on an icon, and the menu key, as Windows reports them at the fourth
// behaviour (Wine's tray relays no keys); the right button as Wine's tray reports it. The
// form chosen in the menu is what this run's exit saves: one program's history, one test.
TEST_F(FirstRunTest, CopiesTheDateAndOpensTheMenuOnceFromTheMouseOrTheKeyboard) {
    ASSERT_TRUE(WaitUntil([] { return ClipboardText(true).has_value(); }));
    ASSERT_TRUE(OpenClipboard(nullptr));
    // Sent: it returns once the program has given up, and it must give up.
    p.Send(p.Day(), kTrayCallbackMessage, 1, WM_LBUTTONUP);
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), "");
    // A left click copies the short date while no form was chosen. A pair of
    // NIN_KEYSELECT for one key press changes the clipboard as often as one click.
    EXPECT_TRUE(ClickCopies(p, DateAs(DATE_SHORTDATE)));
    const POINT icon{200, 150}, pointer{600, 500};
    std::vector<DWORD> changes;
    for (const UINT event : {WM_LBUTTONUP, NIN_KEYSELECT, NIN_KEYSELECT}) {
        const DWORD before = GetClipboardSequenceNumber();
        p.Send(p.Day(), kTrayCallbackMessage, MAKEWPARAM(icon.x, icon.y), MAKELPARAM(event, 1));
        changes.push_back(GetClipboardSequenceNumber() - before);
    }
    EXPECT_TRUE(changes[0] > 0 && changes == (std::vector{changes[0], changes[0], 0ul}));
    // The menu key opens the menu at the icon, not at the pointer; a right click at the
    // pointer, once, although WM_CONTEXTMENU follows the release (here once the menu has
    // closed: while it is open, the system opens no second menu anyway). Chosen with the
    // keys (from the top: the three commands, then past the separator the long date), the
    // long date is copied, and is what a left click copies from then on.
    ASSERT_TRUE(SetCursorPos(pointer.x, pointer.y));
    TrayMouse(p.Month(), WM_CONTEXTMENU, icon);
    ExpectOneMenuAt(p, icon, {VK_ESCAPE});
    const auto released = [&] {
        TrayMouse(p.Day(), WM_RBUTTONUP, icon);
        TrayMouse(p.Day(), WM_CONTEXTMENU, icon);
    };
    TrayMouse(p.Day(), WM_RBUTTONDOWN, icon);
    ExpectOneMenuAt(p, pointer, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, released);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == DateAs(DATE_LONGDATE); }));
    EXPECT_TRUE(ClickCopies(p, DateAs(DATE_LONGDATE)));
    Close(p, Closing::ExitButton);
    EXPECT_EQ(IniValue(p.ini(), "Settings", "Date format"), "1");
}

// What another program does with the notes file while it is saved: nothing; writes it,
// letting others read it; reads it, letting others write it (so no other file may take
// its place), having made it hidden; or holds it locked.
enum class Other { None, Writes, LetsWrite, Locks };

win32::UniqueHandle OtherProgramDoes(Other other, const std::string& path) {
    if (other == Other::LetsWrite) {
        EXPECT_TRUE(SetFileAttributesW(W(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    }
    return other == Other::None     ? win32::UniqueHandle()
           : other == Other::Writes ? Hold(path, FILE_SHARE_READ, GENERIC_WRITE)
           : other == Other::Locks  ? Hold(path)
                                    : Hold(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

// Notes files beside the program, each chosen with a double click on the notes box, typed
// into and saved: each is shown whole and written back in its own encoding, and a save
// that fails says so and leaves the file as it was.
TEST_F(FirstRunTest, NotesAreShownAndSavedInTheirFilesOwnEncodingUnlessTheFileIsLocked) {
    const HWND notes = p.Child("Edit", kText1InitialText), save = p.Child("Button", "Save Changes");
    ASSERT_NE(notes, nullptr);
    ASSERT_EQ(GetACP(), 1252u) << "the ANSI file below is in code page 1252";
    // "Grüße – 5 €" as today's Notepad writes it, "café" in the ANSI code page. (Each
    // encoding's bytes, UTF-16 among them, are the notes file's own tests.)
    const std::string utf8 =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE2\x80\x93 5 \xE2\x82\xAC\r\n";
    // Without a typed text, a step chooses the file in the dialog (with the entry of the file
    // types list given), after which the box shows its text; with one, it types the text into
    // the box and saves it, or the error message comes. Either way the file then holds its
    // bytes, which a chosen file also held before, but for new.txt.
    const struct {
        const wchar_t* typed;
        int types;
        Other other;
        const char* file;  // the file chosen or saved
        std::wstring shown;
        std::string bytes;
        bool error = false;
    } steps[] = {
        {nullptr, 0, Other::Writes, "notes.txt", L"first line\r\nsecond line",
         "first line\r\nsecond line\r\n"},
        {L"changed\r\nnotes", 0, Other::None, "notes.txt", L"", "changed\r\nnotes\r\n"},
        // The file itself is written, to its new length, and stays hidden; chosen by name,
        // the hidden file is shown as any other.
        {L"short", 0, Other::LetsWrite, "notes.txt", L"", "short\r\n"},
        {nullptr, 0, Other::None, "notes.txt", L"short", "short\r\n"},
        {L"not to be saved", 0, Other::Locks, "notes.txt", L"", "short\r\n", true},
        // A name not yet written empties the box, and Save Changes makes the file, in UTF-8.
        {nullptr, 1, Other::None, "new.txt", L"", ""},
        {L"new \u2713", 0, Other::None, "new.txt", L"", "new \xE2\x9C\x93\r\n"},
        // Every character shown, and saved as it was read, byte for byte when unchanged.
        {nullptr, 0, Other::None, "utf8.txt", L"Gr\u00FC\u00DFe \u2013 5 \u20AC", utf8},
        // An ANSI file keeps its code page until a character is not in it.
        {nullptr, 0, Other::None, "ansi.txt", L"caf\u00E9", "caf\xE9\r\n"},
        {L"d\u00E9j\u00E0", 0, Other::None, "ansi.txt", L"", "d\xE9j\xE0\r\n"},
        {L"caf\u00E9 \u2713", 0, Other::None, "ansi.txt", L"",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9 \xE2\x9C\x93\r\n"},
    };
    int typesChosen = 0;  // the entry each dialog opens with: the one chosen last
    for (const auto& step : steps) {
        const std::string path = p.folder() + "\\" + step.file;
        SCOPED_TRACE(step.file + " "s + ::testing::PrintToString(step.bytes));
        if (step.typed == nullptr && step.file != "new.txt"s) {
            WriteFile(path, step.bytes);
        }
        {
            const auto held = OtherProgramDoes(step.other, path);
            EXPECT_EQ(static_cast<bool>(held), step.other != Other::None);
            if (step.typed == nullptr) {
                const HWND dialog = p.OpenDialog(notes, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
                ASSERT_NE(dialog, nullptr);
                EXPECT_NE(WindowText(dialog), "") << "the system's own title";
                const HWND types = GetDlgItem(dialog, cmb1);
                EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0),
                          std::exchange(typesChosen, step.types));
                SendMessageW(types, CB_SETCURSEL, step.types, 0);
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK),
                             reinterpret_cast<LPARAM>(types));
                ASSERT_TRUE(Choose(dialog, path));
                EXPECT_TRUE(
                    WaitUntil([&] { return WindowText(notes) == U8(step.shown) && Shown(save); }));
            } else {
                // Typed as the keyboard gives it, through the program's message loop; Save
                // Changes, pressed from here also once it is hidden.
                PostMessageW(notes, EM_SETSEL, 0, -1);
                for (const wchar_t* c = step.typed; *c != 0; c += *c == '\r' ? 2 : 1) {
                    PostMessageW(notes, WM_CHAR, *c, 1);  // a line end is one key
                }
                ASSERT_TRUE(WaitUntil([&] { return WindowText(notes) == U8(step.typed); }));
                PostMessageW(save, BM_CLICK, 0, 0);
                const HWND message =
                    WaitForWindow(p.id(), L"#32770", std::string(kSaveFailedMessage),
                                  Ms(step.error ? 10000 : 300));
                EXPECT_EQ(message != nullptr, step.error);
                if (message != nullptr) {
                    EXPECT_EQ(WindowText(message), U8(win32::kProgramTitle));
                    PostMessageW(message, WM_COMMAND, IDOK, 0);
                }
                EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message) && !Shown(save); }));
            }
        }
        EXPECT_EQ(ReadFile(path), step.bytes);
    }
    EXPECT_TRUE(GetFileAttributesW(W(p.folder() + "\\notes.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Names(p.folder()), (std::vector<std::string>{"Datrelle.exe", "ansi.txt", "new.txt",
                                                           "notes.txt", "utf8.txt"}))
        << "a temporary or a backup was left";
}

// The machine's Run key, when asked readable but not writable, as for a user without
// administrator rights, while `body` runs.
void WithMachineRunKeyReadOnly(bool readOnly, const std::function<void()>& body) {
    if (!readOnly) {
        return body();
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, READ_CONTROL | WRITE_DAC, &key), 0);
    const win32::UniqueKey owned(key);
    alignas(8) char saved[4096];
    DWORD size = sizeof saved;
    ASSERT_EQ(RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved, &size), 0);
    ASSERT_EQ(
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, Descriptor("D:(A;;KRWD;;;WD)").get()), 0);
    body();
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved);
}

// Each click on the box, and where the Run value then is: under the machine's key, or,
// without the rights to it, under the user's own, also where that key is new.
TEST_F(FirstRunTest, AutoStartWithWindowsWritesTheRunValueWhereItMay) {
    const std::string exe = p.exe();
    const std::string value = (exe.find(' ') != std::string::npos ? "\"" + exe + "\"" : exe) + '\0';
    RegDeleteKeyA(HKEY_CURRENT_USER, kRunKey);
    for (const auto& [readOnly, machine, user] : {std::tuple{false, true, false},
                                                  {false, false, false},
                                                  {true, false, true},
                                                  {false, false, false}}) {
        WithMachineRunKeyReadOnly(readOnly, [&] { p.Click("Auto-Start with Windows"); });
        EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kRunKey),
                  machine ? std::optional(value) : std::nullopt);
        EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kRunKey),
                  user ? std::optional(value) : std::nullopt);
    }
}

// The tray menu's Open File, chosen while the window is in the tray, shows the window with
// the file, and the exit keeps the file as the page to show next time: one program's
// history, one test.
TEST_F(FirstRunTest, OpenFileInBrowserFromTheMenuShowsTheWindowWithTheFile) {
    WriteFile(p.folder() + "\\page.htm", "<html><title>A page</title>text</html>");
    const HWND dialog = p.OpenDialog(p.main(), WM_COMMAND, IDM_OPEN_FILE_IN_BROWSER);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), kOpenFileTitle);
    ASSERT_TRUE(Choose(dialog, p.folder() + "\\page.htm"));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(p.main()) != FALSE; }));
    Close(p, Closing::ExitButton);
    EXPECT_TRUE(IniValue(p.ini(), "View", "Last URL").ends_with("page.htm"));
}

// A copy started while another runs ends at once and leaves nothing in its folder; so
// does one that may not open the running copy's mutex, as a copy running elevated leaves
// it (an empty access list) to one that is not.
TEST(SingleInstanceTest, ASecondCopyEndsAtOnceAndTouchesNothing) {
    const auto noAccess = Descriptor("D:");
    SECURITY_ATTRIBUTES attributes{sizeof attributes, noAccess.get(), FALSE};
    for (const bool elevated : {false, true}) {
        SCOPED_TRACE(elevated ? "a mutex it may not open" : "a running copy");
        RunningProgram running, second;
        const win32::UniqueHandle mutex(
            elevated ? CreateMutexW(&attributes, FALSE, win32::kSingleInstanceMutex) : nullptr);
        ASSERT_TRUE(elevated ? static_cast<bool>(mutex) : running.Start());
        ASSERT_TRUE(second.Launch());
        EXPECT_EQ(second.WaitForExit(), 0u);
        EXPECT_EQ(Names(second.folder()), std::vector<std::string>{"Datrelle.exe"});
        EXPECT_TRUE(elevated || running.Running());
    }
}

// The controls are made while start-up runs, after the date is in the tray: every one
// shows what the settings gave it once the window is shown, and what they name starts.
TEST(FromSettingsTest, ShownWindowHasEveryControlAsTheSettingsLeftIt) {
    RunningProgram program;
    const std::string folder = program.folder();
    const std::string launch = folder + "\\launch me", weather = folder + "\\Nimbrel Weather";
    CreateDirectoryW(W(launch).c_str(), nullptr);
    CreateDirectoryW(W(weather).c_str(), nullptr);
    ASSERT_TRUE(PlaceMarker(launch + "\\app one.exe") && PlaceMarker(weather + "\\nimbrel.exe"));
    // What an unquoted command line would start instead.
    ASSERT_TRUE(PlaceMarker(folder + "\\Nimbrel.exe"));
    SetFileAttributesW(W(weather + "\\nimbrel.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    // Named in other letters, quoted and between blanks.
    std::wstring upper = W(weather + "\\nimbrel.exe");
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    const std::string weatherApp = U8(upper);
    WriteFile(folder + "\\notes.txt", "\r\n\r\nfirst\r\n\r\nsecond\rthird\nstill third\r\n");
    const std::string settings =
        "; kept as it is\r\n[View]\r\ntop=1234.5\r\nleft=3000.25\r\nheight=6000.75\r\n"
        "width=9000.5\r\n[Settings]\r\nAuto Start=2\r\nShow Month=0\r\nAuto hide=1\r\n"
        "date format=1\r\n  Nimbrel App path  =  \"<weather>\"  \r\nStart Weather=1\r\n"
        "App to Run=<launch>\\app one.exe\r\nMilliseconds before starting App=1000\r\n"
        "[Other]\r\nkey=value\r\n";
    WriteFile(program.ini(), SettingsFileBytes(Replace(Replace(settings, "<weather>", weatherApp),
                                                       "<launch>", launch)));
    const auto launched = std::chrono::steady_clock::now();
    ASSERT_TRUE(program.Start());
    if (std::chrono::steady_clock::now() - launched < Ms(700)) {
        EXPECT_TRUE(MarkerRecords(launch).empty()) << "opened before its delay";
    }
    const HWND main = program.main();
    for (const auto& [caption, check] : {std::pair{"Auto-Start with Windows", BST_INDETERMINATE},
                                         {"Show Month Icon", BST_UNCHECKED},
                                         {"Auto-Hide", BST_CHECKED},
                                         {"Start Nimbrel", BST_CHECKED}}) {
        EXPECT_EQ(program.Send(program.Child("Button", caption), BM_GETCHECK), check) << caption;
    }
    // A file to open is named, so its button is available; Save Changes waits for a
    // double click on the notes box.
    EXPECT_TRUE(IsWindowEnabled(program.Child("Button", "Auto Start App")));
    EXPECT_FALSE(Shown(program.Child("Button", "Save Changes")));
    EXPECT_TRUE(TrayHasIcon(program.Day()));
    EXPECT_FALSE(TrayHasIcon(program.Month()));
    // The window where the settings put it (how the panels follow its size a first run
    // shows).
    const double scale = GetDpiForWindow(main) / 1440.0;
    EXPECT_EQ(std::tuple(Place(main).left, Place(main).top),
              std::tuple(std::lround(3000.25 * scale), std::lround(1234.5 * scale)));
    const HWND notes = program.Child("Edit", "first\r\n\r\nsecond\r\nthird\nstill third");
    ASSERT_NE(notes, nullptr);

    // The weather program, minimised, by a quoted command line.
    ASSERT_TRUE(WaitUntil([&] { return MarkerRecords(weather).size() == 1; }));
    EXPECT_EQ(MarkerRecords(weather)[0].commandLine, "\"" + weatherApp + "\"");
    EXPECT_EQ(MarkerRecords(weather)[0].show, SW_MINIMIZE);
    EXPECT_TRUE(MarkerRecords(folder).empty());

    // A double click on the notes box: the box selects the word and lets go of the
    // mouse before the dialog opens.
    HWND dialog = program.OpenDialog(notes, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_NE(dialog, nullptr);
    const auto selection = static_cast<DWORD>(program.Send(notes, EM_GETSEL));
    EXPECT_NE(LOWORD(selection), HIWORD(selection));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread));
    EXPECT_NE(thread.hwndCapture, notes);
    EXPECT_TRUE(Choose(dialog, ""));

    // The file to open after the delay, opened once, in its own folder.
    ASSERT_TRUE(WaitUntil([&] { return !MarkerRecords(launch).empty(); }));
    EXPECT_GE(std::chrono::steady_clock::now() - launched, Ms(1000));
    EXPECT_EQ(lstrcmpiW(W(MarkerRecords(launch)[0].folder).c_str(), W(launch).c_str()), 0);
    EXPECT_EQ(MarkerRecords(launch)[0].show, SW_SHOWNORMAL);
    // Another file chosen with the button is stored, not opened.
    dialog = program.OpenDialog(program.Child("Button", "Auto Start App"), BM_CLICK);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Choose(dialog, weather + "\\chosen.exe"));
    // Another interval passes without a second opening, and nothing says where the icons
    // are, as this is not a first run.
    EXPECT_FALSE(FirstRunNotificationShows(Ms(1200)));
    EXPECT_EQ(MarkerRecords(launch).size(), 1u);
    Close(program, Closing::CloseBox);

    // Keys keep their letters, what the program does not know stays, and the twips are
    // saved as they were read, although they are no whole pixels. The file stays in the
    // code page unless a path needs more.
    const std::string bytes = ReadFile(program.ini());
    EXPECT_EQ(bytes.starts_with("\xFF\xFE"), !win32::Win32CodePage().Utf8ToAnsi(folder));
    const std::string saved = DecodeText(bytes, win32::Win32CodePage())->text;
    for (const std::string& kept :
         {"; kept as it is"s, "top=1234.5\r\n"s, "left=3000.25\r\n"s, "height=6000.75\r\n"s,
          "width=9000.5\r\n"s, "[Other]\r\nkey=value"s, "App to Run=" + weather + "\\chosen.exe"}) {
        EXPECT_NE(saved.find(kept), std::string::npos) << kept;
    }
    EXPECT_EQ(IniValue(program.ini(), "Settings", "Nimbrel App path"), weatherApp);
}

std::string Garbage() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 7919 + 13) % 256);
    }
    return bytes;
}

// A file put beside the program before it starts, with these attributes: a name ending in
// "\\" is a folder, one ending in ".exe" a copy of the stand-in program, any other a text
// file, unless one is there already.
void PutBeside(const std::string& folder, const std::string& name, DWORD attributes) {
    const std::string path = folder + "\\" + name;
    if (name.ends_with("\\")) {
        EXPECT_TRUE(CreateDirectoryW(W(path).c_str(), nullptr)) << name;
    } else if (name.ends_with(".exe")) {
        EXPECT_TRUE(PlaceMarker(path)) << name;
    } else if (GetFileAttributesW(W(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
        WriteFile(path, "not notes");
    }
    SetFileAttributesW(W(path).c_str(), attributes);
}

struct Start {
    const char* name;
    std::string settings{};  // "<dir>" stands for the program's folder; no file when empty
    Closing closing;
    std::vector<std::pair<const char*, DWORD>> files{};
    std::vector<const char*> locked{};  // held open by another program while it runs
    void (*running)(const RunningProgram&) = nullptr;
    // Settings as the program left them; "<dir>" as above.
    std::vector<std::pair<const char*, std::string>> saved{};
    bool writesSettings = true;  // else the settings file is left as it was
    bool garbage = false;        // settings written as bytes, not as text
};

// Each folder has beside the program files to open that are no ordinary files (hidden,
// a system file, a folder) and one to open after a delay, app.exe. None of them may
// start, nor may "Auto Start App" become available, and no notes file is loaded. The
// window is on the screen, also when saved off every one, and is saved there.
const Start kStarts[] = {
    {.name = "binary garbage",
     .settings = Garbage(),
     .closing = Closing::CloseMessage,
     .garbage = true},
    {.name = "values of 800 characters",
     .settings = "[View]\r\nTop=" + std::string(800, '9') + "\r\nLast URL=" +
                 std::string(800, 'a') + "\r\n[Settings]\r\nApp to Run=" + std::string(800, 'b') +
                 "\r\nNimbrel App path=" + std::string(800, 'n') + "\r\n",
     .closing = Closing::LogOff},
    {.name = "missing weather program and file to open",
     .settings = "[Settings]\r\nNimbrel App path=C:\\no\\such\\nimbrel.exe\r\nStart Weather=1\r\n"
                 "App to Run=C:\\no\\such\\file.exe\r\nMilliseconds before starting App=50\r\n",
     .closing = Closing::CloseApp,
     .running = [](const RunningProgram&) { Sleep(300); }},  // past the delay
    {.name = "numbers out of range",
     .settings =
         "[View]\r\nWidth=1E400\r\nHeight=-&HFFFFFFFFFF\r\n[Settings]\r\nAuto Start=99999\r\n"
         "date format=-40000\r\nMilliseconds before starting App=-7\r\n"
         "App to Run=<dir>\\stored.exe\r\nNimbrel App path=<dir>\\*.exe\r\n",
     .closing = Closing::ExitButton,
     // The tray menu opens the chooser also while the button is not available; a
     // cancel keeps the stored choice, although it was not opened.
     .running =
         [](const RunningProgram& program) {
             const HWND dialog = program.OpenDialog(program.main(), WM_COMMAND, IDM_AUTO_APP);
             ASSERT_NE(dialog, nullptr);
             EXPECT_TRUE(Choose(dialog, ""));
         },
     .saved = {{"App to run", "<dir>\\stored.exe"}}},
    {.name = "above and left of every screen, closed before the delay",
     .settings = "[View]\r\nTop=-90000\r\nLeft=-90000\r\n[Settings]\r\n"
                 "App to Run=<dir>\\app.exe\r\nMilliseconds before starting App=30000\r\n"
                 "Nimbrel App path=<dir>\\hidden.exe\r\n",
     .closing = Closing::CloseMessage,
     // Neither opened nor chosen in this run: forgotten.
     .saved = {{"App to run", ""}}},
    {.name = "below and right of every screen",
     .settings = "[View]\r\nTop=200000\r\nLeft=200000\r\n[Settings]\r\n"
                 "Nimbrel App path=<dir>\\system.exe\r\n",
     .closing = Closing::CloseBox},
    {.name = "a hidden settings file, and no ordinary text file",
     .settings = "[Settings]\r\nShow Month=0\r\n",
     .closing = Closing::CloseApp,
     .files = {{"Datrelle.ini", FILE_ATTRIBUTE_HIDDEN},
               {"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
               {"system.txt", FILE_ATTRIBUTE_SYSTEM},
               {"folder.txt\\", FILE_ATTRIBUTE_DIRECTORY}},
     .saved = {{"Show Month", "1"}}},  // not read from the hidden file
    {.name = "settings and notes files held open by another program",
     .settings = "[View]\r\nTop=600\r\n[Settings]\r\nShow Month=0\r\n",
     .closing = Closing::CloseMessage,
     .files = {{"notes.txt", FILE_ATTRIBUTE_NORMAL}},
     .locked = {"Datrelle.ini", "notes.txt"},
     .writesSettings = false},
    {.name = "a folder where the settings file should be",
     .closing = Closing::CloseBox,
     .files = {{"Datrelle.ini\\", FILE_ATTRIBUTE_DIRECTORY}},
     .writesSettings = false},
};

TEST(StartTest, KeepsWorkingAndEndsCleanlyWhateverItStartsWith) {
    for (const Start& start : kStarts) {
        SCOPED_TRACE(start.name);
        RunningProgram program;
        const std::string& folder = program.folder();
        const std::string settings =
            start.garbage ? start.settings
                          : SettingsFileBytes(Replace(start.settings, "<dir>", folder));
        if (!settings.empty()) {
            WriteFile(program.ini(), settings);
        }
        for (const auto& [name, attributes] : start.files) {
            PutBeside(folder, name, attributes);
        }
        for (const auto& [name, attributes] : {std::pair{"app.exe", FILE_ATTRIBUTE_NORMAL},
                                               {"hidden.exe", FILE_ATTRIBUTE_HIDDEN},
                                               {"system.exe", FILE_ATTRIBUTE_SYSTEM},
                                               {"folder.exe\\", FILE_ATTRIBUTE_DIRECTORY}}) {
            PutBeside(folder, name, attributes);
        }
        {
            std::vector<win32::UniqueHandle> held;
            for (const char* name : start.locked) {
                EXPECT_TRUE(held.emplace_back(Hold(folder + "\\" + name))) << name;
            }
            ASSERT_TRUE(program.Start());
            ExpectWorking(program);
            EXPECT_FALSE(IsWindowEnabled(program.Child("Button", "Auto Start App")));
            EXPECT_NE(program.Child("Edit", kText1InitialText), nullptr);
            const RECT place = Place(program.main());
            EXPECT_TRUE(place.left >= 0 && place.top >= 0 &&
                        place.right <= GetSystemMetrics(SM_CXSCREEN) &&
                        place.bottom <= GetSystemMetrics(SM_CYSCREEN));
            if (start.running) {
                start.running(program);
            }
            Close(program, start.closing, start.writesSettings);
        }
        if (!start.writesSettings) {
            EXPECT_EQ(ReadFile(program.ini()), settings);
        }
        for (const auto& [key, value] : start.saved) {
            EXPECT_EQ(IniValue(program.ini(), "Settings", key), Replace(value, "<dir>", folder));
        }
        if (start.writesSettings) {
            EXPECT_GE(std::stod(IniValue(program.ini(), "View", "Left")), 0);
            EXPECT_GE(std::stod(IniValue(program.ini(), "View", "Top")), 0);
        }
        EXPECT_TRUE(MarkerRecords(folder).empty());

        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "Datrelle.exe");
    }
}

// Under a clock of its own only: scripts/with-shifted-clock.sh runs this test, the program
// and their Wine server under libfaketime, with local time as universal time. Rewriting
// the file it names moves every process's clock within a second; the program's timers
// keep to the real one.
class ShiftedClock {
  public:
    bool Available() const { return file_ != nullptr; }
    // Every process's clock on to a moment: once this process's clock shows it, the
    // others' do a second later at the latest.
    void Set(std::time_t moment) {
        shift_ += moment - std::time(nullptr);
        WriteFile(file_, "+" + std::to_string(shift_));
        ASSERT_TRUE(WaitUntil([moment] { return std::abs(std::time(nullptr) - moment) < 3; }));
        Sleep(1100);
    }

  private:
    const char* file_ = std::getenv("DATRELLE_CLOCK_SHIFT");
    inline static std::time_t shift_ = 0;  // the file's, which every test of a run moves on
};

TEST(WakeUpTest, TheNewDayShowsAtMidnightAfterAClockChangeAndAfterAResume) {
    ShiftedClock clock;
    if (!clock.Available()) {
        GTEST_SKIP() << "run by with-shifted-clock.sh";
    }
    constexpr std::time_t kDay = 86400;
    const auto dayOf = [](std::time_t moment) { return std::gmtime(&moment)->tm_mday; };
    // Started in the last seconds of a day, the program shows the next one within two
    // seconds of midnight: the refresh once a minute would first come a minute after
    // the start.
    const std::time_t midnight = (std::time(nullptr) / kDay + 1) * kDay;
    clock.Set(midnight - 8);
    RunningProgram program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(std::time(nullptr) < midnight && TrayHasIcon(program.Day(dayOf(midnight - 1))));
    EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(program.Day(dayOf(midnight))); }));
    EXPECT_LE(std::time(nullptr) - midnight, 2);
    // The clock set three days on, then the machine asleep for three days more: the
    // new day shows as soon as Windows tells.
    for (const auto& [message, wParam] :
         {std::pair<UINT, WPARAM>{WM_TIMECHANGE, 0}, {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC}}) {
        const std::time_t later = std::time(nullptr) + 3 * kDay;
        clock.Set(later);
        PostMessageW(program.main(), message, wParam, 0);
        EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(program.Day(dayOf(later))); }, Ms(3000)))
            << message;
    }
}

// The popup menu opened on an icon by the menu key and given these keys (from the
// bottom, with Up: Exit, "Week Numbers", "Show Week Icon", "Calendar", "Copy week").
void UseMenu(const RunningProgram& program, HWND icon, std::vector<WPARAM> keys) {
    const POINT at{300, 200};
    TrayMouse(icon, WM_CONTEXTMENU, at);
    ExpectOneMenuAt(program, at, std::move(keys));
}

// Sunday 3 January 2027 is in ISO 8601's week 53 of 2026 and in week 2 of 2027 by the
// Sunday rule: the week icon, on from the settings, shows its week as the shell holds it,
// and the next one within two seconds of the midnight that starts it. The copy forms
// number by the rule chosen in the menu, which the left click on the day icon follows; the
// icon leaves and comes back with "Show Week Icon"; a restart reads back what the exit
// wrote. (The marks of the menu live in the program's process, where Wine lets no other
// process read them: what they decide is checked instead.)
TEST(WakeUpTest, TheWeekIconFollowsMidnightAndTheRuleChosenInTheMenu) {
    ShiftedClock clock;
    if (!clock.Available()) {
        GTEST_SKIP() << "run by with-shifted-clock.sh";
    }
    const std::time_t midnight = MidnightOf(Date(2027, 1, 4));
    clock.Set(midnight - 8);
    RunningProgram program;
    WriteFile(program.ini(), "[Settings]\r\nShow Month=1\r\nSHOW WEEK=1\r\nWEEK RULE=1\r\n");
    ASSERT_TRUE(program.Start());
    const auto tips = [](int week, int year) {
        return std::ranges::count(ShellTooltips(), Printed("Week %d, %d", week, year));
    };
    const auto shows = [&](const RunningProgram& running, int week, int year) {
        return TrayHasIcon(running.Week(week)) && tips(week, year) == 1;
    };
    EXPECT_TRUE(WaitUntil([&] { return shows(program, 53, 2026); }, Ms(5000)));
    ASSERT_LT(std::time(nullptr), midnight);
    EXPECT_TRUE(
        WaitUntil([&] { return shows(program, 1, 2027) && !TrayHasIcon(program.Week(53)); }));
    EXPECT_LE(std::time(nullptr) - midnight, 2);
    program.Send(program.main(), WM_COMMAND, IDM_COPY_CLIP_ISO);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "2027-01-04"; }));
    UseMenu(program, program.Week(1), {VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN});
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "2027-W01"; }));
    UseMenu(program, program.Week(1), {VK_UP, VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(
        WaitUntil([&] { return shows(program, 2, 2027) && !TrayHasIcon(program.Week(1)); }));
    EXPECT_TRUE(ClickCopies(program, "2027-W02"));
    UseMenu(program, program.Week(2), {VK_UP, VK_UP, VK_UP, VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return !TrayHasIcon(program.Week(2)) && tips(2, 2027) == 0; }));
    UseMenu(program, program.Day(), {VK_UP, VK_UP, VK_UP, VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return shows(program, 2, 2027); }));
    const HWND week = program.Week(2);
    Close(program, Closing::CloseMessage);
    EXPECT_FALSE(TrayHasIcon(week));
    for (const auto& [key, value] :
         {std::pair{"SHOW WEEK", "1"}, {"WEEK RULE", "2"}, {"Date format", "4"}}) {
        EXPECT_EQ(IniValue(program.ini(), "Settings", key), value) << key;
    }
    // Read back: the icon by the same rule, the week as the form a click copies; turned
    // off, it stays off.
    RunningProgram again(program.folder());
    ASSERT_TRUE(again.Start());
    EXPECT_TRUE(WaitUntil([&] { return shows(again, 2, 2027); }));
    EXPECT_TRUE(ClickCopies(again, "2027-W02"));
    again.Send(again.main(), WM_COMMAND, IDM_SHOW_WEEK);
    Close(again, Closing::CloseMessage);
    EXPECT_EQ(IniValue(program.ini(), "Settings", "SHOW WEEK"), "0");
}

// The month calendar, on the last day of a January under a clock of its own, else today:
// opened from the menu and from the week icon, every key moves the selection as a
// calendar does, the window's text always its long date; Enter copies the day in each
// copy form and closes, Esc and a click elsewhere close it, and the program goes on as it
// was, hidden, with its icons.
TEST(CalendarTest, KeysMoveTheSelectionEnterCopiesItAndTheProgramGoesOnAsItWas) {
    if (ShiftedClock clock; clock.Available()) {
        clock.Set(MidnightOf(Date(2027, 1, 31)) + 36000);
    }
    RunningProgram p;
    WriteFile(p.ini(), "[Settings]\r\nShow Month=1\r\nSHOW WEEK=1\r\nWEEK RULE=1\r\n");
    ASSERT_TRUE(p.Start());
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(p.main()); }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SYSTEMTIME today = DayOf(FileDay(now)), tomorrow = DayOf(FileDay(today) + 1),
                     weekOn = DayOf(FileDay(today) + 7);
    const HWND week = p.Week(std::stoi(IsoWeek(today).substr(6)));
    HWND calendar = nullptr;
    const auto opens = [&](const SYSTEMTIME& day) {
        return (calendar = WaitForWindow(p.id(), win32::kCalendarWindowClass,
                                         DateAs(DATE_LONGDATE, &day))) != nullptr;
    };
    const auto shows = [&](const SYSTEMTIME& day) {
        return [&, day] { return WindowText(calendar) == DateAs(DATE_LONGDATE, &day); };
    };
    const auto closed = [&] { return !IsWindow(calendar); };
    UseMenu(p, p.Day(), {VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN});
    ASSERT_TRUE(opens(today));
    EXPECT_TRUE(WaitUntil([&] { return p.Focus() == calendar; }));
    // From 31 January 2027: 28 February, 1 March and back, 28 February 2028, the 29th,
    // 28 February 2027, 28 January, a week on and back, today.
    const struct {
        WPARAM key;
        BYTE modifier;
        int days, months;
    } moves[] = {{VK_NEXT, 0, 0, 1},           {VK_RIGHT, 0, 1, 0}, {VK_LEFT, 0, -1, 0},
                 {VK_NEXT, VK_CONTROL, 0, 12}, {VK_RIGHT, 0, 1, 0}, {VK_PRIOR, VK_CONTROL, 0, -12},
                 {VK_PRIOR, 0, 0, -1},         {VK_DOWN, 0, 7, 0},  {VK_UP, 0, -7, 0}};
    SYSTEMTIME selected = today;
    for (const auto& move : moves) {
        selected = MonthsOn(DayOf(FileDay(selected) + move.days), move.months);
        EXPECT_TRUE(Press(p, move.key, shows(selected), move.modifier))
            << move.key << " to " << DateAs(DATE_SHORTDATE, &selected);
    }
    EXPECT_TRUE(Press(p, VK_HOME, shows(today)));
    // A click on the week icon while it is open closes it; Esc after a move, opened by
    // the keyboard on that icon, copies nothing.
    TrayMouse(week, WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil(closed));
    TrayMouse(week, NIN_KEYSELECT, POINT{300, 200});
    ASSERT_TRUE(opens(today));
    const DWORD copies = GetClipboardSequenceNumber();
    EXPECT_TRUE(Press(p, VK_RIGHT, shows(tomorrow)) && Press(p, VK_ESCAPE, closed));
    EXPECT_EQ(GetClipboardSequenceNumber(), copies);
    // Another window of the desktop activated: as a click elsewhere.
    TrayMouse(week, WM_LBUTTONUP);
    ASSERT_TRUE(opens(today));
    const HWND elsewhere = CreateWindowExW(0, L"Static", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0,
                                           100, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(elsewhere);
    EXPECT_TRUE(WaitUntil(closed));
    DestroyWindow(elsewhere);
    // A click on the week icon just after the calendar lost its activation is taken as
    // the click that took it.
    Sleep(kKeySelectPair + 100);
    // Enter copies the day a week on in the form chosen, first with none.
    for (const auto& [form, command] : {std::pair{0, 0},
                                        {1, IDM_COPY_CLIP_LONG},
                                        {2, IDM_COPY_CLIP_SHORT},
                                        {3, IDM_COPY_CLIP_ISO},
                                        {4, IDM_COPY_WEEK}}) {
        if (command != 0) {
            p.Send(p.main(), WM_COMMAND, static_cast<WPARAM>(command));
        }
        TrayMouse(week, WM_LBUTTONUP);
        ASSERT_TRUE(opens(today)) << form;
        EXPECT_TRUE(Press(p, VK_DOWN, shows(weekOn)) && Press(p, VK_RETURN, closed)) << form;
        EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == Copied(form, weekOn); })) << form;
    }
    ExpectWorking(p);
    EXPECT_TRUE(TrayHasIcon(p.Month()) && TrayHasIcon(week));
    EXPECT_FALSE(IsWindowVisible(p.main()));
}

// Wine's edit control lays out the 650,000 lines one by one, for half a minute or more
// each time the box is filled or resized.
TEST(VeryLargeNotesTest, FiftyMegabytesAreLoadedWhole) {
    const std::string line = std::string(78, 'x') + "\r\n";
    std::string text;
    text.reserve(50u << 20);
    while (text.size() + line.size() <= (50u << 20)) {
        text += line;
    }
    RunningProgram program;
    WriteFile(program.folder() + "\\notes.txt", text);
    ASSERT_TRUE(program.Start(Ms(300000)));
    ExpectWorking(program, Ms(300000));
    // Every character arrives but the last line end.
    EXPECT_EQ(program.Send(program.Child("Edit"), WM_GETTEXTLENGTH),
              static_cast<LRESULT>(text.size() - 2));
    Close(program, Closing::CloseMessage);
    EXPECT_EQ(ReadFile(program.folder() + "\\notes.txt").size(), text.size());
}

// Any program of the desktop may post or send any message to the program's windows: the
// main window's and the picture boxes' own range, WM_DPICHANGED and WM_TIMER, with numbers
// where Windows would put addresses. Nothing reads memory through them: the program goes
// on, its icons stay, and its settings are written at exit.
TEST(HostileMessagesTest, NumbersWhereAddressesWouldBeReadNoMemory) {
    RunningProgram program;
    ASSERT_TRUE(program.Start());
    for (const HWND target : {program.main(), program.Day(), program.Month()}) {
        for (UINT message = WM_APP; message <= WM_APP + 4; ++message) {
            PostMessageW(target, message, 0x10, 0x10);
            program.Send(target, message, 0x10, 0x10);
        }
        for (const UINT message : {UINT{WM_DPICHANGED}, UINT{WM_TIMER}}) {
            PostMessageW(target, message, MAKEWPARAM(144, 144), 0x10);
            program.Send(target, message, MAKEWPARAM(144, 144), 0x10);
        }
    }
    ExpectWorking(program);
    EXPECT_TRUE(TrayHasIcon(program.Month()));
    Close(program, Closing::CloseMessage);
}

}  // namespace
}  // namespace datrelle::testing
