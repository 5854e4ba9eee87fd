// Double clicks on an edit control, which does not report them to its parent.

#include "win32/DoubleClickWatch.h"

#include <gtest/gtest.h>

#include "RunningProgram.h"

namespace datrelle::win32 {
namespace {

class DoubleClickWatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(parent.get(), nullptr);
        edit =
            CreateWindowExA(0, "EDIT", "some words here", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0,
                            0, 300, 200, parent.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(edit, nullptr);
    }

    void DoubleClick() const { SendMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)); }

    testing::TestWindow parent{400, 300};
    HWND edit = nullptr;
};

TEST_F(DoubleClickWatchTest, ReportsEachDoubleClickAfterTheControlsOwnHandling) {
    DoubleClickWatch watch;
    int clicks = 0;
    HWND captureSeen = edit;
    DWORD selectionSeen = 0;
    ASSERT_TRUE(watch.Attach(edit, [&] {
        ++clicks;
        captureSeen = GetCapture();
        selectionSeen = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    }));
    DoubleClick();
    EXPECT_EQ(clicks, 1);
    // The box selected the word under the pointer first, and let go of the mouse, so a
    // dialog opened by the handler can be used with it.
    EXPECT_NE(LOWORD(selectionSeen), HIWORD(selectionSeen));
    EXPECT_NE(captureSeen, edit);
}

TEST_F(DoubleClickWatchTest, StopsWithTheWatchOrTheControl) {
    int clicks = 0;
    {
        DoubleClickWatch watch;
        ASSERT_TRUE(watch.Attach(edit, [&] { ++clicks; }));
        EXPECT_FALSE(watch.Attach(edit, [&] { clicks += 100; }));
    }
    DoubleClick();
    EXPECT_EQ(clicks, 0);

    DoubleClickWatch watch;
    ASSERT_TRUE(watch.Attach(edit, [&] { ++clicks; }));
    ASSERT_TRUE(DestroyWindow(edit));
    watch.Detach();  // the control is gone: nothing left to undo
    EXPECT_FALSE(watch.Attach(nullptr, [] {}));
}

// No exception may cross the control's window procedure.
TEST_F(DoubleClickWatchTest, AFailingHandlerStaysInside) {
    DoubleClickWatch watch;
    ASSERT_TRUE(watch.Attach(edit, [] { throw std::runtime_error("out of luck"); }));
    DoubleClick();
}

}  // namespace
}  // namespace datrelle::win32
