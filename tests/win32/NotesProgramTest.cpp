// The notes box of the real program: a double click, the real Open dialog answered
// from here, then "Save Changes".

#include <gtest/gtest.h>

#include <fstream>

#include "DialogDriver.h"
#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

constexpr const char* kSaveError = "Error! Changes were not saved!";

TEST(NotesProgramTest, ChosenFileIsSavedAndAfterACancelSaveChangesFails) {
    RunningProgram program;
    ASSERT_TRUE(program.Start());
    const HWND notes = program.Child("Edit", "... Double-Click to load text file ...\r\n");
    const HWND save = program.Child("Button", "Save Changes");
    ASSERT_NE(notes, nullptr);
    ASSERT_NE(save, nullptr);
    const std::string folder = MakeTempFolder();
    const std::string path = folder + "\\notes.txt";
    std::ofstream(path, std::ios::binary) << "first line\r\nsecond line\r\n";
    // Posted: the dialog is modal and would hold a sent message until it closes.
    const auto doubleClickNotes = [&] {
        PostMessageA(notes, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
        return WaitForDialog(program.processId());
    };

    HWND dialog = doubleClickNotes();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseFile(dialog, path));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(notes) == "first line\r\nsecond line"; }))
        << WindowText(notes);
    EXPECT_TRUE(WaitUntil([&] { return Shown(save); }));
    program.Send(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed\r\nnotes"));
    PostMessageA(save, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Shown(save); }));
    EXPECT_EQ(WaitForDialog(program.processId(), kSaveError, std::chrono::milliseconds(300)),
              nullptr);
    const std::string saved = ReadFile(path);
    EXPECT_TRUE(saved == "changed\r\nnotes" || saved == "changed\r\nnotes\r\n") << saved;

    dialog = doubleClickNotes();
    ASSERT_NE(dialog, nullptr);
    CancelDialog(dialog);
    // Save Changes comes back although nothing was chosen; the box keeps its text.
    EXPECT_TRUE(WaitUntil([&] { return Shown(save); }));
    EXPECT_EQ(WindowText(notes), "changed\r\nnotes");
    program.Send(notes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("not to be saved"));
    PostMessageA(save, BM_CLICK, 0, 0);
    const HWND message = WaitForDialog(program.processId(), kSaveError);
    ASSERT_NE(message, nullptr) << "no error message";
    EXPECT_EQ(WindowText(message), "Datrelle");
    ASSERT_TRUE(PressButton(message, "OK"));
    EXPECT_TRUE(WaitUntil([&] { return !Shown(save); }));
    EXPECT_EQ(ReadFile(path), saved);
    RemoveFolder(folder);
}

}  // namespace
}  // namespace datrelle::testing
