#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "app/App.h"

namespace datrelle {
namespace {

using fakes::FakePlatform;

constexpr const char* kIni = "C:\\Tools\\Datrelle.ini";
constexpr const char* kNotes = "C:\\Tools\\notes.txt";
constexpr const char* kSaveError = "Error! Changes were not saved!";

class ShutdownTest : public ::testing::Test {
  protected:
    FakePlatform fake;
    App app{fake.platform};
    Form& form = app.form();
};

TEST_F(ShutdownTest, FirstRunCreatesTheTwelveKeysInOrderWithTheirForms) {
    EXPECT_TRUE(app.Load());
    fake.window.rect = {300, 1500, 6025, 2925};
    fake.browser.location = "https://example.org/page";
    app.Unload();
    EXPECT_TRUE(fake.tray.shown.empty());
    EXPECT_EQ(*fake.profile.FileText(kIni),
              "[View]\r\nTOP= 1500\r\nLEFT= 300\r\nHEIGHT= 2925\r\nWIDTH= 6025\r\n"
              "LAST URL=https://example.org/page\r\n"
              "[Settings]\r\nAUTO START=0\r\nSHOW MONTH=1\r\nAUTO HIDE=0\r\nDATE FORMAT= 0\r\n"
              "START WEATHER= 0\r\nAPP TO RUN=\r\nMILLISECONDS BEFORE STARTING APP= 0\r\n");

    // Unload runs once.
    const int writes = fake.profile.writes;
    const auto trayCalls = fake.tray.calls.size();
    app.Unload();
    EXPECT_EQ(fake.profile.writes, writes);
    EXPECT_EQ(fake.tray.calls.size(), trayCalls);
}

TEST(ShutdownAppTest, ApplicationIsKeptOnlyWhileItsMenuItemIsChecked) {
    for (const bool checked : {false, true}) {
        SCOPED_TRACE(checked);
        FakePlatform fake;
        const std::string text =
            "[view]\r\ntop=1\r\n[Settings]\r\nnimbrel app path=C:\\N\\n.exe\r\n"
            "App to Run=C:\\a.exe\r\n";
        fake.profile.files[kIni] = text;
        fake.files.Add(kIni, text);
        App app{fake.platform};
        EXPECT_TRUE(app.Load());
        app.form().mnuAutoApp.SetChecked(checked);
        app.Unload();
        const std::string saved = *fake.profile.FileText(kIni);
        EXPECT_NE(saved.find("top= "), std::string::npos);
        EXPECT_NE(saved.find("nimbrel app path=C:\\N\\n.exe"), std::string::npos);
        EXPECT_NE(saved.find(checked ? "App to Run=C:\\a.exe\r\n" : "App to Run=\r\n"),
                  std::string::npos);
    }
}

TEST_F(ShutdownTest, ApplicationChosenFromTheMenuWithoutAWeatherProgramIsKept) {
    EXPECT_TRUE(app.Load());
    ASSERT_FALSE(form.Command9.Enabled());
    fake.fileDialog.Choose("C:\\Tools\\app.exe");
    form.mnuAutoApp.Click();
    EXPECT_TRUE(form.mnuAutoApp.Checked());
    app.Unload();
    EXPECT_NE(fake.profile.FileText(kIni)->find("APP TO RUN=C:\\Tools\\app.exe\r\n"),
              std::string::npos);
}

TEST_F(ShutdownTest, SaveChangesWritesTheTextWithOneLineEndAndHidesItself) {
    fake.files.Add(kNotes, "old");
    EXPECT_TRUE(app.Load());
    form.Command8.SetVisible(true);
    fake.notes.text = "new text\r\n";
    form.Command8.Press();
    EXPECT_EQ(fake.files.ReadAll(kNotes), "new text\r\n\r\n");
    EXPECT_FALSE(form.Command8.Visible());
    EXPECT_TRUE(fake.messages.shown.empty());
}

// The first notes file is too large for the box, which keeps its hint: "Save Changes"
// must not write the hint over that file.
TEST_F(ShutdownTest, AFirstNotesFileTheBoxRefusedIsNeverSavedOver) {
    fake.files.Add(kNotes, "long notes");
    fake.notes.refusesText = true;
    EXPECT_TRUE(app.Load());
    form.Command8.SetVisible(true);
    form.Command8.Press();
    EXPECT_EQ(fake.files.ReadAll(kNotes), "long notes");
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{kSaveError});
}

TEST(ShutdownSaveTest, FailedSaveShowsTheMessageAndKeepsTheFile) {
    for (const bool noNotesFile : {true, false}) {
        SCOPED_TRACE(noNotesFile);
        FakePlatform fake;
        if (!noNotesFile) {
            fake.files.Add(kNotes, "kept").writeFails = true;
        }
        App app{fake.platform};
        EXPECT_TRUE(app.Load());
        app.form().Command8.SetVisible(true);
        app.form().Command8.Press();
        EXPECT_EQ(fake.messages.shown, std::vector<std::string>{kSaveError});
        EXPECT_FALSE(app.form().Command8.Visible());
        if (!noNotesFile) {
            EXPECT_EQ(fake.files.ReadAll(kNotes), "kept");
        }
    }
}

}  // namespace
}  // namespace datrelle
