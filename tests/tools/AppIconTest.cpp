#include <gtest/gtest.h>

#include <algorithm>

#include "IcoReader.h"
#include "PictureMeasures.h"
#include "icongen/IcoEncoder.h"
#include "icongen/IconCatalogue.h"

namespace datrelle::icongen {
namespace {

using testing::InkBox;
using testing::InkColumnGroups;

constexpr Rgb kYellowRgb{0xFF, 0xFF, 0x00};
constexpr Rgb kBlackRgb{0x00, 0x00, 0x00};
constexpr Rgb kRedRgb{0xFF, 0x00, 0x00};

TEST(AppIcon, BlackNameAboveRedBrandOnYellowWithInitialsAt16) {
    const auto pictures = testing::ReadPictures(EncodeIco(BuildAppIcon().images));
    const auto large = std::find_if(pictures.begin(), pictures.end(),
                                    [](const auto& picture) { return picture.width == 32; });
    ASSERT_NE(large, pictures.end());
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.width);
        EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(), [](Rgb pixel) {
            return pixel == kYellowRgb || pixel == kBlackRgb || pixel == kRedRgb;
        }));
        EXPECT_EQ(picture.At(0, 0), kYellowRgb);
        EXPECT_EQ(picture.At(picture.width - 1, picture.height - 1), kYellowRgb);
        const auto name = InkBox(picture, kBlackRgb);
        const auto brand = InkBox(picture, kRedRgb);
        ASSERT_GT(name.width * brand.width, 0) << "both colours are used";
        if (picture.width == 32) {
            EXPECT_LT(name.top + name.height, brand.top) << "two lines, the name on top";
            EXPECT_EQ(InkColumnGroups(picture, kBlackRgb), 8) << "DATRELLE, letters apart";
            EXPECT_EQ(InkColumnGroups(picture, kRedRgb), 6) << "TAVRIN, letters apart";
            EXPECT_EQ(name.left, (32 - name.width) / 2);
            EXPECT_EQ(brand.left, (32 - brand.width) / 2);
        } else {
            EXPECT_LT(name.left + name.width, brand.left) << "initials side by side";
        }
    }
}

}  // namespace
}  // namespace datrelle::icongen
