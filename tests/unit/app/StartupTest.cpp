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

class StartupTest : public ::testing::Test {
protected:
    // A settings file beside the program, as the profile functions and the existence
    // test both see it.
    void SettingsFile(const std::string& text) {
        fake.profile.files[kIni] = text;
        fake.files.Add(kIni, text);
    }

    FakePlatform fake;
    App app{fake.platform};
    Form& form = app.form();
};

TEST_F(StartupTest, FirstRunWithoutSettings) {
    app.Load();
    EXPECT_EQ(app.iniFile(), kIni);
    EXPECT_EQ(app.vars().ExeName, "Datrelle.exe");
    // The compact size at the bottom right, 800 twips above the screen's bottom.
    EXPECT_EQ(fake.window.rect, (WindowRect{19200 - 6025, 12000 - 2925 - 800, 6025, 2925}));
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_TRUE(fake.tray.Shows(MonthWindow(12)));
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.Check2.Value(), 1);
    EXPECT_EQ(form.Check3.Value(), 0);
    EXPECT_EQ(form.Check4.Value(), 0);
    EXPECT_EQ(fake.browser.navigations, std::vector<std::string>{std::string(kDefaultStartPage)});
    EXPECT_FALSE(form.MnuCopyClipLong.Checked());
    EXPECT_FALSE(form.MnuCopyClipShort.Checked());
    EXPECT_TRUE(form.Timer1.Running());
    EXPECT_EQ(form.Timer1.Interval(), 300);
    EXPECT_TRUE(form.Timer2.Enabled());
    EXPECT_FALSE(form.Timer2.Running());
    EXPECT_TRUE(form.Timer3.Running());
    EXPECT_FALSE(form.Command9.Enabled());
    EXPECT_FALSE(form.Command8.Visible());
    EXPECT_TRUE(fake.profile.reads.empty());
}

TEST_F(StartupTest, ReadsEveryKeyInOrderWithItsLowerCaseName) {
    SettingsFile("[View]\r\n");
    app.Load();
    std::vector<std::string> keys;
    for (const auto& read : fake.profile.reads) {
        EXPECT_EQ(read.bufferSize, 750u);
        EXPECT_EQ(read.file, kIni);
        keys.push_back(read.section + "/" + read.key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "View/top", "View/left", "View/height", "View/width",
                        "Settings/auto start", "Settings/show month", "Settings/auto hide",
                        "Settings/date format", "Settings/nimbrel app path",
                        "Settings/start weather", "Settings/app to run",
                        "Settings/milliseconds before starting app", "View/last url"}));
}

TEST_F(StartupTest, AppliesTheSavedWindowAndSettings) {
    fake.files.Add("C:\\Nimbrel\\nimbrel.exe");
    SettingsFile(
        "[View]\r\nTop= 1500\r\nLeft=2000\r\nHeight= 4000.5\r\nWidth= 9000\r\n"
        "Last URL=https://example.org/\r\n"
        "[Settings]\r\nAuto Start=1\r\nShow Month=0\r\nAuto hide=0\r\ndate format= 1\r\n"
        "Nimbrel App path=C:\\Nimbrel\\nimbrel.exe\r\nStart Weather=0\r\n"
        "App to Run=C:\\x.exe\r\nMilliseconds before starting App= 1500\r\n");
    app.Load();
    EXPECT_EQ(fake.window.rect, (WindowRect{2000, 1500, 9000, 4000.5f}));
    EXPECT_EQ(form.Check1.Value(), 1);
    EXPECT_EQ(form.Timer1.Interval(), 130000);
    EXPECT_EQ(form.Check2.Value(), 0);
    EXPECT_FALSE(fake.tray.Shows(MonthWindow(12)));
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_EQ(app.vars().DateFormat, 1);
    EXPECT_TRUE(form.MnuCopyClipLong.Checked());
    EXPECT_FALSE(form.MnuCopyClipShort.Checked());
    EXPECT_EQ(app.vars().WeatherAppPath, "C:\\Nimbrel\\nimbrel.exe");
    EXPECT_TRUE(form.Command9.Enabled());
    EXPECT_EQ(app.vars().AppToRun, "C:\\x.exe");
    EXPECT_EQ(app.vars().AppDelay, 1500);
    EXPECT_TRUE(form.Timer2.Running());
    EXPECT_EQ(form.Timer2.Interval(), 1500);
    EXPECT_EQ(fake.browser.navigations, std::vector<std::string>{"https://example.org/"});
}

TEST_F(StartupTest, GeometryIsAppliedTopLeftHeightWidth) {
    SettingsFile("[View]\r\nWidth=9000\r\nHeight=4000\r\nLeft=2000\r\nTop=1500\r\n");
    app.Load();
    std::vector<std::string> geometry;
    for (const auto& call : fake.window.calls) {
        if (call.rfind("Top", 0) == 0 || call.rfind("Left", 0) == 0 ||
            call.rfind("Height", 0) == 0 || call.rfind("Width", 0) == 0) {
            geometry.push_back(call);
        }
    }
    EXPECT_EQ(geometry, (std::vector<std::string>{"Top 1500", "Left 2000", "Height 4000",
                                                  "Width 9000"}));
}

TEST_F(StartupTest, ValuesTheControlsRefuseOrThatDoNotConvertChangeNothing) {
    struct Case {
        const char* line;
        int check1;
        std::int16_t delay;
    };
    const Case cases[] = {
        {"Auto Start=1.5", 2, 0},  // a half goes to the even neighbour: greyed
        {"Auto Start=0.5", 0, 0},
        {"Auto Start=7", 0, 0},  // refused by the box
        {"Auto Start=&H1", 1, 0},
        {"Milliseconds before starting App=40000", 0, 0},  // beyond 16 bits
        {"Milliseconds before starting App=-5", 0, -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        FakePlatform localFake;
        localFake.profile.files[kIni] = std::string("[Settings]\r\n") + c.line + "\r\n";
        localFake.files.Add(kIni, "");
        App localApp{localFake.platform};
        localApp.Load();
        EXPECT_EQ(localApp.form().Check1.Value(), c.check1);
        EXPECT_EQ(localApp.vars().AppDelay, c.delay);
        // No delay, a refused one or a negative one: nothing is ever opened.
        EXPECT_FALSE(localApp.form().Timer2.Running());
    }
}

TEST_F(StartupTest, DateFormatChecksTheMatchingMenuItem) {
    struct Case {
        const char* value;
        bool longChecked;
        bool shortChecked;
    };
    for (const Case c : {Case{"1", true, false}, Case{"2", false, true}, Case{"3", false, false},
                         Case{"", false, false}}) {
        FakePlatform localFake;
        localFake.profile.files[kIni] = std::string("[Settings]\r\ndate format=") + c.value;
        localFake.files.Add(kIni, "");
        App localApp{localFake.platform};
        localApp.Load();
        EXPECT_EQ(localApp.form().MnuCopyClipLong.Checked(), c.longChecked) << c.value;
        EXPECT_EQ(localApp.form().MnuCopyClipShort.Checked(), c.shortChecked) << c.value;
    }
}

TEST_F(StartupTest, AutoHideRunsTheTimerEitherWay) {
    for (const char* value : {"0", "1"}) {
        FakePlatform localFake;
        localFake.profile.files[kIni] = std::string("[Settings]\r\nAuto hide=") + value;
        localFake.files.Add(kIni, "");
        App localApp{localFake.platform};
        localApp.Load();
        EXPECT_TRUE(localApp.form().Timer1.Running()) << value;
    }
}

TEST_F(StartupTest, HiddenSettingsFileCountsAsMissing) {
    SettingsFile("[Settings]\r\nAuto Start=1\r\n");
    fake.files.Add(kIni).hidden = true;
    app.Load();
    EXPECT_TRUE(fake.profile.reads.empty());
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(fake.window.rect.width, 6025);
}

TEST_F(StartupTest, WindowSavedOffEveryMonitorGetsTheCompactPlace) {
    SettingsFile("[View]\r\nTop=1500\r\nLeft=-40000\r\nHeight=4000\r\nWidth=9000\r\n");
    app.Load();
    EXPECT_EQ(fake.window.rect, (WindowRect{19200 - 6025, 12000 - 2925 - 800, 6025, 2925}));
}

TEST_F(StartupTest, FirstTextFileOfTheFolderIsLoaded) {
    fake.files.Add("C:\\Tools\\notes.txt", "\r\nfirst\r\nsecond\r\n");
    fake.files.Add("C:\\Tools\\other.txt", "other");
    app.Load();
    EXPECT_EQ(fake.notes.text, "first\r\nsecond");
    EXPECT_EQ(app.vars().TextFileDir, "C:\\Tools\\notes.txt");
    EXPECT_FALSE(form.Command8.Visible());
}

TEST_F(StartupTest, WithoutATextFileTheNotesBoxKeepsItsText) {
    fake.files.Add("C:\\Tools\\readme.md", "not notes");
    fake.files.Add("C:\\Tools\\locked.txt", "x").unreadable = true;
    app.Load();
    EXPECT_EQ(fake.notes.text, "... Double-Click to load text file ...\r\n");
    EXPECT_EQ(app.vars().TextFileDir, "");
}

}  // namespace
}  // namespace datrelle
