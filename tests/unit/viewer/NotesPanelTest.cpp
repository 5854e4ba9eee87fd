#include "viewer/NotesPanel.h"

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "viewer/BrowserPanel.h"

namespace datrelle {
namespace {

using fakes::FakeFileDialog;
using fakes::FakeFiles;

constexpr const char* kOld = "C:\\Notes\\old.txt";

class NotesPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files.Add("C:\\Notes\\a.txt", "first\r\nsecond");
        files.Add("C:\\Notes\\empty.txt", "");
        files.Add(kOld, "old");
        files.Add("C:\\Notes\\locked.txt", "unseen").unreadable = true;
    }

    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    fakes::FakeNotesBox notes;
    Form form;
    SharedVariables vars;
    FakeFiles files;
    NotesPanel panel{dialog, notes, files, form, vars};
};

TEST_F(NotesPanelTest, DoubleClickLoadsTheChosenFileAndShowsSaveChanges) {
    struct Case {
        const char* name;
        const char* answer;       // "" = cancelled
        const char* text;         // the box afterwards
        const char* notesFile;    // TextFileDir afterwards
        bool boxRefuses = false;  // the box cannot take the text (too large for it)
    };
    const Case cases[] = {
        {"a text file", "C:\\Notes\\a.txt", "first\r\nsecond", "C:\\Notes\\a.txt"},
        {"an empty file empties the box", "C:\\Notes\\empty.txt", "", "C:\\Notes\\empty.txt"},
        {"a new name empties the box", "C:\\Notes\\new.txt", "", "C:\\Notes\\new.txt"},
        // Nothing chosen: "Save Changes" then has no file to write.
        {"cancelled: the box keeps its text", "", "typed", ""},
        // A save must not overwrite a file whose text was never shown.
        {"an unreadable file changes nothing", "C:\\Notes\\locked.txt", "typed", kOld},
        // The box keeps the old file's text, which must not be saved over the new file.
        {"a text the box refuses changes nothing", "C:\\Notes\\a.txt", "typed", kOld, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        notes.text = "typed";
        notes.refusesText = c.boxRefuses;
        vars.TextFileDir = kOld;
        form.Command8.SetVisible(false);
        fileDialog.Choose(c.answer);

        panel.OnText1DblClick();

        EXPECT_EQ(notes.text, c.text);
        EXPECT_EQ(vars.TextFileDir, c.notesFile);
        EXPECT_TRUE(form.Command8.Visible());
        EXPECT_EQ(fileDialog.requests.back().initialFolder, kOld);
        EXPECT_EQ(fileDialog.requests.back().filter, kNotesFilter);
    }
}

// The choosers share one dialog; here the browser panel's "Open File" and the notes box.
TEST(SharedDialogTest, OpenFileAndTheNotesBoxSeeEachOthersSettings) {
    fakes::FakePlatform fake;
    CommonDialog dialog{fake.fileDialog};
    Form form;
    SharedVariables vars;
    fake.files.Add("C:\\Notes\\a.txt", "notes");
    BrowserPanel browserPanel{fake.browser, fake.window, dialog, form, vars};
    NotesPanel notesPanel{dialog, fake.notes, fake.files, form, vars};
    auto& requests = fake.fileDialog.requests;

    // Before "Open File" the notes dialog has the system's default title, and starts
    // where another chooser left the dialog.
    dialog.InitDir = "C:\\Apps\\tool.exe";
    notesPanel.OnText1DblClick();
    EXPECT_EQ(requests.back().title, "");
    EXPECT_EQ(requests.back().initialFolder, "C:\\Apps\\tool.exe");

    fake.fileDialog.Choose("C:\\Web\\page.htm");
    browserPanel.OnCommand7Click();
    fake.fileDialog.Choose("C:\\Notes\\a.txt");
    notesPanel.OnText1DblClick();
    EXPECT_EQ(requests.back().title, kOpenFileTitle);
    EXPECT_EQ(requests.back().fileName, "C:\\Web\\page.htm");

    // The next notes double click starts at the file it loaded (its whole path), and
    // that stays in force for "Open File", which sets none of its own, even after the
    // notes dialog was cancelled.
    notesPanel.OnText1DblClick();
    EXPECT_EQ(requests.back().initialFolder, "C:\\Notes\\a.txt");
    browserPanel.OnCommand7Click();
    EXPECT_EQ(requests.back().initialFolder, "C:\\Notes\\a.txt");
    EXPECT_EQ(requests.back().filter, kOpenFileFilter);
    EXPECT_EQ(fake.browser.navigations, std::vector<std::string>{"C:\\Web\\page.htm"});
}

}  // namespace
}  // namespace datrelle
