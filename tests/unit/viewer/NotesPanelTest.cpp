#include "viewer/NotesPanel.h"

#include <gtest/gtest.h>

#include "FakeBrowser.h"
#include "FakeFileDialog.h"
#include "FakeFiles.h"
#include "ViewerDoubles.h"
#include "viewer/BrowserPanel.h"

namespace datrelle {
namespace {

using fakes::FakeBrowser;
using fakes::FakeFileDialog;
using fakes::FakeFiles;
using viewertest::MemoryNotesBox;
using viewertest::RecordingWindow;

constexpr const char* kOld = "C:\\Notes\\old.txt";

class NotesPanelTest : public ::testing::Test {
  protected:
    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    MemoryNotesBox notes;
    Form form;
    SharedVariables vars;
    FakeFiles files;
    NotesPanel panel{dialog, notes, files, form, vars};

    void SetUp() override {
        files.Add("C:\\Notes\\a.txt", "first\r\nsecond");
        files.Add("C:\\Notes\\empty.txt", "");
        files.Add("C:\\Web\\page.htm", "<p>markup</p>");
        files.Add(kOld, "old");
        files.Add("C:\\Notes\\locked.txt", "unseen").unreadable = true;
    }
};

TEST_F(NotesPanelTest, DoubleClickLoadsTheChosenFileAndShowsSaveChanges) {
    struct Case {
        const char* name;
        const char* answer;     // "" = cancelled
        const char* text;       // the box afterwards
        const char* notesFile;  // TextFileDir afterwards
    };
    const Case cases[] = {
        {"a text file", "C:\\Notes\\a.txt", "first\r\nsecond", "C:\\Notes\\a.txt"},
        {"an empty file empties the box", "C:\\Notes\\empty.txt", "", "C:\\Notes\\empty.txt"},
        {"a web file is shown as text", "C:\\Web\\page.htm", "<p>markup</p>", "C:\\Web\\page.htm"},
        {"a new name empties the box", "C:\\Notes\\new.txt", "", "C:\\Notes\\new.txt"},
        {"cancelled: the box keeps its text", "", "typed", ""},
        // A save must not overwrite a file whose text was never shown.
        {"an unreadable file changes nothing", "C:\\Notes\\locked.txt", "typed", kOld},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        notes.text = "typed";
        vars.TextFileDir = kOld;
        form.Command8.SetVisible(false);
        fileDialog.Choose(c.answer);

        panel.OnText1DblClick();

        EXPECT_EQ(notes.text, c.text);
        // Whatever came back, also nothing: "Save Changes" then has no file to write.
        EXPECT_EQ(vars.TextFileDir, c.notesFile);
        EXPECT_TRUE(form.Command8.Visible());
        const FileDialogRequest& request = fileDialog.requests.back();
        EXPECT_EQ(request.initialFolder, kOld);
        EXPECT_EQ(request.filter, "All Text Files|*.txt|Web Files|*.htm*|All Files|*.*");
        EXPECT_EQ(request.title, "");
    }
}

TEST_F(NotesPanelTest, StartingFolderIsTheLastNotesFileOrWhatTheDialogHad) {
    dialog.InitDir = "C:\\Apps\\tool.exe";  // left by another chooser
    fileDialog.Choose("C:\\Notes\\a.txt");
    panel.OnText1DblClick();
    EXPECT_EQ(fileDialog.requests.back().initialFolder, "C:\\Apps\\tool.exe");

    // The whole path of the file just loaded, not only its folder.
    fileDialog.Cancel();
    panel.OnText1DblClick();
    EXPECT_EQ(fileDialog.requests.back().initialFolder, "C:\\Notes\\a.txt");
    EXPECT_EQ(vars.TextFileDir, "");

    // After the cancel there is no notes file, so the dialog keeps the folder it had.
    fileDialog.Cancel();
    panel.OnText1DblClick();
    EXPECT_EQ(fileDialog.requests.back().initialFolder, "C:\\Notes\\a.txt");
}

TEST_F(NotesPanelTest, SaveChangesShownAgainAfterEachDoubleClick) {
    int shows = 0;
    form.Command8.onShow = [&shows] { ++shows; };
    for (int round = 0; round < 2; ++round) {
        form.Command8.SetVisible(false);  // as a save does
        shows = 0;
        panel.OnText1DblClick();  // nothing queued: cancelled
        EXPECT_TRUE(form.Command8.Visible());
        EXPECT_EQ(shows, 1);
    }
}

// The three choosers share one dialog; here the browser panel's "Open File" and the
// notes box.
TEST(SharedDialogTest, OpenFileAndTheNotesBoxSeeEachOthersSettings) {
    FakeBrowser browser;
    RecordingWindow window;
    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    MemoryNotesBox notes;
    Form form;
    SharedVariables vars;
    FakeFiles files;
    files.Add("C:\\Notes\\a.txt", "notes");
    BrowserPanel browserPanel{browser, window, dialog, form, vars};
    NotesPanel notesPanel{dialog, notes, files, form, vars};

    // Before "Open File" the notes dialog has the system's default title.
    notesPanel.OnText1DblClick();
    EXPECT_EQ(fileDialog.requests.back().title, "");

    fileDialog.Choose("C:\\Web\\page.htm");
    browserPanel.OnCommand7Click();
    fileDialog.Choose("C:\\Notes\\a.txt");
    notesPanel.OnText1DblClick();
    const FileDialogRequest& notesRequest = fileDialog.requests.back();
    EXPECT_EQ(notesRequest.title, "Open File in browser");
    EXPECT_EQ(notesRequest.filter, kNotesFilter);
    EXPECT_EQ(notesRequest.fileName, "C:\\Web\\page.htm");

    // The next notes double click starts at the file it loaded, and that starting
    // point is still in force for "Open File", which sets none of its own.
    fileDialog.Cancel();
    notesPanel.OnText1DblClick();
    EXPECT_EQ(fileDialog.requests.back().initialFolder, "C:\\Notes\\a.txt");
    fileDialog.Cancel();
    browserPanel.OnCommand7Click();
    const FileDialogRequest& openRequest = fileDialog.requests.back();
    EXPECT_EQ(openRequest.initialFolder, "C:\\Notes\\a.txt");
    EXPECT_EQ(openRequest.filter, kOpenFileFilter);
    EXPECT_EQ(openRequest.title, kOpenFileTitle);
    EXPECT_EQ(notes.text, "notes");
    EXPECT_EQ(browser.navigations, std::vector<std::string>{"C:\\Web\\page.htm"});
}

}  // namespace
}  // namespace datrelle
