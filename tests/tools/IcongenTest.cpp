#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "icongen/IcoEncoder.h"
#include "icongen/IconCatalogue.h"
#include "icongen/IconFiles.h"
#include "icongen/Palette.h"

namespace datrelle::icongen {
namespace {

namespace fs = std::filesystem;

constexpr Rgb kNavyRgb{0x00, 0x00, 0x80};
constexpr Rgb kYellowRgb{0xFF, 0xFF, 0x00};
constexpr int kSizes[] = {16, 20, 24, 32};

// A little-endian field of `size` bytes; vector::at throws past the end of the file.
std::uint64_t Le(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t size) {
    return size == 0 ? 0 : bytes.at(at) | Le(bytes, at + 1, size - 1) << 8;
}

// Reads a file apart from the encoder, the way Windows and windres read it: the directory, then
// per entry a 4-bit bitmap whose rows run bottom-up through the file's own palette, then the AND
// mask. Each colour is given back as its index in kPalette (16 when it is not there).
std::vector<IndexedImage> ReadIco(const std::vector<std::uint8_t>& bytes) {
    EXPECT_EQ(Le(bytes, 0, 4), 0x10000u) << "reserved, then type 1: an icon, not a cursor";
    std::vector<IndexedImage> images;
    for (std::size_t entry = 6; entry < 6 + 16 * Le(bytes, 4, 2); entry += 16) {
        const std::size_t header = Le(bytes, entry + 12, 4);
        const std::size_t width = Le(bytes, header + 4, 4), height = Le(bytes, header + 8, 4) / 2;
        EXPECT_EQ(Le(bytes, entry, 8), width | height << 8 | 0x0004000100100000u)
            << "the directory gives the size, 16 colours, one plane and 4 bits";
        EXPECT_EQ(Le(bytes, header + 12, 8), 0x40001u) << "one plane, 4 bits, uncompressed";
        const std::size_t palette = header + Le(bytes, header, 4);
        const std::size_t colours = Le(bytes, header + 32, 4) == 0 ? 16 : Le(bytes, header + 32, 4);
        const std::size_t rows = palette + 4 * colours, stride = (width * 4 + 31) / 32 * 4;
        IndexedImage& image = images.emplace_back(int(width), int(height), 0);
        for (std::size_t y = 0; y < height; ++y) {
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint64_t pair = Le(bytes, rows + stride * (height - 1 - y) + x / 2, 1);
                const std::size_t at = palette + 4 * (x % 2 == 0 ? pair >> 4 : pair & 0x0F);
                const Rgb colour{bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)};
                image.Set(int(x), int(y),
                          std::uint8_t(std::ranges::find(kPalette, colour) - kPalette.begin()));
            }
        }
        const std::size_t end = rows + (stride + (width + 31) / 32 * 4) * height;
        EXPECT_EQ(header + Le(bytes, entry + 8, 4), end) << "the entry's length ends at the mask's";
        for (std::size_t at = rows + stride * height; at < end; ++at) {
            EXPECT_EQ(bytes.at(at), 0) << "an empty AND mask: every pixel opaque";
        }
    }
    return images;
}

// Read back, the files hold exactly the drawn pictures; the committed ones are byte for byte what
// the generator makes now, and the check behind `icongen --check` reports exactly the files that
// are missing or changed.
TEST(IcoFiles, ReadBackExactlyAndTheCommittedOnesAreCurrent) {
    const auto icons = BuildAllIcons();
    for (const IconFile& icon : icons) {
        EXPECT_TRUE(ReadIco(EncodeIco(icon.images)) == icon.images) << icon.name;
    }
    const auto stale = FindStaleIcons(fs::path(DATRELLE_SOURCE_DIR) / "resources/icons", icons);
    EXPECT_TRUE(stale.empty()) << stale.size() << " icons are stale; run: icongen resources/icons";

    // Named per run, so that two builds running the tests at once keep apart.
    const fs::path directory = fs::path(::testing::TempDir()) /
                               ("icongen-check-" + std::to_string(std::random_device{}()));
    WriteIcons(directory, icons);
    fs::remove(directory / "day05.ico");
    std::fstream(directory / "month02.ico", std::ios::in | std::ios::out | std::ios::binary)
        .seekp(200)
        .put('\x7F');
    EXPECT_EQ(FindStaleIcons(directory, icons),
              (std::vector<std::string>{"day05.ico", "month02.ico"}));
    fs::remove_all(directory);
}

// Every day and month icon holds a square picture for each tray size: a yellow glyph on navy with
// a margin on every side, centred on its ink (where the free space is odd, the extra pixel is on
// the right or the bottom), and unlike every other icon at that size.
TEST(TrayIconDesign, EverySizeIsACentredDistinctYellowGlyphOnNavy) {
    const auto icons = BuildTrayIcons();
    ASSERT_EQ(icons.size(), 43u) << "31 days and 12 months";
    for (const IconFile& icon : icons) {
        ASSERT_EQ(icon.images.size(), std::size(kSizes)) << icon.name;
        for (std::size_t i = 0; i < std::size(kSizes); ++i) {
            const IndexedImage& image = icon.images[i];
            const int size = kSizes[i];
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

}  // namespace
}  // namespace datrelle::icongen
