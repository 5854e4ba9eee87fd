#include "tray/TrayMouse.h"

#include <gtest/gtest.h>

#include "FakeClipboard.h"
#include "FakePlatform.h"
#include "FakeWindow.h"

namespace datrelle {
namespace {

using fakes::FakeCalendar;
using fakes::FakeClipboard;
using fakes::FakeWindow;

constexpr const char* kLongDate = "Sunday, 6 December 2026";
constexpr const char* kShortDate = "06/12/2026";  // the fake calendar's short form

class TrayMouseTest : public ::testing::Test {
  protected:
    TrayMouseTest() {
        calendar.longDate = kLongDate;
        form.MnuCopyClipLong.onClick = [this] { mouse.OnCopyClipLongClick(); };
        form.MnuCopyClipShort.onClick = [this] { mouse.OnCopyClipShortClick(); };
    }

    FakeWindow window;
    FakeClipboard clipboard;
    FakeCalendar calendar;
    Form form;
    SharedVariables vars;
    TrayMouse mouse{window, clipboard, calendar, form, vars};
};

TEST_F(TrayMouseTest, OnlyTheThreeMessagesAct) {
    struct Case {
        int message;
        int copies;
        int menus;
        bool windowTouched;
    };
    const Case cases[] = {
        {514, 1, 0, false}, {515, 0, 0, true},  {516, 0, 1, false},  {512, 0, 0, false},
        {513, 0, 0, false}, {517, 0, 0, false}, {-514, 0, 0, false}, {514 + 65536, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        window.calls.clear();
        clipboard.copies.clear();
        window.popupMenus = 0;
        mouse.OnMouse(c.message);
        EXPECT_EQ(static_cast<int>(clipboard.copies.size()), c.copies);
        EXPECT_EQ(window.popupMenus, c.menus);
        EXPECT_EQ(!window.calls.empty() && window.popupMenus == 0, c.windowTouched);
    }
}

TEST_F(TrayMouseTest, LeftClickCopiesTheFormTheLongItemsMarkNames) {
    struct Case {
        const char* name;
        bool longChecked;
        bool shortChecked;
        std::int16_t dateFormat;
        const char* copied;
        bool shortCheckedAfter;
        std::int16_t dateFormatAfter;
    };
    const Case cases[] = {
        {"no choice yet", false, false, 0, kShortDate, true, 2},
        // The mark decides, not the variable.
        {"long named but not marked", false, false, 1, kShortDate, true, 2},
        {"long marked, variable unset", true, false, 0, kLongDate, false, 0},
        {"both marked", true, true, 7, kLongDate, true, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.MnuCopyClipLong.SetChecked(c.longChecked);
        form.MnuCopyClipShort.SetChecked(c.shortChecked);
        vars.DateFormat = c.dateFormat;
        mouse.OnMouse(kMouseLeftButtonUp);
        EXPECT_EQ(clipboard.text, c.copied);
        EXPECT_EQ(form.MnuCopyClipLong.Checked(), c.longChecked);
        EXPECT_EQ(form.MnuCopyClipShort.Checked(), c.shortCheckedAfter);
        EXPECT_EQ(vars.DateFormat, c.dateFormatAfter);
    }
}

TEST_F(TrayMouseTest, CopyItemsCopyTodayAndMakeTheirFormTheChoice) {
    window.onPopupMenu = [this] { form.MnuCopyClipLong.Click(); };
    mouse.OnMouse(kMouseRightButtonDown);
    EXPECT_EQ(clipboard.text, kLongDate);
    EXPECT_TRUE(form.MnuCopyClipLong.Checked());
    EXPECT_FALSE(form.MnuCopyClipShort.Checked());
    EXPECT_EQ(vars.DateFormat, 1);
    mouse.OnMouse(kMouseLeftButtonUp);
    EXPECT_EQ(clipboard.copies, (std::vector<std::string>{kLongDate, kLongDate}));

    calendar.longDate.clear();
    calendar.today = {2027, 1, 2};
    form.MnuCopyClipShort.Click();
    EXPECT_EQ(clipboard.text, "02/01/2027");
    EXPECT_FALSE(form.MnuCopyClipLong.Checked());
    EXPECT_TRUE(form.MnuCopyClipShort.Checked());
    EXPECT_EQ(vars.DateFormat, 2);
    mouse.OnMouse(kMouseLeftButtonUp);
    EXPECT_EQ(clipboard.copies.size(), 4u);
}

TEST_F(TrayMouseTest, ClipboardHeldElsewhereIsGivenUpOnAndTheChoiceStillKept) {
    clipboard.heldByAnotherProgram = true;
    form.MnuCopyClipLong.Click();
    EXPECT_EQ(clipboard.text, "what the clipboard held before");
    EXPECT_TRUE(form.MnuCopyClipLong.Checked());
    EXPECT_EQ(vars.DateFormat, 1);
    clipboard.heldByAnotherProgram = false;
    mouse.OnMouse(kMouseLeftButtonUp);
    EXPECT_EQ(clipboard.text, kLongDate);
}

TEST_F(TrayMouseTest, DoubleClickCopiesTwiceAndBringsUpTheWindowOnce) {
    window.visible = false;
    // What the shell reports for a double click: down, up, double click, up.
    for (const int message : {513, 514, 515, 514}) {
        mouse.OnMouse(message);
    }
    EXPECT_EQ(clipboard.copies, (std::vector<std::string>{kShortDate, kShortDate}));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"State 1", "Visible 1"}));

    // A minimized window is shown first, then made normal.
    window.visible = false;
    window.state = kWindowMinimized;
    window.calls.clear();
    mouse.OnMouse(kMouseLeftButtonDoubleClick);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"Visible 1", "State 0"}));
}

}  // namespace
}  // namespace datrelle
