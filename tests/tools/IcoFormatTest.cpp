#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "IcoReader.h"
#include "PictureMeasures.h"
#include "icongen/IcoEncoder.h"
#include "icongen/IconCatalogue.h"
#include "icongen/Palette.h"

namespace datrelle::icongen {
namespace {

using testing::ReadLe;

std::uint32_t Stride(std::uint32_t width, std::uint32_t bits) {
    return (width * bits + 31) / 32 * 4;
}

TEST(IcoFormat, DirectoryAndHeadersDescribeFourBitImagesThatFillTheFile) {
    struct Field {
        const char* name;
        std::size_t at;
        int size;
        std::uint32_t expected;
    };
    for (const IconFile& icon : BuildAllIcons()) {
        SCOPED_TRACE(icon.name);
        const std::vector<std::uint8_t> bytes = EncodeIco(icon.images);
        EXPECT_EQ(ReadLe(bytes, 0, 2), 0u);
        EXPECT_EQ(ReadLe(bytes, 2, 2), 1u) << "an icon, not a cursor";
        ASSERT_EQ(ReadLe(bytes, 4, 2), icon.images.size());

        std::size_t bitmap = 6 + 16 * icon.images.size();
        for (std::size_t i = 0; i < icon.images.size(); ++i) {
            const auto width = static_cast<std::uint32_t>(icon.images[i].Width());
            const auto height = static_cast<std::uint32_t>(icon.images[i].Height());
            const std::uint32_t imageBytes =
                40 + 16 * 4 + (Stride(width, 4) + Stride(width, 1)) * height;
            const std::size_t entry = 6 + 16 * i;
            for (const Field& field : {
                     Field{"width", entry, 1, width},
                     {"height", entry + 1, 1, height},
                     {"colour count", entry + 2, 1, 16},
                     {"reserved", entry + 3, 1, 0},
                     {"planes", entry + 4, 2, 1},
                     {"bit count", entry + 6, 2, 4},
                     {"bytes in resource", entry + 8, 4, imageBytes},
                     {"image offset", entry + 12, 4, static_cast<std::uint32_t>(bitmap)},
                     {"header size", bitmap, 4, 40},
                     {"bitmap width", bitmap + 4, 4, width},
                     {"bitmap height, image and mask", bitmap + 8, 4, 2 * height},
                     {"bitmap planes", bitmap + 12, 2, 1},
                     {"bits per pixel", bitmap + 14, 2, 4},
                     {"compression", bitmap + 16, 4, 0},
                 }) {
                EXPECT_EQ(ReadLe(bytes, field.at, field.size), field.expected)
                    << field.name << " of image " << i;
            }
            bitmap += imageBytes;
        }
        EXPECT_EQ(bitmap, bytes.size()) << "images must fill the file exactly";
    }
}

TEST(IcoFormat, DecodedPixelsAreTheDrawnOnesAndFullyOpaque) {
    for (const IconFile& icon : BuildAllIcons()) {
        SCOPED_TRACE(icon.name);
        const auto pictures = testing::ReadPictures(EncodeIco(icon.images));
        ASSERT_EQ(pictures.size(), icon.images.size());
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const IndexedImage& image = icon.images[i];
            EXPECT_TRUE(pictures[i].maskEmpty);
            for (int y = 0; y < image.Height(); ++y) {
                for (int x = 0; x < image.Width(); ++x) {
                    ASSERT_EQ(pictures[i].At(x, y), kPalette[image.At(x, y)])
                        << "size " << image.Width() << " at " << x << "," << y;
                }
            }
        }
    }
}

// A 7 has its bar at the top left and its stem on the right, so a picture stored upside down or
// mirrored shows at once.
TEST(IcoFormat, PicturesAreUprightAndNotMirrored) {
    const auto trayIcons = BuildTrayIcons();
    ASSERT_EQ(trayIcons.at(6).name, "day07.ico");
    const Rgb yellow{0xFF, 0xFF, 0x00};
    for (const auto& picture : testing::ReadPictures(EncodeIco(trayIcons[6].images))) {
        SCOPED_TRACE(picture.width);
        const auto box = testing::InkBox(picture, yellow);
        EXPECT_EQ(picture.At(box.left, box.top), yellow);
        for (int x = box.left; x < box.left + box.width / 2; ++x) {
            EXPECT_NE(picture.At(x, box.top + box.height - 1), yellow) << "foot at " << x;
        }
    }
}

}  // namespace
}  // namespace datrelle::icongen
