#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "IcoReader.h"
#include "PictureMeasures.h"
#include "icongen/IcoEncoder.h"
#include "icongen/IconCatalogue.h"

namespace datrelle::icongen {
namespace {

using testing::Picture;

constexpr Rgb kNavyRgb{0x00, 0x00, 0x80};
constexpr Rgb kYellowRgb{0xFF, 0xFF, 0x00};

enum class Kind { kDay, kMonth };

struct TrayPicture {
    std::string name;
    Kind kind;
    int glyphs;  // digits of the day, or letters of the month
    Picture picture;
};

// Every tray picture as read back from its .ico file, by size.
const std::map<int, std::vector<TrayPicture>>& PicturesBySize() {
    static const auto kPictures = [] {
        std::map<int, std::vector<TrayPicture>> bySize;
        for (const IconFile& icon : BuildTrayIcons()) {
            const bool day = icon.name.starts_with("day");
            const int glyphs = !day ? 3 : icon.name.starts_with("day0") ? 1 : 2;
            for (const auto& picture : testing::ReadPictures(EncodeIco(icon.images))) {
                bySize[picture.width].push_back(
                    {icon.name, day ? Kind::kDay : Kind::kMonth, glyphs, picture});
            }
        }
        return bySize;
    }();
    return kPictures;
}

// Centred on the ink; where the free space is odd the extra pixel is on the right or the bottom.
TEST(TrayIconDesign, EachPictureIsACentredYellowGlyphOnNavyWithItsGlyphsApart) {
    for (const auto& [size, pictures] : PicturesBySize()) {
        EXPECT_NE(std::find(kTraySizes.begin(), kTraySizes.end(), size), kTraySizes.end());
        ASSERT_EQ(pictures.size(), 43u) << "every icon has a picture at " << size;
        for (const TrayPicture& tray : pictures) {
            SCOPED_TRACE(tray.name + " at " + std::to_string(size));
            EXPECT_TRUE(
                std::all_of(tray.picture.pixels.begin(), tray.picture.pixels.end(),
                            [](Rgb pixel) { return pixel == kNavyRgb || pixel == kYellowRgb; }));
            const auto box = testing::InkBox(tray.picture, kYellowRgb);
            EXPECT_EQ(box.left, (size - box.width) / 2);
            EXPECT_EQ(box.top, (size - box.height) / 2);
            EXPECT_GE(std::min({box.left, box.top, size - box.left - box.width,
                                size - box.top - box.height}),
                      1)
                << "a margin on every side";
            EXPECT_EQ(testing::InkColumnGroups(tray.picture, kYellowRgb), tray.glyphs)
                << "glyphs that touch run together";
        }
    }
}

TEST(TrayIconDesign, NoTwoIconsLookAlike) {
    for (const auto& [size, pictures] : PicturesBySize()) {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            for (std::size_t j = i + 1; j < pictures.size(); ++j) {
                EXPECT_FALSE(pictures[i].picture.pixels == pictures[j].picture.pixels)
                    << pictures[i].name << " and " << pictures[j].name << " at " << size;
            }
        }
    }
}

int ThinnestStroke(const Picture& picture) {
    int thinnest = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == kYellowRgb) {
                thinnest = std::min(thinnest, testing::StrokeThickness(picture, kYellowRgb, x, y));
            }
        }
    }
    return thinnest;
}

// Heights and strokes are one per kind and size, and grow in proportion to the square with whole
// pixel strokes. A resampled bitmap would mix stroke widths: some thinner, some swollen.
TEST(TrayIconDesign, GlyphsScaleWithEvenStrokes) {
    struct Case {
        Kind kind;
        int minimumHeightAt16;
        int maximumHeightAt16;
        int strokeAt16;
        int swell;  // the growth that counts as a swollen stroke
    };
    // A square pen turning off a stem onto a diagonal leaves a pixel of extra ink in the joint, so
    // letters, which have diagonals, are allowed that one pixel.
    for (const Case& test : {Case{Kind::kDay, 8, 10, 2, 1}, Case{Kind::kMonth, 5, 6, 1, 2}}) {
        std::map<int, int> heights;
        std::map<int, int> strokes;
        for (const auto& [size, pictures] : PicturesBySize()) {
            for (const TrayPicture& tray : pictures) {
                if (tray.kind != test.kind) {
                    continue;
                }
                SCOPED_TRACE(tray.name + " at " + std::to_string(size));
                const int height = testing::InkBox(tray.picture, kYellowRgb).height;
                const int stroke = ThinnestStroke(tray.picture);
                EXPECT_EQ(heights.emplace(size, height).first->second, height);
                EXPECT_EQ(strokes.emplace(size, stroke).first->second, stroke);
                EXPECT_FALSE(testing::HasInkedSquare(tray.picture, kYellowRgb, stroke + test.swell))
                    << "a stroke wider than " << stroke;
            }
        }
        EXPECT_GE(heights.at(16), test.minimumHeightAt16);
        EXPECT_LE(heights.at(16), test.maximumHeightAt16);
        EXPECT_EQ(strokes.at(16), test.strokeAt16);
        for (const int size : kTraySizes) {
            SCOPED_TRACE(size);
            EXPECT_LE(std::abs(heights.at(size) - heights.at(16) * size / 16.0), 1.5);
            const double stroke = test.strokeAt16 * size / 16.0;
            EXPECT_GE(strokes.at(size), std::floor(stroke));
            EXPECT_LE(strokes.at(size), std::ceil(stroke));
        }
    }
}

}  // namespace
}  // namespace datrelle::icongen
