// The parts of the Win32 layer that the program tests cannot see from outside, in this
// process: the icon resources and the icons at each DPI, the controls' fonts, the browser host's
// references and lifetime, and what only a fixed date or an odd input reaches.

#include <exdispid.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <span>
#include <stdexcept>

#include "Driver.h"
#include "form/Bindings.h"
#include "icongen/IconCatalogue.h"
#include "icongen/Palette.h"
#include "resource.h"
#include "settings/IniFile.h"
#include "win32/BrowserHost.h"
#include "win32/ControlWindows.h"
#include "win32/DoubleClickWatch.h"
#include "win32/Dpi.h"
#include "win32/MonthCalendarWindow.h"
#include "win32/OleScope.h"
#include "win32/TrayIcons.h"
#include "win32/WideText.h"
#include "win32/Win32Calendar.h"
#include "win32/Win32FileDialog.h"
#include "win32/Win32Profile.h"
#include "win32/WindowClasses.h"

namespace datrelle::win32 {
namespace {

// A plain top-level window of this process for controls made in-process.
struct TestWindow {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900,
                                  600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ~TestWindow() { DestroyWindow(window); }
    HWND get() const { return window; }
};

struct DcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// What Windows draws of an icon at this size over a colour that no icon uses, so that a
// transparent pixel shows as well as a wrong one; each pixel as its index in the icons'
// palette, 16 for any other colour.
icongen::IndexedImage Drawn(HICON icon, int size) {
    BITMAPINFO format{{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    RGBQUAD* pixels = nullptr;
    const Unique<HBITMAP, GdiDeleter> canvas(CreateDIBSection(
        nullptr, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0));
    const Unique<HDC, DcDeleter> dc(CreateCompatibleDC(nullptr));  // released before the canvas
    SelectObject(dc.get(), canvas.get());
    std::fill_n(pixels, size * size, RGBQUAD{0x12, 0x34, 0x56, 0});
    EXPECT_TRUE(DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) << size;
    GdiFlush();
    icongen::IndexedImage picture(size, size, 0);
    for (int i = 0; i < size * size; ++i) {
        const icongen::Rgb colour{pixels[i].rgbRed, pixels[i].rgbGreen, pixels[i].rgbBlue};
        const auto index = std::ranges::find(icongen::kPalette, colour) - icongen::kPalette.begin();
        picture.Set(i % size, i / size, static_cast<std::uint8_t>(index));
    }
    return picture;
}

// An RT_GROUP_ICON entry: the .ico file's directory entry, with a resource id for the offset.
#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;  // 0 for 256 pixels
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const void* ResourceData(int id, LPCSTR type) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    return found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
}

// The icons as the generator builds them: the days, the months, the weeks, then the program's own.
int ResourceId(std::size_t icon) {
    constexpr int kDaysAndMonths = kDayHolders + kMonthHolders;
    const int number = static_cast<int>(icon) + 1;
    return number <= kDayHolders                     ? IDI_DAY_BASE + number
           : number <= kDaysAndMonths                ? IDI_MONTH_BASE + number - kDayHolders
           : number <= kDaysAndMonths + kWeekHolders ? IDI_WEEK_BASE + number - kDaysAndMonths
                                                     : IDI_APP;
}

// Each icon's directory lists exactly the sizes that the tray and the window ask for, the
// sizes beyond the classic four as PNG, which readers that know no PNG skip. The week icons
// and the program's own, loaded by Windows' own loader at each size and drawn, are the
// generator's pictures; the day and month icons are so in the test of their holders.
TEST(IconResourcesTest, EachIconListsItsSizesTheLargerAsPng) {
    const std::vector<int> traySizes(icongen::kTraySizes.begin(), icongen::kTraySizes.end());
    const std::vector<int> appSizes = {16, 20, 24, 32, 48, 64, 256};
    constexpr int kBitmapSizes[] = {16, 20, 24, 32};
    const auto icons = icongen::BuildAllIcons();
    ASSERT_EQ(icons.size(), 97u) << "31 days, 12 months, 53 weeks and the program's own";
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const auto* group = static_cast<const WORD*>(ResourceData(ResourceId(i), RT_GROUP_ICON));
        ASSERT_NE(group, nullptr) << icons[i].name;
        std::vector<int> listed;
        for (const auto& entry :
             std::span(reinterpret_cast<const GroupIconEntry*>(group + 3), group[2])) {
            listed.push_back(entry.width == 0 ? 256 : entry.width);
            EXPECT_TRUE(entry.height == entry.width && entry.colours == 16 && entry.planes == 1 &&
                        entry.bitsPerPixel == 4);
            const bool png = std::memcmp(ResourceData(entry.id, RT_ICON), "\x89PNG", 4) == 0;
            EXPECT_EQ(png, std::ranges::count(kBitmapSizes, listed.back()) == 0) << listed.back();
        }
        EXPECT_EQ(listed, ResourceId(i) == IDI_APP ? appSizes : traySizes) << icons[i].name;
    }
    for (std::size_t i = kDayHolders + kMonthHolders; i < icons.size(); ++i) {
        for (const icongen::IndexedImage& image : icons[i].images) {
            const int size = image.Width();
            const UniqueIcon loaded(static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ResourceId(i)), IMAGE_ICON,
                           size, size, LR_DEFAULTCOLOR)));
            EXPECT_TRUE(Drawn(loaded.get(), size) == image) << icons[i].name << " at " << size;
        }
    }
}

// Each box's icon at every scaling of the tray, replaced so that the shell never holds a
// destroyed one; the boxes follow the window's scaling.
TEST(TrayIconsTest, EachHolderGivesItsOwnIconAtTheTraySizeOfEveryScaling) {
    const auto icons = icongen::BuildTrayIcons();
    TrayIcons holders;
    const TestWindow parent;  // declared last: gone before the icons it shows
    ASSERT_TRUE(holders.Create(parent.get(), GetModuleHandleA(nullptr), 96));
    (void)holders.LoadIconsFor(96);  // whatever size the taskbar asked for at creation
    const auto holder = [&](std::size_t icon) {
        const bool day = icon < kDayHolders;
        const int index = static_cast<int>(icon) + 1 - (day ? 0 : kDayHolders);
        return holders.Holder(day ? IconKind::Day : IconKind::Month, index);
    };
    const auto day6 = holder(5)->icon;
    EXPECT_FALSE(holders.LoadIconsFor(96)) << "the same size again";
    // An icon the shell shows stays alive beside its replacement until the shell has the
    // new one (or none).
    const auto box6 = holder(5)->window;
    ASSERT_TRUE(holders.Notify(TrayCommand::Add,
                               {.hWnd = box6, .uID = 1, .uFlags = NIF_ICON, .hIcon = day6}));
    EXPECT_TRUE(holders.LoadIconsFor(120));
    EXPECT_NE(holder(5)->icon, day6);
    EXPECT_TRUE(Drawn(reinterpret_cast<HICON>(day6), 16) == icons[5].images[0]);
    EXPECT_TRUE(holders.Notify(TrayCommand::Delete, {.hWnd = box6, .uID = 1}));
    // The small icon grows with the scaling from 16 pixels at 100 per cent (96 DPI) to 64
    // at 400, and each holder gives the tray the image of its own icon drawn for that size,
    // as Windows' own loader reads it from the program's resources.
    for (std::size_t k = 0; k < icongen::kTraySizes.size(); ++k) {
        const int size = icongen::kTraySizes[k];
        EXPECT_EQ(GetSystemMetricsForDpi(SM_CXSMICON, size * 6), size);
        (void)holders.LoadIconsFor(size * 6);
        for (std::size_t i = 0; i < icons.size(); ++i) {
            ASSERT_TRUE(holder(i) && holder(i)->icon != 0) << icons[i].name;
            EXPECT_TRUE(Drawn(reinterpret_cast<HICON>(holder(i)->icon), size) == icons[i].images[k])
                << icons[i].name << " at " << size;
        }
    }
    // Asked again, a box gives the icon it holds: reloaded at every call, it would destroy
    // the one the shell shows.
    const auto first = holder(0)->icon;
    EXPECT_EQ(holder(0)->icon, first) << "reloaded";
    for (const auto& [kind, count] : {std::pair{IconKind::Day, 31}, {IconKind::Month, 12}}) {
        EXPECT_FALSE(holders.Holder(kind, 0));
        EXPECT_FALSE(holders.Holder(kind, count + 1));
    }
    EXPECT_NE(holders.Holder(IconKind::Day, 1)->window, holders.Holder(IconKind::Month, 1)->window);
    // A box is known by its window alone, no other window is one, and the shell's
    // notification at a box reaches the handler by a direct call.
    std::vector<TrayNotification> seen;
    holders.onNotification = [&](const TrayNotification& notification) {
        seen.push_back(notification);
    };
    const auto box = holders.Holder(IconKind::Month, 12)->window;
    SendMessageW(reinterpret_cast<HWND>(box), WM_MOUSEMOVE, MAKEWPARAM(40, 50),
                 MAKELPARAM(WM_CONTEXTMENU, 1));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(std::tuple(seen[0].event, seen[0].anchor, seen[0].icon),
              std::tuple(WM_CONTEXTMENU, std::optional(ScreenPoint{40, 50}), box));
    EXPECT_FALSE(holders.Notify(TrayCommand::Modify,
                                {.hWnd = reinterpret_cast<WindowHandle>(parent.get()), .uID = 1}));
    holders.OnWindowDpiChanged(192);
    RECT place = testing::Place(reinterpret_cast<HWND>(holders.Holder(IconKind::Day, 2)->window));
    MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(std::tuple(place.left, place.top),
              std::tuple(MulDiv(6750 + 375, 192, 1440), MulDiv(750, 192, 1440)));
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

TEST(ControlWindowsTest, FontsAndPlacesFollowTheDpi) {
    ASSERT_TRUE(RegisterBrowserHostClass(GetModuleHandleA(nullptr)));
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        ControlWindows controls;
        const TestWindow parent;
        ASSERT_TRUE(controls.Create(parent.get(), GetModuleHandleA(nullptr), dpi));
        // The title in Verdana bold at 14.25 points.
        const LOGFONTA title = FontOf(controls.Get(ControlId::Label1));
        EXPECT_EQ(std::tuple(std::string(title.lfFaceName), title.lfWeight, title.lfHeight),
                  std::tuple("Verdana", FW_BOLD, -MulDiv(1425, dpi, 7200)));
        EXPECT_EQ(FontOf(controls.Get(ControlId::Text1)).lfHeight, -MulDiv(12, dpi, 72));
        // Buttons have the system's message font at this DPI.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                               static_cast<UINT>(dpi)));
        EXPECT_EQ(FontOf(controls.Get(ControlId::Command1)).lfHeight,
                  metrics.lfMessageFont.lfHeight);
        RECT place = testing::Place(controls.Get(ControlId::Command5));
        MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(std::tuple(place.left, place.right),
                  std::tuple(MulDiv(4350, dpi, 1440), MulDiv(4350 + 1365, dpi, 1440)));
    }
}

// Every command of the popup menu has one model, and every menu model an item: the
// resources and the binding table name the same numbers.
TEST(ViewBindingTest, EachItemOfTheMenuHasOneModel) {
    Form form;
    std::multiset<int> models, items;
    for (const Binding& binding : Bindings(form)) {
        if (std::holds_alternative<MenuItem*>(binding.model)) {
            models.insert(binding.id);
        }
    }
    const UniqueMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPMENU)));
    const std::function<void(HMENU)> collect = [&](HMENU popup) {
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            if (const HMENU submenu = GetSubMenu(popup, i)) {
                collect(submenu);
            } else if (const UINT id = GetMenuItemID(popup, i); id != 0) {  // 0: a separator
                items.insert(static_cast<int>(id));
            }
        }
    };
    collect(GetSubMenu(menu.get(), 0));
    EXPECT_EQ(items, models);
}

TEST(BrowserHostTest, FillsItsWindowAndLetsGoWithItInEitherOrder) {
    const OleScope ole;
    ASSERT_TRUE(ole.Initialized());
    ASSERT_TRUE(RegisterBrowserHostClass(GetModuleHandleA(nullptr)));
    const long sitesBefore = BrowserSite::LiveCount();
    const TestWindow parent;
    const HWND hostWindow =
        CreateWindowExW(0, kBrowserHostClass, L"", WS_CHILD | WS_VISIBLE, 10, 10, 400, 300,
                        parent.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hostWindow, nullptr);
    {
        // Gone before its window: the window no longer knows it, so resizing the window
        // reaches nothing that is gone.
        BrowserHost host;
        ASSERT_TRUE(host.Attach(hostWindow));
    }
    EXPECT_EQ(BrowserSite::LiveCount(), sitesBefore);
    EXPECT_EQ(GetWindow(hostWindow, GW_CHILD), nullptr);
    EXPECT_TRUE(SetWindowPos(hostWindow, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER));

    BrowserHost host;
    ASSERT_TRUE(host.Attach(hostWindow));
    EXPECT_FALSE(host.Attach(hostWindow)) << "one control per host";
    EXPECT_EQ(BrowserSite::LiveCount(), sitesBefore + 1);
    // Silent: a page's script errors raise no dialog.
    VARIANT_BOOL silent = VARIANT_FALSE;
    EXPECT_EQ(host.control()->get_Silent(&silent), S_OK);
    EXPECT_EQ(silent, VARIANT_TRUE);
    const HWND control = GetWindow(hostWindow, GW_CHILD);
    ASSERT_NE(control, nullptr) << "the control made no window of its own";
    ASSERT_TRUE(SetWindowPos(hostWindow, nullptr, 0, 0, 520, 180, SWP_NOMOVE | SWP_NOZORDER));
    const RECT area = testing::Place(control);
    EXPECT_EQ(std::pair(area.right - area.left, area.bottom - area.top), std::pair(520L, 180L));
    host.Navigate("about:blank");
    EXPECT_TRUE(testing::WaitUntil([&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        return host.LocationURL() == "about:blank";
    }));
    // Its window gone first: every reference let go, and calls after that do nothing.
    DestroyWindow(hostWindow);
    EXPECT_FALSE(host.Attached());
    EXPECT_EQ(BrowserSite::LiveCount(), sitesBefore);
    host.Navigate("about:blank");
    host.GoSearch();
    EXPECT_EQ(host.LocationURL(), "");
}

// Wine never raises the title change, so the event sink is called here as the control
// would call it: the window's caption follows the browser through this path alone.
TEST(BrowserSiteTest, TitleChangeReachesTheHandler) {
    const long sitesBefore = BrowserSite::LiveCount();
    Microsoft::WRL::ComPtr<BrowserSite> site = BrowserSite::Create(nullptr);
    ASSERT_TRUE(site);
    std::vector<std::string> titles;
    site->SetTitleHandler([&titles](const std::string& title) { titles.push_back(title); });
    IDispatch* events = nullptr;
    ASSERT_EQ(site->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&events)),
              S_OK);
    for (const auto& [id, expected] :
         {std::pair{DISPID_TITLECHANGE, S_OK}, {DISPID_DOCUMENTCOMPLETE, DISP_E_MEMBERNOTFOUND}}) {
        VARIANT argument;
        argument.vt = VT_BSTR;
        argument.bstrVal = SysAllocString(id == DISPID_TITLECHANGE ? L"A page" : L"not a title");
        DISPPARAMS params{&argument, nullptr, 1, 0};
        EXPECT_EQ(
            events->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
            expected);
        VariantClear(&argument);
    }
    EXPECT_EQ(titles, std::vector<std::string>{"A page"});
    EXPECT_EQ(events->Release(), 1u);
    EXPECT_EQ(site.Reset(), 0u);
    EXPECT_EQ(BrowserSite::LiveCount(), sitesBefore);
}

// The one conversion between the program's UTF-8 and Windows' UTF-16: each length of a
// UTF-8 sequence, a surrogate pair, the NULs between a filter's parts, and U+FFFD for
// what has no character.
TEST(WideTextTest, EveryCharacterBothWaysAndU0FFFDForTheBroken) {
    using namespace std::string_literals;
    const std::tuple<std::string, std::wstring, std::string> cases[] = {
        // UTF-8, its UTF-16, and the UTF-8 that comes back
        {"Datrelle", L"Datrelle", "Datrelle"},
        {"\xC3\xA9", L"\u00E9", "\xC3\xA9"},
        {"\xE2\x82\xAC", L"\u20AC", "\xE2\x82\xAC"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
        {"a\0*.txt\0"s, L"a\0*.txt\0"s, "a\0*.txt\0"s},
        {"a\x80z", L"a\xFFFDz", "a\xEF\xBF\xBDz"},
        {"", L"", ""},
    };
    for (const auto& [utf8, wide, back] : cases) {
        EXPECT_EQ(WideFromUtf8(utf8), wide) << utf8;
        EXPECT_EQ(Utf8FromWide(wide), back) << utf8;
    }
    EXPECT_EQ(Utf8FromWide(L"a\xD800z"), "a\xEF\xBF\xBDz") << "a lone surrogate";
}

// Only a fixed date gives a text beyond the narrow function's own buffer under Wine:
// near the longest format the system takes, the day's name sixteen times.
TEST(Win32CalendarTest, AUsersVeryLongFormatGivesTheWholeDate) {
    std::string format = "dddd";
    for (int i = 1; i < 16; ++i) {
        format += " dddd";
    }
    char saved[100] = "", day[80] = "";
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, saved, sizeof saved), 0);
    const SYSTEMTIME wednesday{2024, 9, 0, 4, 0, 0, 0, 0};
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &wednesday, "dddd", day, sizeof day), 0);
    // The user's formats belong to the Wine prefix: restored at once, and no other test
    // runs beside this one.
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, format.c_str()));
    const std::string text = Win32Calendar().LongDate({2024, 9, 4});
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, saved);
    EXPECT_GT(text.size(), 128u);
    EXPECT_EQ(text, testing::Replace(format, "dddd", day));
}

TEST(FileDialogAndProfileTest, AFileStandsForItsFolderAndLongValuesAreCut) {
    const std::string folder = testing::MakeTempFolder();
    testing::WriteFile(folder + "\\notes.txt", "notes");
    // A real folder is its own starting point; a file in it stands for it.
    EXPECT_EQ(StartingFolder(folder), folder);
    EXPECT_EQ(StartingFolder(folder + "\\notes.txt"), folder);
    // The settings code asks the profile functions for at most 749 characters.
    testing::WriteFile(folder + "\\Datrelle.ini",
                       "[Settings]\r\nApp to Run=" + std::string(800, 'b'));
    Win32Profile profile;
    EXPECT_EQ(ReadIniValue(profile, "Settings", "App to Run", folder + "\\Datrelle.ini"),
              std::string(749, 'b'));
    // In UTF-16, where the buffer's end would cut a character beyond U+FFFF in half.
    const std::string pair = "\xF0\x9F\x98\x80";
    for (const auto& [value, read] :
         {std::pair{std::string(747, 'b') + pair, 747 + 4}, {std::string(748, 'b') + pair, 748}}) {
        testing::WriteFile(folder + "\\Datrelle.ini",
                           testing::SettingsFileBytes("[S]\r\nk=" + value + "\r\n"));
        EXPECT_EQ(profile.GetString("S", "k", "", kIniBufferSize, folder + "\\Datrelle.ini"),
                  value.substr(0, read));
    }
    testing::RemoveFolder(folder);
}

// The program's watch lives as long as its notes box; these are the other orders.
TEST(DoubleClickWatchTest, StopsWithTheWatchOrTheControlAndKeepsExceptionsInside) {
    const TestWindow parent;
    const HWND edit = CreateWindowExA(0, "EDIT", "words", WS_CHILD | ES_MULTILINE, 0, 0, 300, 200,
                                      parent.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
    const auto doubleClick = [edit] {
        SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    };
    int clicks = 0;
    {
        DoubleClickWatch watch;
        ASSERT_TRUE(watch.Attach(edit, [&] { throw std::runtime_error("out of luck"); }));
        EXPECT_FALSE(watch.Attach(edit, [&] { ++clicks; }));
        doubleClick();  // no exception may cross the control's window procedure
    }
    doubleClick();
    EXPECT_EQ(clicks, 0);
    DoubleClickWatch watch;
    ASSERT_TRUE(watch.Attach(edit, [&] { ++clicks; }));
    doubleClick();
    EXPECT_EQ(clicks, 1);
    ASSERT_TRUE(DestroyWindow(edit));
    watch.Detach();  // the control is gone: nothing left to undo
    EXPECT_FALSE(watch.Attach(nullptr, [] {}));
}

std::string TextOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return Utf8FromWide(text);
}

// The calendar as a screen reader sees it: found by its class, its text the selected day's
// long date after every click and wheel turn (the keys, Enter, Esc and leaving it are the
// program suite's); a double click hands the day on and closes it.
TEST(MonthCalendarWindowTest, TheTextFollowsTheMouseAndADoubleClickChooses) {
    const TestWindow owner;
    const Win32Calendar calendar;
    MonthCalendarWindow view(GetModuleHandleA(nullptr), owner.get(), calendar);
    std::vector<CivilDate> chosen;
    view.onChosen = [&](const CivilDate& day) { chosen.push_back(day); };
    const MonthViewOpening opening{{2026, 12, 8}, kIsoWeeks, 0, std::nullopt, true};
    const auto find = [] { return FindWindowW(kCalendarWindowClass, nullptr); };
    ASSERT_EQ(find(), nullptr);
    view.Open(opening);
    const HWND window = find();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner.get());
    EXPECT_EQ(TextOf(window), calendar.LongDate({2026, 12, 8}));
    const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageW(find(), message, wParam, lParam);
        for (MSG queued; PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&queued);
        }
        return TextOf(find());
    };
    const CalendarLayout layout(DpiOf(window));
    const auto at = [](const PixelRect& rect) { return MAKELPARAM(rect.left + 2, rect.top + 2); };
    const std::tuple<UINT, WPARAM, LPARAM, CivilDate> moves[] = {
        {WM_KEYDOWN, VK_END, 0, {2026, 12, 8}},
        {WM_DPICHANGED, MAKEWPARAM(192, 192), 0x1234, {2026, 12, 8}},  // another program's
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0, {2026, 12, 8}},         // half a notch
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0, {2027, 1, 8}},
        {WM_LBUTTONDOWN, 0, at(layout.PreviousButton()), {2026, 12, 8}},
        {WM_KEYDOWN, VK_PRIOR, 0, {2026, 11, 8}},
        {WM_LBUTTONDOWN, 0, at(layout.DayCell(0, 0)), {2026, 10, 26}}};
    for (const auto& [message, wParam, lParam, day] : moves) {
        EXPECT_EQ(send(message, wParam, lParam), calendar.LongDate(day))
            << message << " " << wParam;
    }
    view.Open(opening);  // while open: the selection stays
    EXPECT_EQ(TextOf(window), calendar.LongDate({2026, 10, 26}));
    // October is shown now; the double click still means the day first clicked.
    send(WM_LBUTTONDBLCLK, 0, at(layout.DayCell(0, 0)));
    EXPECT_FALSE(IsWindow(window) || view.IsOpen());
    EXPECT_EQ(chosen, (std::vector<CivilDate>{{2026, 10, 26}}));
}

}  // namespace
}  // namespace datrelle::win32
