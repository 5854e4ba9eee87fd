#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "app/App.h"
#include "viewer/BrowserPanel.h"

namespace datrelle {
namespace {

using fakes::DayWindow;
using fakes::FakePlatform;
using fakes::MonthWindow;

constexpr const char* kIni = "C:\\Tools\\Datrelle.ini";
const WindowRect kCompact{19200 - 6025, 12000 - 2925 - 800, 6025, 2925};

// A settings file beside the program, as both the profile functions and the existence
// test see it.
void SettingsFile(FakePlatform& fake, const std::string& text) {
    fake.profile.files[kIni] = text;
    fake.files.Add(kIni, text);
}

class StartupTest : public ::testing::Test {
  protected:
    FakePlatform fake;
    App app{fake.platform};
    Form& form = app.form();
};

TEST_F(StartupTest, FirstRunWithoutSettings) {
    EXPECT_TRUE(app.Load());
    EXPECT_EQ(app.iniFile(), kIni);
    EXPECT_EQ(fake.window.rect, kCompact);
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_TRUE(fake.tray.Shows(MonthWindow(12)));
    EXPECT_EQ(fake.browser.navigations, std::vector<std::string>{std::string(kDefaultStartPage)});
    EXPECT_TRUE(form.Timer1.Running());
    EXPECT_FALSE(form.Timer2.Running());
    EXPECT_TRUE(fake.profile.reads.empty());

    // The date timer follows the calendar.
    fake.calendar.today = {2027, 1, 1};
    form.Timer3.Tick();
    EXPECT_EQ(fake.tray.shown, (std::vector{DayWindow(1), MonthWindow(1)}));
}

// The window's controls are made once the date is in the tray; a start whose controls
// cannot be made ends as one whose window could not be made.
TEST_F(StartupTest, ControlsAreMadeAfterTheDateAndTheirFailureUndoesTheStart) {
    SettingsFile(fake, "[Settings]\r\nShow Month=0\r\n");
    bool iconsWereShown = false;
    EXPECT_FALSE(app.Load([&] {
        iconsWereShown = fake.tray.Shows(DayWindow(6)) && fake.tray.Shows(MonthWindow(12));
        return false;
    }));
    EXPECT_TRUE(iconsWereShown);
    EXPECT_TRUE(fake.tray.shown.empty());
    EXPECT_TRUE(fake.profile.reads.empty());
    EXPECT_EQ(form.Check2.Value(), CheckBox::kChecked);
    EXPECT_TRUE(fake.browser.navigations.empty());
    EXPECT_FALSE(form.Timer1.Enabled() || form.Timer3.Enabled());
    app.Unload();
    EXPECT_EQ(fake.profile.writes, 0);
}

TEST_F(StartupTest, ReadsEveryKeyInOrderWithItsLowerCaseName) {
    SettingsFile(fake, "[View]\r\n");
    EXPECT_TRUE(app.Load());
    std::vector<std::string> keys;
    for (const auto& read : fake.profile.reads) {
        EXPECT_EQ(read.bufferSize, 750u);
        keys.push_back(read.section + "/" + read.key);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{
                  "View/top", "View/left", "View/height", "View/width", "Settings/auto start",
                  "Settings/show month", "Settings/auto hide", "Settings/date format",
                  "Settings/nimbrel app path", "Settings/start weather", "Settings/app to run",
                  "Settings/milliseconds before starting app", "View/last url"}));
}

TEST_F(StartupTest, AppliesTheSavedWindowAndSettings) {
    fake.files.Add("C:\\Nimbrel\\nimbrel.exe");
    SettingsFile(fake,
                 "[View]\r\nWidth= 9000\r\nHeight= 4000.5\r\nLeft=2000\r\nTop= 1500\r\n"
                 "Last URL=https://example.org/\r\n"
                 "[Settings]\r\nAuto Start=1\r\nShow Month=0\r\nAuto hide=1\r\ndate format= 1\r\n"
                 "Nimbrel App path=C:\\Nimbrel\\nimbrel.exe\r\n"
                 "App to Run=C:\\x.exe\r\nMilliseconds before starting App= 1500\r\n");
    EXPECT_TRUE(app.Load());
    EXPECT_EQ(fake.window.rect, (WindowRect{2000, 1500, 9000, 4000.5f}));
    std::vector<std::string> geometry;
    for (const auto& call : fake.window.calls) {
        const std::string name = call.substr(0, call.find(' '));
        if (name == "Top" || name == "Left" || name == "Height" || name == "Width") {
            geometry.push_back(call);
        }
    }
    EXPECT_EQ(geometry,
              (std::vector<std::string>{"Top 1500", "Left 2000", "Height 4000.5", "Width 9000"}));
    EXPECT_EQ(form.Check1.Value(), 1);
    EXPECT_EQ(form.Timer1.Interval(), 130000);
    EXPECT_EQ(form.Check2.Value(), 0);
    EXPECT_FALSE(fake.tray.Shows(MonthWindow(12)));
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_EQ(form.Check3.Value(), 1);
    EXPECT_TRUE(form.Timer1.Running());
    EXPECT_TRUE(form.MnuCopyClipLong.Checked());
    EXPECT_EQ(app.vars().WeatherAppPath, "C:\\Nimbrel\\nimbrel.exe");
    EXPECT_TRUE(form.Command9.Enabled());
    EXPECT_EQ(app.vars().AppToRun, "C:\\x.exe");
    EXPECT_TRUE(form.Timer2.Running());
    EXPECT_EQ(form.Timer2.Interval(), 1500);
    EXPECT_EQ(fake.browser.navigations, std::vector<std::string>{"https://example.org/"});
}

TEST(StartupValuesTest, RefusedOrUnconvertibleValuesChangeNothing) {
    struct Case {
        const char* line;
        int check1;
        std::int16_t delay;
        bool longChecked;
        bool shortChecked;
    };
    const Case cases[] = {
        {"Auto Start=1.5", 2, 0, false, false},  // a half goes to the even neighbour
        {"Auto Start=0.5", 0, 0, false, false},
        {"Auto Start=7", 0, 0, false, false},  // refused by the box
        {"Auto Start=&H1", 1, 0, false, false},
        {"Milliseconds before starting App=40000", 0, 0, false, false},  // beyond 16 bits
        {"Milliseconds before starting App=-5", 0, -5, false, false},
        {"date format=2", 0, 0, false, true},
        {"date format=3", 0, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        FakePlatform fake;
        SettingsFile(fake, std::string("[Settings]\r\n") + c.line + "\r\n");
        App app{fake.platform};
        EXPECT_TRUE(app.Load());
        EXPECT_EQ(app.form().Check1.Value(), c.check1);
        EXPECT_EQ(app.vars().AppDelay, c.delay);
        EXPECT_EQ(app.form().MnuCopyClipLong.Checked(), c.longChecked);
        EXPECT_EQ(app.form().MnuCopyClipShort.Checked(), c.shortChecked);
        // No delay, a refused one or a negative one: nothing is ever opened.
        EXPECT_FALSE(app.form().Timer2.Running());
    }
}

TEST_F(StartupTest, WindowSavedOffEveryMonitorGetsTheCompactPlace) {
    SettingsFile(fake, "[View]\r\nTop=1500\r\nLeft=-40000\r\nHeight=4000\r\nWidth=9000\r\n");
    EXPECT_TRUE(app.Load());
    EXPECT_EQ(fake.window.rect, kCompact);
}

}  // namespace
}  // namespace datrelle
