#include "viewer/NotesPanel.h"

#include <gtest/gtest.h>

#include <map>

#include "FakeBrowser.h"
#include "FakeFileDialog.h"
#include "ViewerDoubles.h"
#include "viewer/BrowserPanel.h"

namespace datrelle {
namespace {

using fakes::FakeBrowser;
using fakes::FakeFileDialog;
using viewertest::MemoryNotesBox;
using viewertest::RecordingWindow;

constexpr const char* kOld = "C:\\Notes\\old.txt";

// A loader over files in memory that, like the real one, records what it read.
struct MemoryLoader {
    MemoryLoader(SharedVariables& variables, std::map<std::string, std::string> contents)
        : vars(variables), files(std::move(contents)) {}

    std::optional<std::string> operator()(std::string_view path) {
        loaded.emplace_back(path);
        const auto found = files.find(std::string(path));
        if (found == files.end()) {
            return std::nullopt;
        }
        vars.TextFileDir = path;
        return found->second;
    }

    SharedVariables& vars;
    std::map<std::string, std::string> files;
    std::vector<std::string> loaded;
};

class NotesPanelTest : public ::testing::Test {
  protected:
    FakeFileDialog fileDialog;
    CommonDialog dialog{fileDialog};
    MemoryNotesBox notes;
    Form form;
    SharedVariables vars;
    MemoryLoader loader{vars,
                        {{"C:\\Notes\\a.txt", "first\r\nsecond"},
                         {"C:\\Notes\\empty.txt", ""},
                         {"C:\\Web\\page.htm", "<p>markup</p>"},
                         {kOld, "old"}}};
    NotesPanel panel{dialog, notes, form, vars, std::ref(loader)};
};

TEST_F(NotesPanelTest, DoubleClickLoadsTheChosenFileAndShowsSaveChanges) {
    struct Case {
        const char* name;
        const char* answer;  // "" = cancelled
        const char* text;    // the box afterwards
        bool loads;
    };
    const Case cases[] = {
        {"a text file", "C:\\Notes\\a.txt", "first\r\nsecond", true},
        {"an empty file empties the box", "C:\\Notes\\empty.txt", "", true},
        {"a web file is shown as text", "C:\\Web\\page.htm", "<p>markup</p>", true},
        {"a new name empties the box", "C:\\Notes\\new.txt", "", true},
        {"cancelled: the box keeps its text", "", "typed", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        notes.text = "typed";
        vars.TextFileDir = kOld;
        form.Command8.SetVisible(false);
        loader.loaded.clear();
        fileDialog.Choose(c.answer);

        panel.OnText1DblClick();

        EXPECT_EQ(notes.text, c.text);
        EXPECT_EQ(loader.loaded,
                  c.loads ? std::vector<std::string>{c.answer} : std::vector<std::string>{});
        // Whatever came back, also nothing: "Save Changes" then has no file to write.
        EXPECT_EQ(vars.TextFileDir, c.answer);
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
    MemoryLoader loader{vars, {{"C:\\Notes\\a.txt", "notes"}}};
    BrowserPanel browserPanel{browser, window, dialog, form, vars};
    NotesPanel notesPanel{dialog, notes, form, vars, std::ref(loader)};

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
