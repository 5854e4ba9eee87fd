// The notes box of the real program: a double click, the real Open dialog answered
// from here, then "Save Changes".

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "DialogDriver.h"
#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

constexpr const char* kInitialText = "... Double-Click to load text file ...\r\n";
constexpr const char* kSaveError = "Error! Changes were not saved!";

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class NotesProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        notes = program.Child("Edit", kInitialText);
        ASSERT_NE(notes, nullptr);
        save = program.Child("Button", "Save Changes");
        ASSERT_NE(save, nullptr);
        folder = MakeTempFolder();
    }
    void TearDown() override { RemoveFolder(folder); }

    // Double-clicks the notes box; the Open dialog it brings up, or nullptr.
    HWND DoubleClickNotes() const {
        // Posted: the dialog is modal and would hold a sent message until it closes.
        PostMessageA(notes, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
        return WaitForDialog(program.processId());
    }

    // Chooses path in the notes dialog and waits for the box to show expectedText.
    void LoadNotes(const std::string& path, const std::string& expectedText) {
        const HWND dialog = DoubleClickNotes();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(ChooseFile(dialog, path));
        EXPECT_TRUE(WaitUntil([&] { return WindowText(notes) == expectedText; }))
            << WindowText(notes);
        EXPECT_TRUE(WaitUntil([&] { return Shown(save); }));
    }

    void PressSaveChanges() const { PostMessageA(save, BM_CLICK, 0, 0); }

    RunningProgram program;
    HWND notes = nullptr;
    HWND save = nullptr;
    std::string folder;
};

TEST_F(NotesProgramTest, ChosenFileIsLoadedAndSaveChangesWritesItBack) {
    const std::string path = folder + "\\notes.txt";
    std::ofstream(path, std::ios::binary) << "first line\r\nsecond line\r\n";
    LoadNotes(path, "first line\r\nsecond line");

    program.Send(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed\r\nnotes"));
    PressSaveChanges();
    EXPECT_TRUE(WaitUntil([&] { return !Shown(save); }));
    EXPECT_EQ(WaitForDialog(program.processId(), kSaveError, std::chrono::milliseconds(300)),
              nullptr);
    const std::string saved = ReadFile(path);
    EXPECT_TRUE(saved == "changed\r\nnotes" || saved == "changed\r\nnotes\r\n") << saved;
}

TEST_F(NotesProgramTest, NewNameEmptiesTheBoxAndSaveChangesCreatesTheFile) {
    const std::string path = folder + "\\new notes.txt";
    LoadNotes(path, "");
    program.Send(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("fresh"));
    PressSaveChanges();
    EXPECT_TRUE(WaitUntil([&] { return !Shown(save); }));
    EXPECT_TRUE(ReadFile(path).starts_with("fresh")) << ReadFile(path);
}

TEST_F(NotesProgramTest, CancelKeepsTheTextAndSaveChangesFails) {
    const std::string path = folder + "\\notes.txt";
    std::ofstream(path, std::ios::binary) << "kept";
    LoadNotes(path, "kept");
    PressSaveChanges();
    ASSERT_TRUE(WaitUntil([&] { return !Shown(save); }));
    const std::string saved = ReadFile(path);
    ASSERT_TRUE(saved.starts_with("kept")) << saved;

    const HWND dialog = DoubleClickNotes();
    ASSERT_NE(dialog, nullptr);
    CancelDialog(dialog);
    // Save Changes comes back although nothing was chosen; the box keeps its text.
    EXPECT_TRUE(WaitUntil([&] { return Shown(save); }));
    EXPECT_EQ(WindowText(notes), "kept");

    program.Send(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("not to be saved"));
    PressSaveChanges();
    const HWND message = WaitForDialog(program.processId(), kSaveError);
    ASSERT_NE(message, nullptr) << "no error message";
    EXPECT_EQ(WindowText(message), "Datrelle");
    ASSERT_TRUE(PressButton(message, "OK"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message) || !IsWindowVisible(message); }));
    EXPECT_TRUE(WaitUntil([&] { return !Shown(save); }));
    EXPECT_EQ(ReadFile(path), saved);
}

TEST_F(NotesProgramTest, NotesDialogShowsTheTitleThatOpenFileGaveIt) {
    HWND dialog = DoubleClickNotes();
    ASSERT_NE(dialog, nullptr);
    const std::string defaultTitle = WindowText(dialog);
    EXPECT_NE(defaultTitle, "Open File in browser");
    CancelDialog(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    const HWND openFile = program.Child("Button", "Open File");
    ASSERT_NE(openFile, nullptr);
    PostMessageA(openFile, BM_CLICK, 0, 0);
    dialog = WaitForDialog(program.processId());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Open File in browser");
    CancelDialog(dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    dialog = DoubleClickNotes();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "Open File in browser");
    CancelDialog(dialog);
}

}  // namespace
}  // namespace datrelle::testing
