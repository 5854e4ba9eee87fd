#include "form/Controls.h"

#include <gtest/gtest.h>

namespace datrelle {
namespace {

TEST(CheckBoxTest, OnlyANewStateRunsTheClickHandler) {
    struct Case {
        int from;
        int to;
        bool accepted;
        int clicks;
    };
    const Case cases[] = {
        {0, 1, true, 1}, {1, 0, true, 1}, {0, 2, true, 1},  {2, 1, true, 1},
        {1, 1, true, 0}, {2, 2, true, 0}, {1, 3, false, 0}, {0, -1, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        CheckBox box{c.from};
        int clicks = 0;
        int stateSeenByHandler = -1;
        box.onClick = [&] {
            ++clicks;
            stateSeenByHandler = box.Value();
        };
        EXPECT_EQ(box.SetValue(c.to), c.accepted);
        EXPECT_EQ(box.Value(), c.accepted ? c.to : c.from);
        EXPECT_EQ(clicks, c.clicks);
        if (c.clicks > 0) {
            EXPECT_EQ(stateSeenByHandler, c.to);
        }
    }
}

TEST(CheckBoxTest, UserClickTogglesAndRunsTheSameHandler) {
    for (const auto& [from, to] : {std::pair{0, 1}, {1, 0}, {2, 1}}) {
        CheckBox box{from};
        int clicks = 0;
        box.onClick = [&clicks] { ++clicks; };
        box.UserClick();
        EXPECT_EQ(box.Value(), to);
        EXPECT_EQ(clicks, 1);
    }
}

TEST(CommandButtonTest, PressRunsTheClickHandlerOnlyWhenEnabled) {
    CommandButton button;
    int clicks = 0;
    button.onClick = [&clicks] { ++clicks; };
    button.Press();
    EXPECT_EQ(clicks, 1);
    button.SetEnabled(false);
    button.Press();
    EXPECT_EQ(clicks, 1);
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

}  // namespace
}  // namespace datrelle
