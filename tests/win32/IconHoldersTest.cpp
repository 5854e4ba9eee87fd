// The 43 icon holders in-process, with the program's icon resources linked in. Icons
// are loaded when first asked for, so a DPI change must reload exactly those and
// leave the others to load at the new size.

#include "win32/IconHolders.h"

#include <gtest/gtest.h>

#include "RunningProgram.h"

#include <algorithm>

namespace datrelle::win32 {
namespace {

HICON IconOf(const IconHolder& holder) {
    return reinterpret_cast<HICON>(holder.icon);
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int TraySize(int dpi) {
    return GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
}

class IconHoldersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(parent.get(), nullptr);
        ASSERT_TRUE(holders.Create(parent.get(), GetModuleHandleA(nullptr), 96));
    }

    IconHolders holders;
    // Declared last: the windows go before the fonts and icons they were given.
    testing::TestWindow parent{900, 600};
};

TEST_F(IconHoldersTest, EveryHolderGivesItsOwnIconAtTheTraySize) {
    const struct {
        IconKind kind;
        int count;
    } sets[] = {{IconKind::Day, 31}, {IconKind::Month, 12}};
    for (const auto& set : sets) {
        for (int index = 1; index <= set.count; ++index) {
            SCOPED_TRACE(index);
            const auto holder = holders.Holder(set.kind, index);
            ASSERT_TRUE(holder);
            ASSERT_NE(IconOf(*holder), nullptr);
            EXPECT_EQ(IconWidth(IconOf(*holder)), TraySize(96));
            // Asked again, the holder gives the icon it already holds.
            EXPECT_EQ(holders.Holder(set.kind, index)->icon, holder->icon);
        }
    }
    EXPECT_NE(holders.Holder(IconKind::Day, 1)->icon, holders.Holder(IconKind::Day, 2)->icon);
    EXPECT_NE(holders.Holder(IconKind::Day, 1)->window, holders.Holder(IconKind::Month, 1)->window);
}

TEST_F(IconHoldersTest, NoHolderOutsideEitherSet) {
    for (const auto& [kind, index] :
         {std::pair{IconKind::Day, 0}, std::pair{IconKind::Day, 32}, std::pair{IconKind::Month, 0},
          std::pair{IconKind::Month, 13}}) {
        EXPECT_FALSE(holders.Holder(kind, index)) << static_cast<int>(kind) << " " << index;
    }
}

TEST_F(IconHoldersTest, DpiChangeReloadsTheIconsInUseAndSizesTheRestWhenAskedFor) {
    const int dpi = 192;
    const HICON day6 = IconOf(*holders.Holder(IconKind::Day, 6));
    const HICON month12 = IconOf(*holders.Holder(IconKind::Month, 12));

    const auto previous = holders.ApplyDpi(dpi);

    // The replaced icons come back to the caller, which keeps them until the tray
    // shows the new ones; icons never loaded have nothing to give back.
    ASSERT_EQ(previous.size(), 2u);
    const auto handedBack = [&](HICON icon) {
        return std::any_of(previous.begin(), previous.end(),
                           [icon](const UniqueIcon& old) { return old.get() == icon; });
    };
    EXPECT_TRUE(handedBack(day6));
    EXPECT_TRUE(handedBack(month12));
    const HICON newDay6 = IconOf(*holders.Holder(IconKind::Day, 6));
    EXPECT_NE(newDay6, day6);
    EXPECT_EQ(IconWidth(newDay6), TraySize(dpi));
    EXPECT_EQ(IconWidth(IconOf(*holders.Holder(IconKind::Day, 7))), TraySize(dpi));

    // The holders move with the DPI.
    RECT place;
    GetWindowRect(reinterpret_cast<HWND>(holders.Holder(IconKind::Day, 2)->window), &place);
    MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, MulDiv(6750 + 375, dpi, 1440));
    EXPECT_EQ(place.top, MulDiv(750, dpi, 1440));
}

}  // namespace
}  // namespace datrelle::win32
