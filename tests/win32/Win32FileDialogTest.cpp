// The common Open dialog, in-process: shown by the test's main thread and answered
// from a second thread, as a user would.

#include "win32/Win32FileDialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <thread>

#include "DialogDriver.h"
#include "RunningProgram.h"

namespace datrelle::win32 {
namespace {

using namespace std::string_literals;

TEST(WindowsFilterTest, BarsBecomeNulsAndTheListEndsWithTwo) {
    struct Case {
        const char* filter;
        std::string expected;
    };
    const Case cases[] = {
        {"A|*.a|B|*.b;*.c", "A\0*.a\0B\0*.b;*.c\0\0"s},
        {"", ""},
        {"A|*.a|B", "A\0*.a\0\0"s},  // a description without patterns is dropped
        {"Only", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(WindowsFilter(c.filter), c.expected);
    }
}

TEST(StartingFolderTest, AFileStandsForItsFolder) {
    const std::string folder = testing::MakeTempFolder();
    const std::string file = folder + "\\notes.txt";
    std::ofstream(file) << "notes";
    struct Case {
        std::string initDir;
        std::string expected;
    };
    const Case cases[] = {
        {folder, folder},          {file, folder},    {folder + "\\not yet written.txt", folder},
        {"C:\\notes.txt", "C:\\"}, {"notes.txt", ""}, {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.initDir);
        EXPECT_EQ(StartingFolder(c.initDir), c.expected);
    }
    testing::RemoveFolder(folder);
}

class Win32FileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { folder = testing::MakeTempFolder(); }
    void TearDown() override { testing::RemoveFolder(folder); }

    // Shows the dialog here while another thread answers it; what the dialog returned
    // and the title it showed.
    std::pair<std::string, std::string> ShowAndAnswer(const FileDialogRequest& request,
                                                      std::function<bool(HWND)> answer) {
        std::string title;
        bool answered = false;
        std::thread user([&] {
            const HWND dialog = testing::WaitForDialog(GetCurrentProcessId());
            if (dialog != nullptr) {
                title = testing::WindowText(dialog);
                answered = answer(dialog);
                if (!answered) {
                    testing::CancelDialog(dialog);
                }
            }
        });
        std::string chosen = fileDialog.ShowOpen(request);
        user.join();
        EXPECT_TRUE(answered) << "the dialog was not found or not answered";
        return {chosen, title};
    }

    std::string folder;
    Win32FileDialog fileDialog;
};

TEST_F(Win32FileDialogTest, ChosenFileComesBackWithItsFullPath) {
    const std::string file = folder + "\\chosen.txt";
    std::ofstream(file) << "text";
    const auto [chosen, title] =
        ShowAndAnswer({"Open File in browser", "All Text Files|*.txt|All Files|*.*", folder, ""},
                      [&](HWND dialog) { return testing::ChooseFile(dialog, file); });
    EXPECT_EQ(chosen, file);
    EXPECT_EQ(title, "Open File in browser");
}

TEST_F(Win32FileDialogTest, CancelGivesNothingEvenWithANameOffered) {
    const auto [chosen, title] =
        ShowAndAnswer({"", "All Files|*.*", folder, folder + "\\offered.txt"}, [](HWND dialog) {
            testing::CancelDialog(dialog);
            return true;
        });
    EXPECT_EQ(chosen, "");
    EXPECT_FALSE(title.empty()) << "the system's own title";
}

TEST_F(Win32FileDialogTest, FilterEntryChosenLastTimeIsOfferedNextTime) {
    constexpr int kFileTypeId = 0x470;
    const std::string file = folder + "\\chosen.txt";
    std::ofstream(file) << "text";
    const FileDialogRequest request{"", "Text|*.txt|All Files|*.*", folder, ""};
    ShowAndAnswer(request, [&](HWND dialog) {
        const HWND types = GetDlgItem(dialog, kFileTypeId);
        SendMessageA(types, CB_SETCURSEL, 1, 0);
        // What the combo box tells its dialog when a user picks an entry.
        for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeId, notification),
                         reinterpret_cast<LPARAM>(types));
        }
        return testing::ChooseFile(dialog, file);
    });
    LRESULT offered = -1;
    ShowAndAnswer(request, [&](HWND dialog) {
        offered = SendMessageA(GetDlgItem(dialog, kFileTypeId), CB_GETCURSEL, 0, 0);
        testing::CancelDialog(dialog);
        return true;
    });
    EXPECT_EQ(offered, 1);
}

}  // namespace
}  // namespace datrelle::win32
