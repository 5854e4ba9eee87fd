// The real program's main window, as another program sees it right after start-up.

#include <gtest/gtest.h>

#include "Marker.h"
#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

struct Expected {
    const char* className;
    const char* text;
    int left, top, width, height;  // twips, relative to the client area
    bool visible;
    bool enabled;
    int check;  // BM_GETCHECK of a check box, -1 for other controls
};

// Check boxes sit in the frame at (150, 525): their places here are frame + own place.
const Expected kControls[] = {
    {"Static", "Tavrin Datrelle", 150, 75, 3990, 390, true, true, -1},
    {"Button", "Search the Web", 4350, 75, 1365, 390, true, true, -1},
    {"Button", "Default Site", 4350, 525, 1365, 390, true, true, -1},
    {"Button", "Open File", 4350, 975, 1365, 390, true, true, -1},
    {"Button", "Auto Start App", 4350, 1425, 1365, 390, true, false, -1},
    {"Button", "Settings", 150, 525, 4065, 1365, true, true, -1},
    {"Button", "Auto-Start with Windows", 300, 825, 2115, 240, true, true, 0},
    {"Button", "Show Month Icon", 300, 1125, 1665, 315, true, true, 1},
    {"Button", "Auto-Hide", 300, 1500, 1290, 315, true, true, 0},
    {"Button", "Start Nimbrel", 2325, 1575, 1740, 240, true, true, 0},
    {"Button", "Exit Program", 150, 2025, 1290, 390, true, true, -1},
    {"Button", "Mi&nimize", 1500, 2025, 1365, 390, true, true, -1},
    {"Button", "Ma&ximize", 2925, 2025, 1365, 390, true, true, -1},
    {"Button", "Dock", 4350, 2025, 1365, 390, true, true, -1},
    // The two panels follow the window: a first run's window is 6025 by 2925 twips, so
    // the notes box is 6025 - 5925 - 100 wide and the browser panel 6025 - 100 wide.
    {"Edit", "... Double-Click to load text file ...\r\n", 5925, 0, 0, 2190, true, true, -1},
    {"Button", "Save Changes", 5850, 2250, 5340, 240, false, true, -1},
};

int Px(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

RECT ClientPlace(HWND main, HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

struct TwipsPlace {
    int left, top, width, height;
};

// A control's place in the main window's client area; one pixel off at most, as edges
// are rounded separately.
void ExpectPlace(HWND main, HWND control, const TwipsPlace& twips) {
    const int dpi = static_cast<int>(GetDpiForWindow(main));
    const RECT place = ClientPlace(main, control);
    EXPECT_NEAR(place.left, Px(twips.left, dpi), 1);
    EXPECT_NEAR(place.top, Px(twips.top, dpi), 1);
    EXPECT_NEAR(place.right - place.left, Px(twips.width, dpi), 1);
    EXPECT_NEAR(place.bottom - place.top, Px(twips.height, dpi), 1);
}

HWND BrowserPanel(HWND main) {
    for (HWND child : Children(main)) {
        if (ClassName(child) == "DatrelleBrowserHost") {
            return child;
        }
    }
    return nullptr;
}

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        program = new RunningProgram;
        ASSERT_TRUE(program->Start());
    }
    static void TearDownTestSuite() {
        delete program;
        program = nullptr;
    }

    static void ExpectPlace(HWND control, int left, int top, int width, int height) {
        testing::ExpectPlace(program->mainWindow(), control, {left, top, width, height});
    }

    static RunningProgram* program;
};

RunningProgram* MainWindowTest::program = nullptr;

TEST_F(MainWindowTest, EveryControlHasItsClassCaptionPlaceAndState) {
    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.text);
        const HWND control = program->Child(e.className, e.text);
        ASSERT_NE(control, nullptr);
        ExpectPlace(control, e.left, e.top, e.width, e.height);
        EXPECT_EQ(Shown(control), e.visible);
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, e.enabled);
        if (e.check >= 0) {
            EXPECT_EQ(program->Send(control, BM_GETCHECK), e.check);
        }
    }
    const HWND browser = BrowserPanel(program->mainWindow());
    ASSERT_NE(browser, nullptr);
    ExpectPlace(browser, -75, 2625, 5925, 200);
}

// The controls are made while start-up runs, after the date is in the tray: every one
// of them must still show what the settings gave it once the window is shown.
TEST(MainWindowFromSettingsTest, ShownWindowHasEveryControlAsTheSettingsLeftIt) {
    RunningProgram program;
    const std::string weather = program.folder() + "\\Nimbrel.exe";
    ASSERT_TRUE(PlaceMarker(weather));
    WriteFile(program.folder() + "\\notes.txt", "first\r\n\r\nsecond\r\n");
    WriteFile(program.settingsPath(),
              "[View]\r\ntop=600\r\nleft=750\r\nheight=6000\r\nwidth=9000\r\n"
              "[Settings]\r\nAuto Start=2\r\nShow Month=0\r\nAuto hide=1\r\nStart Weather=1\r\n"
              "Nimbrel App path=" +
                  weather + "\r\n");
    ASSERT_TRUE(program.Start());
    const HWND main = program.mainWindow();
    const struct {
        const char* caption;
        LRESULT check;
    } boxes[] = {{"Auto-Start with Windows", BST_INDETERMINATE},
                 {"Show Month Icon", BST_UNCHECKED},
                 {"Auto-Hide", BST_CHECKED},
                 {"Start Nimbrel", BST_CHECKED}};
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.caption);
        const HWND control = program.Child("Button", box.caption);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(program.Send(control, BM_GETCHECK), box.check);
    }
    // A weather program is there, so the button is available; no notes box double
    // click yet, so Save Changes is hidden.
    EXPECT_TRUE(IsWindowEnabled(program.Child("Button", "Auto Start App")));
    EXPECT_FALSE(Shown(program.Child("Button", "Save Changes")));
    // The notes box holds the first notes file, and both panels follow the saved size.
    const HWND notes = program.Child("Edit", "first\r\n\r\nsecond");
    ASSERT_NE(notes, nullptr);
    ExpectPlace(main, notes, {5925, 0, 9000 - 5925 - 100, 2190});
    const HWND browser = BrowserPanel(main);
    ASSERT_NE(browser, nullptr);
    ExpectPlace(main, browser, {-75, 2625, 9000 - 100, 6000 - 2625 - 100});
}

TEST_F(MainWindowTest, FortyThreeHiddenIconHoldersAtTheirPlaces) {
    for (int day = 1; day <= 31; ++day) {
        SCOPED_TRACE(day);
        const HWND holder = program->DayHolder(day);
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(GetParent(holder), program->mainWindow());
        const int left = day == 31 ? 10500 : 6750 + ((day - 1) % 10) * 375;
        const int top = day == 31 ? 1500 : 750 + ((day - 1) / 10) * 375;
        ExpectPlace(holder, left, top, 315, 315);
    }
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        const HWND holder = program->MonthHolder(month);
        ASSERT_NE(holder, nullptr);
        ExpectPlace(holder, 6750 + ((month - 1) % 6) * 375, ((month - 1) / 6) * 375, 315, 315);
    }
}

}  // namespace
}  // namespace datrelle::testing
