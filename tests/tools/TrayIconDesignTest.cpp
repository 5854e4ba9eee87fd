#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "IcoReader.h"
#include "icongen/IcoEncoder.h"
#include "icongen/IconCatalogue.h"

namespace datrelle::icongen {
namespace {

constexpr Rgb kNavyRgb{0x00, 0x00, 0x80};
constexpr Rgb kYellowRgb{0xFF, 0xFF, 0x00};

struct TrayPicture {
    std::string name;
    testing::Picture picture;
};

struct Box {
    int left;
    int top;
    int width;
    int height;
};

// The box around the ink.
Box InkBox(const testing::Picture& picture) {
    Box box{picture.width, picture.height, 0, 0};
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == kYellowRgb) {
                box = {std::min(box.left, x), std::min(box.top, y), 0, 0};
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    return {box.left, box.top, right - box.left + 1, bottom - box.top + 1};
}

// Every tray picture as read back from its .ico file, by size.
std::map<int, std::vector<TrayPicture>> PicturesBySize() {
    std::map<int, std::vector<TrayPicture>> bySize;
    for (const IconFile& icon : BuildTrayIcons()) {
        for (const auto& picture : testing::ReadPictures(EncodeIco(icon.images))) {
            bySize[picture.width].push_back({icon.name, picture});
        }
    }
    return bySize;
}

// Centred on the ink; where the free space is odd the extra pixel is on the right or
// the bottom. No two icons of a size look alike.
TEST(TrayIconDesign, EachPictureIsACentredDistinctYellowGlyphOnNavy) {
    const auto bySize = PicturesBySize();
    std::vector<int> sizes;
    for (const auto& [size, pictures] : bySize) {
        sizes.push_back(size);
        ASSERT_EQ(pictures.size(), 43u) << "every icon has a picture at " << size;
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const TrayPicture& tray = pictures[i];
            SCOPED_TRACE(tray.name + " at " + std::to_string(size));
            EXPECT_TRUE(
                std::all_of(tray.picture.pixels.begin(), tray.picture.pixels.end(),
                            [](Rgb pixel) { return pixel == kNavyRgb || pixel == kYellowRgb; }));
            const Box box = InkBox(tray.picture);
            EXPECT_EQ(box.left, (size - box.width) / 2);
            EXPECT_EQ(box.top, (size - box.height) / 2);
            EXPECT_GE(std::min(box.left, box.top), 1) << "a margin on every side";
            for (std::size_t j = i + 1; j < pictures.size(); ++j) {
                EXPECT_FALSE(tray.picture.pixels == pictures[j].picture.pixels) << pictures[j].name;
            }
        }
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32}));
}

}  // namespace
}  // namespace datrelle::icongen
