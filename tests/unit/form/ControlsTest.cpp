#include "form/Controls.h"

#include <gtest/gtest.h>

#include "form/Form.h"

namespace datrelle {
namespace {

struct Counts {
    int clicks = 0;
    int shows = 0;
};

template <typename Control>
Counts& Watch(Control& control, Counts& counts) {
    control.onClick = [&counts] { ++counts.clicks; };
    control.onShow = [&counts] { ++counts.shows; };
    return counts;
}

TEST(CheckBoxTest, OnlyANewStateRunsTheClickHandler) {
    struct Case {
        int from;
        int to;
        bool accepted;
        int clicks;
    };
    const Case cases[] = {
        {0, 1, true, 1}, {1, 0, true, 1}, {0, 2, true, 1},  {2, 1, true, 1},   {1, 1, true, 0},
        {0, 0, true, 0}, {2, 2, true, 0}, {1, 3, false, 0}, {0, -1, false, 0}, {1, 7, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        CheckBox box{c.from};
        Counts counts;
        int stateSeenByHandler = -1;
        box.onClick = [&] {
            ++counts.clicks;
            stateSeenByHandler = box.Value();
        };
        EXPECT_EQ(box.SetValue(c.to), c.accepted);
        EXPECT_EQ(box.Value(), c.accepted ? c.to : c.from);
        EXPECT_EQ(counts.clicks, c.clicks);
        if (c.clicks > 0) {
            EXPECT_EQ(stateSeenByHandler, c.to);
        }
    }
}

TEST(CheckBoxTest, UserClickTogglesAndRunsTheSameHandler) {
    for (const auto& [from, to] : {std::pair{0, 1}, {1, 0}, {2, 1}}) {
        CheckBox box{from};
        Counts counts;
        Watch(box, counts);
        box.UserClick();
        EXPECT_EQ(box.Value(), to);
        EXPECT_EQ(counts.clicks, 1);
        EXPECT_EQ(counts.shows, 1);
    }
}

TEST(CommandButtonTest, PressRunsTheClickHandlerOnlyWhenEnabled) {
    CommandButton button;
    Counts counts;
    Watch(button, counts);
    button.Press();
    EXPECT_EQ(counts.clicks, 1);
    button.SetEnabled(false);
    button.Press();
    EXPECT_EQ(counts.clicks, 1);
    EXPECT_EQ(counts.shows, 1);
}

TEST(TimerTest, RefusesNegativeIntervalsAndRunsOnlyAboveZero) {
    Timer timer{300};
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Running());
    EXPECT_FALSE(timer.SetInterval(-5));
    EXPECT_EQ(timer.Interval(), 300);
    EXPECT_TRUE(timer.SetInterval(0));
    EXPECT_FALSE(timer.Running());
    EXPECT_TRUE(timer.SetInterval(130000));
    EXPECT_TRUE(timer.Running());
}

TEST(ControlViewTest, OnlyRealChangesAreShown) {
    Timer timer{100};
    MenuItem item;
    Counts timerCounts;
    Counts itemCounts;
    timer.onShow = [&] { ++timerCounts.shows; };
    item.onShow = [&] { ++itemCounts.shows; };
    timer.SetEnabled(false);
    timer.SetInterval(100);
    item.SetChecked(false);
    EXPECT_EQ(timerCounts.shows, 0);
    EXPECT_EQ(itemCounts.shows, 0);
    timer.SetEnabled(true);
    timer.SetInterval(60000);
    item.SetChecked(true);
    EXPECT_EQ(timerCounts.shows, 2);
    EXPECT_EQ(itemCounts.shows, 1);
}

TEST(FormTest, CreationStates) {
    const Form form;
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.Check2.Value(), 1);
    EXPECT_EQ(form.Check3.Value(), 0);
    EXPECT_EQ(form.Check4.Value(), 0);
    EXPECT_FALSE(form.Command9.Enabled());
    EXPECT_FALSE(form.Command8.Visible());
    for (const Timer* timer : {&form.Timer1, &form.Timer2, &form.Timer3}) {
        EXPECT_FALSE(timer->Enabled());
    }
    EXPECT_EQ(form.Timer1.Interval(), 300);
    EXPECT_EQ(form.Timer2.Interval(), 100);
    EXPECT_EQ(form.Timer3.Interval(), 60000);
    for (const MenuItem* item : {&form.MnuSettings, &form.mnuOpenFileInBrowser, &form.mnuAutoApp,
                                 &form.MnuCopyClipLong, &form.MnuCopyClipShort, &form.mnuExit}) {
        EXPECT_FALSE(item->Checked());
    }
}

}  // namespace
}  // namespace datrelle
