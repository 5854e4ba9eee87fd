#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "IcoReader.h"
#include "icongen/IcoEncoder.h"
#include "icongen/IconCatalogue.h"
#include "icongen/Palette.h"

namespace datrelle::icongen {
namespace {

// Read back the way Windows reads them (bottom-up rows, 4-bit pixels through the
// palette, the mask after), the files hold exactly the drawn pictures.
TEST(IcoFormat, FilesParseBackToTheDrawnPicturesFullyOpaque) {
    for (const IconFile& icon : BuildAllIcons()) {
        SCOPED_TRACE(icon.name);
        const std::vector<std::uint8_t> bytes = EncodeIco(icon.images);
        EXPECT_EQ(testing::ReadLe(bytes, 2, 2), 1u) << "an icon, not a cursor";
        const auto pictures = testing::ReadPictures(bytes);
        ASSERT_EQ(pictures.size(), icon.images.size());
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const IndexedImage& image = icon.images[i];
            EXPECT_TRUE(pictures[i].maskEmpty);
            ASSERT_EQ(pictures[i].height, image.Height());
            for (int y = 0; y < image.Height(); ++y) {
                for (int x = 0; x < image.Width(); ++x) {
                    ASSERT_EQ(pictures[i].At(x, y), kPalette[image.At(x, y)])
                        << "size " << image.Width() << " at " << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace datrelle::icongen
