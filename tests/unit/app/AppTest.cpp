#include <gtest/gtest.h>

#include <stdexcept>

#include "FakePlatform.h"
#include "app/App.h"
#include "viewer/BrowserPanel.h"

namespace datrelle {
namespace {

using namespace std::string_literals;

// A settings file beside the program, as the profile functions and the existence test
// both see it, with lines of the form "Section/Key=value".
void Settings(fakes::FakePlatform& fake, std::initializer_list<std::string_view> lines) {
    fake.AddFile("C:\\Tools\\Datrelle.ini");
    for (const std::string_view line : lines) {
        fake.ini[fakes::Lower(line.substr(0, line.find('=')))] = line.substr(line.find('=') + 1);
    }
}

class AppTest : public ::testing::Test {
  protected:
    fakes::FakePlatform fake;
    App app{fake.platform};
    Form& form = app.form();
};

TEST_F(AppTest, FirstRunStartsCompactAndWritesEveryKeyInOrderAtExit) {
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(fake.Calls(),
              "add 106 add 212 navigate " + std::string(kDefaultStartPage) +
                  " notify 106|State 0 State 0 Width 6025 Height 2925 Top 8275 Left 13175");
    EXPECT_STREQ(fake.records.back().szInfoTitle.data(), kNotificationTitle.data());
    EXPECT_STREQ(fake.records.back().szInfo.data(), kFirstRunText.data());
    EXPECT_TRUE(form.Timer1.Running() && form.Timer3.Running() && !form.Timer2.Running());
    EXPECT_EQ(form.Timer1.Interval(), 300);
    EXPECT_FALSE(form.Command9.Enabled() || form.MnuCopyClipLong.Checked() ||
                 form.MnuCopyClipShort.Checked());
    // The refresh timer brings the new year's icons, and closing takes those away. A page
    // whose path the code page (Latin-1 here) cannot spell makes the new settings file
    // UTF-16 before the first value goes in.
    fake.SetClock({2027, 1, 1});
    form.Timer3.Tick();
    fake.rect = {300, 1500, 6025, 2925.5f};
    fake.location = "C:\\Ji\xC5\x99\xC3\xAD\\page.htm";
    app.Unload();
    app.Unload();  // closing and the end of the session both come here: done once
    EXPECT_EQ(fake.Calls(), "delete 106 delete 212 add 101 add 201 delete 101 delete 201|");
    EXPECT_EQ(
        fake.writes,
        (std::vector<std::string>{
            "View/TOP= 1500", "View/LEFT= 300", "View/HEIGHT= 2925.5", "View/WIDTH= 6025",
            "View/LAST URL=" + fake.location, "Settings/AUTO START=0", "Settings/SHOW MONTH=1",
            "Settings/AUTO HIDE=0", "Settings/DATE FORMAT= 0", "Settings/START WEATHER= 0",
            "Settings/APP TO RUN=", "Settings/MILLISECONDS BEFORE STARTING APP= 0",
            "Settings/SHOW WEEK=0", "Settings/WEEK RULE= 0"}));
    EXPECT_EQ(fake.ReadAll("C:\\Tools\\Datrelle.ini"), "\xFF\xFE");
}

// The week icon comes after the two date icons, when the settings want it, numbered by
// their rule (6 December 2026 is in week 50 of the Sunday rule); values the program does
// not know mean no icon and the regional rule. Turning the icon on says where it is, the
// first time only: when no settings file has said whether it is wanted.
TEST(AppWeekTest, WeekSettingsAreReadAndWrittenAndTheFirstIconIsAnnounced) {
    struct Row {
        std::vector<std::string_view> settings;  // none: a first run
        const char* started;
        const char* rule;    // the marks of the three rules, and the number written
        const char* turned;  // by a click on "Show Week Icon"
    };
    const Row rows[] = {
        {{"SHOW WEEK=1", "WEEK RULE=2", "date format=4"},
         "add 106 add 212 add 350|",
         "0012",
         "delete 350|"},
        {{"SHOW WEEK=1", "WEEK RULE=1"}, "add 106 add 212 add 349|", "0101", "delete 349|"},
        {{"SHOW WEEK=2", "WEEK RULE=3"}, "add 106 add 212|", "1000", "add 349|"},
        {{"SHOW WEEK=0"}, "add 106 add 212|", "1000", "add 349|"},
        {{"date format=3"}, "add 106 add 212|", "1000", "add 349 notify 349|"},
        {{}, "add 106 add 212 notify 106|", "1000", "add 349 notify 349|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.started);
        fakes::FakePlatform fake;
        if (!row.settings.empty()) {
            Settings(fake, {"Settings/Show Month=1"});
            for (const std::string_view line : row.settings) {
                fake.ini["settings/" + fakes::Lower(line.substr(0, line.find('=')))] =
                    line.substr(line.find('=') + 1);
            }
        }
        App app{fake.platform};
        Form& form = app.form();
        ASSERT_TRUE(app.Start());
        std::string calls = fake.Calls();
        calls.erase(calls.find(" navigate"), 10 + kDefaultStartPage.size());
        EXPECT_EQ(calls.substr(0, calls.find('|') + 1), row.started);
        const std::string marks{form.mnuWeekRegional.Checked() ? '1' : '0',
                                form.mnuWeekIso.Checked() ? '1' : '0',
                                form.mnuWeekSunday.Checked() ? '1' : '0'};
        EXPECT_EQ(marks, std::string(row.rule, 3));
        EXPECT_EQ(form.MnuCopyWeek.Checked(), app.vars().DateFormat == 4);
        form.mnuShowWeek.Click();
        EXPECT_EQ(fake.Calls(), row.turned);
        EXPECT_EQ(form.mnuShowWeek.Checked(), app.vars().ShowWeek == 1);
        // A new week replaces the icon, after the day's and the month's; the exit takes
        // it away.
        const bool shown = app.vars().ShowWeek == 1;
        const std::string week = std::to_string(app.vars().CurWeek + 300);
        fake.SetClock({2026, 12, 7});
        form.Timer3.Tick();
        EXPECT_EQ(fake.Calls(), shown ? "delete 106 delete 212 add 107 add 212 delete " + week +
                                            " add " + std::to_string(app.vars().CurWeek + 300) + "|"
                                      : "delete 106 delete 212 add 107 add 212|");
        app.Unload();
        EXPECT_EQ(fake.Calls().find("delete 3") != std::string::npos, shown);
        const auto written = std::vector(fake.writes.end() - 2, fake.writes.end());
        EXPECT_EQ(written, (std::vector<std::string>{
                               "Settings/SHOW WEEK=" + std::to_string(app.vars().ShowWeek),
                               "Settings/WEEK RULE= " + std::string(1, row.rule[3])}));
    }
}

TEST_F(AppTest, SettingsAreReadInOrderAndAppliedAsClicksWould) {
    fake.AddFile("C:\\Nimbrel\\nimbrel.exe");
    // The machine's Run key exists, and the user may write there.
    const auto& run = fake.registry.Values(RegistryRoot::LocalMachine, kRunSubKey);
    fake.AddFile("C:\\Tools\\Folder.txt").kind = PathKind::Folder;
    fake.AddFile("C:\\Tools\\notes.txt", "first\r\nsecond\r\n");
    fake.AddFile("C:\\Tools\\other.txt", "not loaded");
    Settings(fake,
             {"View/Top= 1500", "View/Left=2000", "View/Height=4000.5", "View/Width=9000",
              "View/Last URL=https://example.org/", "Settings/Auto Start=1",
              "Settings/Show Month=0", "Settings/Auto hide=1", "Settings/date format=1",
              "Settings/Nimbrel App path=C:\\Nimbrel\\nimbrel.exe", "Settings/Start Weather=1",
              "Settings/App to Run=C:\\x.exe", "Settings/Milliseconds before starting App=1500"});
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(fake.Calls(),
              "add 106 add 212 delete 212 start \"C:\\Nimbrel\\nimbrel.exe\" 6 navigate "
              "https://example.org/|State 0 State 0 Top 1500 Left 2000 Height 4000.5 Width 9000");
    EXPECT_EQ(std::tuple(form.Timer1.Interval(), form.Timer2.Interval(), app.vars().AppToRun,
                         fake.notes.text, app.notesFile().TextFileDir()),
              std::tuple(130000, 1500, "C:\\x.exe", "first\r\nsecond", "C:\\Tools\\notes.txt"));
    EXPECT_TRUE(run.contains("Datrelle.exe") && form.Check3.Value() == CheckBox::kChecked);
    EXPECT_TRUE(form.Timer1.Running() && form.Timer2.Running() && form.Command9.Enabled() &&
                !form.Command8.Visible());
    EXPECT_TRUE(form.MnuCopyClipLong.Checked() && !form.MnuCopyClipShort.Checked());
    // An application neither opened nor chosen in this run is forgotten.
    app.Unload();
    EXPECT_EQ(fake.writes[10], "Settings/APP TO RUN=");
}

TEST(AppValuesTest, RefusedOrUnconvertibleValuesChangeNothing) {
    // A setting, the state Check1 has after it, and whether the short date is then the
    // one a click copies.
    const std::tuple<const char*, int, bool> cases[] = {
        {"Settings/Auto Start=1.5", 2, false},  // a half goes to the even neighbour
        {"Settings/Auto Start=0.5", 0, false},
        {"Settings/Auto Start=7", 0, false},  // refused by the box
        {"Settings/Auto Start=&H1", 1, false},
        {"Settings/Milliseconds before starting App=40000", 0, false},  // beyond 16 bits
        {"Settings/Milliseconds before starting App=-5", 0, false},     // never opens
        {"Settings/Date Format=2", 0, true},
        {"Settings/Date Format=3", 0, false},
    };
    for (const auto& [setting, check1, shortMark] : cases) {
        SCOPED_TRACE(setting);
        fakes::FakePlatform fake;
        Settings(fake, {setting});
        App app{fake.platform};
        ASSERT_TRUE(app.Start());
        // A box whose state does not change runs no handler: no Run value is touched. No
        // delay starts the application, and the long date is never the choice.
        EXPECT_EQ(std::tuple(app.form().Check1.Value(), fake.registry.opens.empty(),
                             app.form().Timer2.Interval(), app.form().MnuCopyClipLong.Checked(),
                             app.form().MnuCopyClipShort.Checked()),
                  std::tuple(check1, check1 == 0, 0, false, shortMark));
        // Saved at no size: on no monitor, so compact at the bottom right.
        EXPECT_EQ(fake.rect, (WindowRect{19200 - 6025, 12000 - 2925 - 800, 6025, 2925}));
    }
}

// A start in its order: the window, the date in the tray, the controls, the rest, and the
// window shown. Before the controls, a resize and a click on an icon find nothing to do; a
// start whose window or controls cannot be made leaves nothing behind and writes nothing.
TEST(AppStartTest, TheIconsComeFirstAndAFailedWindowUndoesTheStart) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "window add 106 add 212 controls navigate " + std::string(kDefaultStartPage) +
                 " show|State 0 State 0 Width 6025 Height 2925 Top 8275 Left 13175"},
        {"window", "window|"},
        {"controls", "window add 106 add 212 controls delete 106 delete 212|"},
        {"throws", "window add 106 add 212 controls delete 106 delete 212|"},
    };
    for (const auto& [failing, calls] : cases) {
        SCOPED_TRACE(failing);
        fakes::FakePlatform fake;
        // Hidden: not read, but left by an earlier run, which said where the icons are.
        fake.AddFile("C:\\Tools\\Datrelle.ini").kind = PathKind::HiddenFile;
        App app{fake.platform};
        const auto step = [&](std::string name) {
            return [&, name] {
                fake.log.push_back(name);
                app.OnResize();
                app.OnTrayMouse({.event = kMouseLeftButtonUp});
                if (failing == "throws" && name == "controls") {
                    throw std::runtime_error("no controls");
                }
                return failing != name;
            };
        };
        EXPECT_EQ(
            app.Start({step("window"), step("controls"), [&] { fake.log.push_back("show"); }}),
            failing.empty());
        EXPECT_EQ(fake.Calls(), calls);
        app.Unload();
        EXPECT_EQ(fake.writes.empty(), !failing.empty());
    }
}

TEST(AppSaveTest, SaveChangesWritesTheNotesAsTheyWereReadOrSaysItCouldNot) {
    const std::string failed(kSaveFailedMessage);
    // A notes file as it was and the steps of a save that fail; what the box then holds;
    // the file afterwards, and the message that came.
    struct Case {
        const char* file = "C:\\Tools\\n.txt";  // beside the program: the notes file
        std::string bytes = "old";
        const char* fails = "";
        bool boxRefuses = false;
        std::string typed = "new text\r\n", saved = "new text\r\n\r\n";
        std::string message = "";
    };
    const Case cases[] = {
        {},
        {.fails = fakes::FakePlatform::kLocked, .saved = "old", .message = failed},
        // The earlier text left under another name: the message says which.
        {.fails = "replace-half rename-new rename-back",
         .saved = "",
         .message =
             failed +
             "\n\nThe text the file held before is kept in:\nC:\\Tools\\n.txt.before-save-7-1"},
        // Elsewhere: no notes file, and left alone.
        {.file = "C:\\Other\\n.txt", .saved = "old", .message = failed},
        // The box kept its hint rather than the file's text: never saved over the file.
        {.boxRefuses = true, .saved = "old", .message = failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.saved));
        fakes::FakePlatform fake;
        fake.AddFile(c.file, c.bytes);
        fake.fails = c.fails;
        fake.notes.refuses = c.boxRefuses;
        App app{fake.platform};
        ASSERT_TRUE(app.Start());
        fake.Calls();
        fake.notes.text = c.typed;
        app.form().Command8.SetVisible(true);
        app.form().Command8.Press();
        EXPECT_FALSE(app.form().Command8.Visible());
        EXPECT_EQ(fake.Calls(), c.message.empty() ? "|" : "message " + c.message + "|");
        EXPECT_EQ(fake.ReadAll(c.file).value_or(""), c.saved);
    }
}

// Each control, menu item and window event reaches its subsystem: on this day of December,
// what the platform was asked for, and then what the window was asked for. (The tray's own
// tests pin the icons' calls.) Each row finds the window as the rows before left it: the
// button that minimises it also hides it and leaves it at the size the others start from.
TEST_F(AppTest, EveryHandlerIsWired) {
    Settings(fake, {"View/Last URL=https://last/", "Settings/Show Month=1",
                    "Settings/Nimbrel App path=C:\\n.exe"});
    fake.AddFile("C:\\n.exe");
    ASSERT_TRUE(app.Start());
    fake.Calls();
    const std::tuple<int, std::function<void()>, std::string> cases[] = {
        {6, [&] { app.OnBrowserTitleChange("title"); }, "|Caption https://last/"},
        {6, [&] { form.Command1.Press(); }, "|Close"},
        {6, [&] { form.mnuExit.Click(); }, "|Close"},
        {6, [&] { app.OnEscape(); }, "|Hide"},
        {6, [&] { form.MnuSettings.Click(); }, "|Show State 0"},
        {6, [&] { form.Command2.Press(); }, "search|"},
        {6, [&] { form.Command4.Press(); }, "navigate https://last/|"},
        {6, [&] { form.Command3.Press(); },
         "|Width 6025 Height 2925 Top 8275 Left 13175 Hide State 1"},
        {6, [&] { form.Command5.Press(); }, "|Top 8275 Left 13175"},
        {6, [&] { app.OnLabel1DoubleClick(); },
         "navigate " + std::string(kMakerHomePage) + "|Top 0 Left 0 Width 19200 Height 11600"},
        {6, [&] { form.mnuOpenFileInBrowser.Click(); }, "|Show State 0"},
        {6, [&] { app.OnTrayMouse({.event = 516}); }, "|Menu"},
        {6, [&] { form.MnuCopyClipLong.Click(); }, "copy long 06/12/2026|"},
        {6, [&] { form.MnuCopyClipShort.Click(); }, "copy 06/12/2026|"},
        {6, [&] { form.Check4.UserClick(); }, "start \"C:\\n.exe\" 6|"},
        {6, [&] { app.OnTrayIconsLost(); }, "delete 106 delete 212 add 106 add 212|"},
        {7, [&] { app.OnDateMayHaveChanged(); }, "delete 106 delete 212 add 107 add 212|"},
        // A new format may also mean a new date, as at a change of time zone.
        {8, [&] { app.OnRegionalFormatChanged(); },
         "delete 107 delete 212 add 108 add 212 delete 108 delete 212 add 108 add 212|"},
        {9, [&] { form.NewDayTimer.Tick(); }, "delete 108 delete 212 add 109 add 212|"},
        {9, [&] { app.OnResize(); }, "|State 0 State 0"},
    };
    for (const auto& [day, act, calls] : cases) {
        fake.SetClock({2026, 12, day});
        act();
        EXPECT_EQ(fake.Calls(), calls);
    }
    app.OnText1DoubleClick();
    EXPECT_TRUE(form.Command8.Visible());
    // The menu item chooses also while the button is disabled; the choice is saved.
    fake.answers = {"C:\\a.exe", "C:\\b.exe"};
    form.Command9.Press();
    form.Command9.SetEnabled(false);
    form.mnuAutoApp.Click();
    EXPECT_EQ(fake.dialogs.back().filter, kAutoAppFilter);
    app.Unload();
    EXPECT_EQ(fake.writes[10], "Settings/APP TO RUN=C:\\b.exe");
}

}  // namespace
}  // namespace datrelle
