#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "form/Bindings.h"
#include "form/CommonDialog.h"
#include "form/Form.h"
#include "form/Twips.h"

namespace datrelle {
namespace {

// The models tell the window what to show (onShow) exactly when something changed, and
// run the click handler as a user's click would.
TEST(ControlsTest, OnlyAChangeShowsAndOnlyANewStateClicks) {
    // From, to, whether the box takes it, and the state a user's click gives it afterwards.
    const std::tuple<int, int, bool, int> boxCases[] = {
        {0, 1, true, 0}, {1, 0, true, 1}, {0, 2, true, 1},  {2, 1, true, 0},
        {1, 1, true, 0}, {2, 2, true, 1}, {1, 3, false, 0}, {0, -1, false, 1}};
    for (const auto& [from, to, accepted, clicked] : boxCases) {
        SCOPED_TRACE(testing::Message() << from << " -> " << to);
        CheckBox box{from};
        std::string seen;
        box.onShow = [&] { seen += "show" + std::to_string(box.Value()) + " "; };
        box.onClick = [&] { seen += "click" + std::to_string(box.Value()); };
        EXPECT_EQ(box.SetValue(to), accepted);
        EXPECT_EQ(box.Value(), accepted ? to : from);
        const std::string state = std::to_string(to);
        EXPECT_EQ(seen, accepted && from != to ? "show" + state + " click" + state : "");
        box.UserClick();
        EXPECT_EQ(box.Value(), clicked);
    }

    int shows = 0, clicks = 0;
    CommandButton button{true, false};
    MenuItem item;
    Timer timer{300};
    button.onShow = item.onShow = timer.onShow = [&] { ++shows; };
    button.onClick = item.onClick = [&] { ++clicks; };
    // First each is given what it has, then something new: five changes. A timer runs only
    // while it is enabled with an interval above 0: never first, and never with the 0 after.
    for (const bool change : {false, true}) {
        button.SetVisible(change);
        button.SetEnabled(!change);
        item.SetChecked(change);
        timer.SetEnabled(change);
        EXPECT_TRUE(timer.SetInterval(change ? 0 : 300));
        EXPECT_EQ(shows, change ? 5 : 0);
        EXPECT_FALSE(timer.Running());
    }
    EXPECT_TRUE(button.Visible() && !button.Enabled() && item.Checked());
    button.Press();  // disabled: nothing
    item.Click();
    button.SetEnabled(true);
    button.Press();
    EXPECT_EQ(clicks, 2);

    // A negative interval is refused.
    EXPECT_TRUE(!timer.SetInterval(-5) && timer.Interval() == 0);
}

// The Windows dialog reads pairs of texts, each ended by a NUL, and one more NUL after
// the last; a description without patterns is dropped.
TEST(CommonDialogTest, FilterBarsBecomeNuls) {
    using namespace std::string_literals;
    for (const auto& [filter, expected] : {std::pair{"A|*.a|B|*.b;*.c", "A\0*.a\0B\0*.b;*.c\0\0"s},
                                           {"A|*.a|B", "A\0*.a\0\0"s},
                                           {"", ""s}}) {
        EXPECT_EQ(WindowsFilter(filter), expected) << filter;
    }
}

TEST(InventoryTest, PlacesAndModels) {
    // Check boxes sit in the frame at 150, 525; the other controls on the window itself.
    EXPECT_EQ(ClientPlace(Entry(ControlId::Check1)), (TwipsRect{300, 825, 2115, 240}));
    EXPECT_EQ(ClientPlace(Entry(ControlId::Command8)), (TwipsRect{5850, 2250, 5340, 240}));
    EXPECT_THROW(Entry(static_cast<ControlId>(999)), std::out_of_range);
    // Holders are 315 twips square: by index, the day's left and top, then the month's.
    const int holders[][5] = {{1, 6750, 750, 6750, 0},
                              {7, 9000, 750, 6750, 375},
                              {10, 10125, 750, 7875, 375},
                              {12, 7125, 1125, 8625, 375}};
    for (const auto& [index, dayLeft, dayTop, monthLeft, monthTop] : holders) {
        EXPECT_EQ(DayHolderPlace(index), (TwipsRect{dayLeft, dayTop, 315, 315})) << index;
        EXPECT_EQ(MonthHolderPlace(index), (TwipsRect{monthLeft, monthTop, 315, 315})) << index;
    }
    EXPECT_EQ(DayHolderPlace(31), (TwipsRect{10500, 1500, 315, 315}));
}

// Each model takes only the events of its kind: the dialog manager's Enter (IDOK, 1) ticks
// no Timer1, and Enter on a box changes nothing.
TEST(BindingsTest, EachEventReachesOnlyTheModelOfItsNumber) {
    Form form;
    const auto bindings = Bindings(form);
    std::string acted;
    form.Check3.onClick = [&] { acted = "Check3"; };
    form.Command5.onClick = [&] { acted = "Command5"; };
    form.mnuExit.onClick = [&] { acted = "mnuExit"; };
    form.Timer1.onTick = [&] { acted = "Timer1"; };
    form.NewDayTimer.onTick = [&] { acted = "NewDayTimer"; };
    using enum ControlEvent;
    const std::tuple<int, ControlEvent, const char*> cases[] = {
        {static_cast<int>(ControlId::Check3), Clicked, "Check3"},
        {static_cast<int>(ControlId::Check3), Pressed, ""},
        {static_cast<int>(ControlId::Command5), Pressed, "Command5"},
        {static_cast<int>(ControlId::Command5), Clicked, "Command5"},
        {static_cast<int>(ControlId::Command5), Ticked, ""},
        {static_cast<int>(MenuCommand::Exit), Clicked, "mnuExit"},
        {static_cast<int>(MenuCommand::Exit), Pressed, ""},
        {static_cast<int>(TimerNumber::NewDay), Ticked, "NewDayTimer"},
        {static_cast<int>(TimerNumber::Timer1), Clicked, ""},
        {static_cast<int>(ControlId::Label1), Clicked, ""},
    };
    for (const auto& [id, event, model] : cases) {
        acted.clear();
        Route(bindings, id, event);
        EXPECT_EQ(acted, model) << id;
    }
    EXPECT_EQ(form.Check3.Value(), CheckBox::kChecked);
    // Every button and check box of the window has a model of its kind (the build checks
    // that every model of the form has a number no other has).
    for (const ControlEntry& entry : VisibleControls()) {
        const auto bound = std::ranges::find(bindings, static_cast<int>(entry.id), &Binding::id);
        const auto model = bound == bindings.end() ? std::variant_npos : bound->model.index();
        EXPECT_EQ(model, entry.kind == ControlKind::CheckBox ? 0
                         : entry.kind == ControlKind::Button ? 1
                                                             : std::variant_npos)
            << entry.name;
    }
}

TEST(TwipsTest, PixelsReadAsTwipsConvertBackToThemselves) {
    // Whatever the DPI, a window's pixels read as single-precision twips, kept as they
    // are or rounded to whole twips as a settings file may, give the same pixels back.
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int pixels = -4000; pixels <= 8000; ++pixels) {
            const auto twips = static_cast<float>(PixelsToTwips(pixels, dpi));
            ASSERT_EQ(TwipsToPixels(twips, dpi), pixels) << dpi;
            ASSERT_EQ(TwipsToPixels(std::round(twips), dpi), pixels) << dpi;
        }
    }
}

}  // namespace
}  // namespace datrelle
