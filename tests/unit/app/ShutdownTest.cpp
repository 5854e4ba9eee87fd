#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "app/App.h"

namespace datrelle {
namespace {

using fakes::DayWindow;
using fakes::FakePlatform;
using fakes::MonthWindow;

constexpr const char* kIni = "C:\\Tools\\Datrelle.ini";

class ShutdownTest : public ::testing::Test {
protected:
    FakePlatform fake;
    App app{fake.platform};
    Form& form = app.form();
};

TEST_F(ShutdownTest, FirstRunCreatesTheTwelveKeysInOrderWithTheirForms) {
    app.Load();
    fake.window.rect = {300, 1500, 6025, 2925};
    fake.browser.location = "https://example.org/page";
    app.Unload();
    EXPECT_TRUE(fake.tray.shown.empty());
    EXPECT_EQ(*fake.profile.FileText(kIni),
              "[View]\r\n"
              "TOP= 1500\r\n"
              "LEFT= 300\r\n"
              "HEIGHT= 2925\r\n"
              "WIDTH= 6025\r\n"
              "LAST URL=https://example.org/page\r\n"
              "[Settings]\r\n"
              "AUTO START=0\r\n"
              "SHOW MONTH=1\r\n"
              "AUTO HIDE=0\r\n"
              "DATE FORMAT= 0\r\n"
              "START WEATHER= 0\r\n"
              "APP TO RUN=\r\n"
              "MILLISECONDS BEFORE STARTING APP= 0\r\n");
}

TEST_F(ShutdownTest, ASecondRunRestoresWhatTheFirstSaved) {
    app.Load();
    fake.window.rect = {-120, 2000, 9000.5f, 4000};
    ASSERT_TRUE(form.Check1.SetValue(1));
    ASSERT_TRUE(form.Check2.SetValue(0));
    ASSERT_TRUE(form.Check4.SetValue(2));
    form.MnuCopyClipShort.Click();  // no handler wired here: set the choice directly
    app.Unload();

    FakePlatform next;
    next.profile.files = fake.profile.files;
    next.files.Add(kIni, "");
    App nextApp{next.platform};
    nextApp.Load();
    EXPECT_EQ(next.window.rect, (WindowRect{-120, 2000, 9000.5f, 4000}));
    EXPECT_EQ(nextApp.form().Check1.Value(), 1);
    EXPECT_EQ(nextApp.form().Check2.Value(), 0);
    EXPECT_EQ(nextApp.form().Check4.Value(), 2);
}

TEST_F(ShutdownTest, KeysKeepTheirLetterCaseAndTheWeatherPathSurvives) {
    const std::string text =
        "[view]\r\ntop=1\r\n[Settings]\r\nnimbrel app path=C:\\N\\n.exe\r\n"
        "App to Run=C:\\a.exe\r\n";
    fake.profile.files[kIni] = text;
    fake.files.Add(kIni, text);
    app.Load();
    app.Unload();
    const std::string saved = *fake.profile.FileText(kIni);
    EXPECT_NE(saved.find("top= "), std::string::npos);
    EXPECT_NE(saved.find("nimbrel app path=C:\\N\\n.exe"), std::string::npos);
    // Neither opened nor chosen in this run: forgotten.
    EXPECT_NE(saved.find("App to Run=\r\n"), std::string::npos);
}

TEST_F(ShutdownTest, ApplicationIsKeptWhileItsMenuItemIsChecked) {
    const std::string text = "[Settings]\r\nApp to Run=C:\\a.exe\r\n";
    fake.profile.files[kIni] = text;
    fake.files.Add(kIni, text);
    app.Load();
    form.mnuAutoApp.SetChecked(true);
    app.Unload();
    EXPECT_NE(fake.profile.FileText(kIni)->find("App to Run=C:\\a.exe"), std::string::npos);
}

TEST_F(ShutdownTest, UnloadRunsOnce) {
    app.Load();
    app.Unload();
    const auto writes = fake.profile.writes.size();
    const auto trayCalls = fake.tray.calls.size();
    app.Unload();
    EXPECT_EQ(fake.profile.writes.size(), writes);
    EXPECT_EQ(fake.tray.calls.size(), trayCalls);
}

TEST_F(ShutdownTest, EveryWayOfClosingAsksTheWindowToClose) {
    app.Load();
    form.Command1.Press();
    form.mnuExit.Click();
    EXPECT_EQ(fake.window.closes, 2);
}

TEST_F(ShutdownTest, SettingsItemShowsTheWindowInTheNormalState) {
    app.Load();
    fake.window.visible = false;
    fake.window.state = kWindowMinimized;
    form.MnuSettings.Click();
    EXPECT_TRUE(fake.window.visible);
    EXPECT_EQ(fake.window.state, kWindowNormal);
}

TEST_F(ShutdownTest, SaveChangesWritesTheTextWithOneLineEndAndHidesItself) {
    fake.files.Add("C:\\Tools\\notes.txt", "old");
    app.Load();
    form.Command8.SetVisible(true);
    fake.notes.text = "new text\r\n";
    form.Command8.Press();
    EXPECT_EQ(fake.files.ReadAll("C:\\Tools\\notes.txt"), "new text\r\n\r\n");
    EXPECT_FALSE(form.Command8.Visible());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ShutdownTest, FailedSaveShowsTheMessageAndKeepsTheFile) {
    struct Case {
        const char* name;
        bool emptyPath;
        bool writeFails;
    };
    for (const Case c : {Case{"no notes file", true, false}, Case{"write fails", false, true}}) {
        SCOPED_TRACE(c.name);
        FakePlatform localFake;
        if (!c.emptyPath) {
            localFake.files.Add("C:\\Tools\\notes.txt", "kept").writeFails = c.writeFails;
        }
        App localApp{localFake.platform};
        localApp.Load();
        localApp.form().Command8.SetVisible(true);
        localApp.form().Command8.Press();
        EXPECT_EQ(localFake.messages.shown, std::vector<std::string>{"Error! Changes were not saved!"});
        EXPECT_FALSE(localApp.form().Command8.Visible());
        if (!c.emptyPath) {
            EXPECT_EQ(localFake.files.ReadAll("C:\\Tools\\notes.txt"), "kept");
        }
    }
}

}  // namespace
}  // namespace datrelle
