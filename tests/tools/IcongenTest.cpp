#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "icongen/IconCatalogue.h"
#include "icongen/IconFiles.h"
#include "icongen/Palette.h"

namespace datrelle::icongen {
namespace {

namespace fs = std::filesystem;

constexpr Rgb kNavyRgb{0x00, 0x00, 0x80};
constexpr Rgb kYellowRgb{0xFF, 0xFF, 0x00};

// The committed icons hold the pictures the generator draws now, and the check behind
// `icongen --check` reports exactly the files that are missing or hold other pictures: a changed
// pixel of a bitmap, a damaged PNG chunk. (Windows itself reads them back in the in-process test
// under Wine, but its loader skips the CRCs that close each PNG chunk.)
TEST(IcoFiles, TheCommittedOnesAreCurrent) {
    const auto icons = BuildAllIcons();
    const auto stale = FindStaleIcons(fs::path(DATRELLE_SOURCE_DIR) / "resources/icons", icons);
    EXPECT_TRUE(stale.empty()) << stale.size() << " icons are stale; run: icongen resources/icons";

    // Named per run, so that two builds running the tests at once keep apart.
    const fs::path directory = fs::path(::testing::TempDir()) /
                               ("icongen-check-" + std::to_string(std::random_device{}()));
    WriteIcons(directory, icons);
    fs::remove(directory / "day05.ico");
    // A pixel of month02's 16-pixel bitmap; the CRC of month03's last chunk, IEND, in a PNG image.
    std::fstream(directory / "month02.ico", std::ios::in | std::ios::out).seekp(300).put('\x7F');
    std::fstream(directory / "month03.ico", std::ios::in | std::ios::out)
        .seekp(-1, std::ios::end)
        .put('\x7F');
    EXPECT_EQ(FindStaleIcons(directory, icons),
              (std::vector<std::string>{"day05.ico", "month02.ico", "month03.ico"}));
    fs::remove_all(directory);
}

// Every day and month icon holds a square picture for each tray size: a yellow glyph on navy with
// a margin on every side, centred on its ink (where the free space is odd, the extra pixel is on
// the right or the bottom), and unlike every other icon at that size.
TEST(TrayIconDesign, EverySizeIsACentredDistinctYellowGlyphOnNavy) {
    const auto icons = BuildTrayIcons();
    ASSERT_EQ(icons.size(), 43u) << "31 days and 12 months";
    for (const IconFile& icon : icons) {
        ASSERT_EQ(icon.images.size(), kTraySizes.size()) << icon.name;
        for (std::size_t i = 0; i < kTraySizes.size(); ++i) {
            const IndexedImage& image = icon.images[i];
            const int size = kTraySizes[i];
            SCOPED_TRACE(icon.name + " at " + std::to_string(size));
            ASSERT_TRUE(image.Width() == size && image.Height() == size);
            int left = size, top = size, right = -1, bottom = -1;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const Rgb colour = kPalette[image.At(x, y)];
                    ASSERT_TRUE(colour == kNavyRgb || colour == kYellowRgb) << x << "," << y;
                    if (colour == kYellowRgb) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
                }
            }
            ASSERT_LE(left, right) << "no ink";
            EXPECT_GE(std::min(left, top), 1) << "a margin on every side";
            EXPECT_EQ(left, (left + size - 1 - right) / 2) << "centred across";
            EXPECT_EQ(top, (top + size - 1 - bottom) / 2) << "centred down";
            for (const IconFile& other : icons) {
                EXPECT_TRUE(&other == &icon || other.images[i] != image) << "as " << other.name;
            }
        }
    }
}

// Every week icon holds a picture for each tray size, unlike every other week at that size, and
// unlike the day icon of its number at a glance: more than a third of the pixels differ, where a
// frame, a bar or a mark alone on the day's ground would leave the two mostly alike.
TEST(TrayIconDesign, EveryWeekIsDistinctAndAtAGlanceUnlikeItsDay) {
    const auto days = BuildTrayIcons();
    const auto weeks = BuildWeekIcons();
    ASSERT_EQ(weeks.size(), 53u);
    for (std::size_t n = 0; n < weeks.size(); ++n) {
        ASSERT_EQ(weeks[n].images.size(), kTraySizes.size()) << weeks[n].name;
        for (std::size_t i = 0; i < kTraySizes.size(); ++i) {
            const IndexedImage& image = weeks[n].images[i];
            const int size = kTraySizes[i];
            SCOPED_TRACE(weeks[n].name + " at " + std::to_string(size));
            ASSERT_TRUE(image.Width() == size && image.Height() == size);
            int unlikeDay = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    unlikeDay += n < 31 && days[n].images[i].At(x, y) != image.At(x, y) ? 1 : 0;
                }
            }
            EXPECT_TRUE(n >= 31 || 3 * unlikeDay > size * size) << unlikeDay << " pixels differ";
            for (const IconFile& other : weeks) {
                EXPECT_TRUE(&other == &weeks[n] || other.images[i] != image) << other.name;
            }
        }
    }
}

}  // namespace
}  // namespace datrelle::icongen
