#include "form/Inventory.h"

#include <gtest/gtest.h>

#include <set>

#include "form/Twips.h"

namespace datrelle {
namespace {

TEST(InventoryTest, CheckBoxesArePlacedInsideTheFrame) {
    EXPECT_EQ(ClientPlace(Entry(ControlId::Check1)), (TwipsRect{300, 825, 2115, 240}));
    EXPECT_EQ(ClientPlace(Entry(ControlId::Check4)), (TwipsRect{2325, 1575, 1740, 240}));
    EXPECT_EQ(ClientPlace(Entry(ControlId::Command9)), Entry(ControlId::Command9).place);
}

TEST(InventoryTest, IconHolderPlaces) {
    struct Case {
        int element;
        TwipsRect place;
    };
    for (const Case c : {Case{1, {6750, 750, 315, 315}}, Case{10, {10125, 750, 315, 315}},
                         Case{11, {6750, 1125, 315, 315}}, Case{30, {10125, 1500, 315, 315}},
                         Case{31, {10500, 1500, 315, 315}}}) {
        EXPECT_EQ(DayHolderPlace(c.element), c.place) << c.element;
    }
    for (const Case c : {Case{1, {6750, 0, 315, 315}}, Case{6, {8625, 0, 315, 315}},
                         Case{7, {6750, 375, 315, 315}}, Case{12, {8625, 375, 315, 315}}}) {
        EXPECT_EQ(MonthHolderPlace(c.element), c.place) << c.element;
    }
}

TEST(InventoryTest, NoTwoIconHoldersOverlap) {
    std::set<std::pair<int, int>> corners;
    for (int day = 1; day <= kDayHolders; ++day) {
        corners.insert({DayHolderPlace(day).left, DayHolderPlace(day).top});
    }
    for (int month = 1; month <= kMonthHolders; ++month) {
        corners.insert({MonthHolderPlace(month).left, MonthHolderPlace(month).top});
    }
    EXPECT_EQ(corners.size(), static_cast<std::size_t>(kDayHolders + kMonthHolders));
}

TEST(TwipsTest, ConvertsAtCommonDpis) {
    struct Case {
        double twips;
        int dpi;
        int pixels;
    };
    for (const Case c : {Case{1440, 96, 96}, Case{11775, 96, 785}, Case{6855, 96, 457},
                         Case{-75, 96, -5}, Case{390, 120, 33}, Case{315, 144, 32},
                         Case{315, 192, 42}, Case{7, 96, 0}, Case{8, 96, 1}, Case{-8, 96, -1}}) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

}  // namespace
}  // namespace datrelle
