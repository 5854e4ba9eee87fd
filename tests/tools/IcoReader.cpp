#include "IcoReader.h"

#include <stdexcept>

namespace datrelle::icongen::testing {
namespace {

std::size_t Stride(int width, int bits) {
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

}  // namespace

std::uint32_t ReadLe(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    if (at + static_cast<std::size_t>(size) > bytes.size()) {
        throw std::out_of_range("read past the end of the file");
    }
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::vector<Picture> ReadPictures(const std::vector<std::uint8_t>& bytes) {
    std::vector<Picture> pictures;
    const std::uint32_t count = ReadLe(bytes, 4, 2);
    for (std::size_t entry = 6; entry < 6 + 16 * std::size_t{count}; entry += 16) {
        const std::size_t bitmap = ReadLe(bytes, entry + 12, 4);
        Picture picture;
        picture.width = static_cast<int>(ReadLe(bytes, bitmap + 4, 4));
        picture.height = static_cast<int>(ReadLe(bytes, bitmap + 8, 4)) / 2;
        const std::uint32_t coloursUsed = ReadLe(bytes, bitmap + 32, 4);
        const std::uint32_t paletteSize = coloursUsed == 0 ? 16 : coloursUsed;
        const std::size_t palette = bitmap + ReadLe(bytes, bitmap, 4);
        const std::size_t xorBits = palette + 4 * paletteSize;
        const auto height = static_cast<std::size_t>(picture.height);
        const std::size_t andBits = xorBits + Stride(picture.width, 4) * height;
        for (int y = 0; y < picture.height; ++y) {
            const std::size_t row = xorBits + Stride(picture.width, 4) *
                                                  static_cast<std::size_t>(picture.height - 1 - y);
            for (int x = 0; x < picture.width; ++x) {
                const std::uint32_t pair = ReadLe(bytes, row + static_cast<std::size_t>(x / 2), 1);
                const std::uint32_t index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
                if (index >= paletteSize) {
                    throw std::out_of_range("pixel outside the palette");
                }
                const std::size_t colour = palette + 4 * index;  // blue, green, red, unused
                picture.pixels.push_back({static_cast<std::uint8_t>(ReadLe(bytes, colour + 2, 1)),
                                          static_cast<std::uint8_t>(ReadLe(bytes, colour + 1, 1)),
                                          static_cast<std::uint8_t>(ReadLe(bytes, colour, 1))});
            }
        }
        for (std::size_t at = andBits; at < andBits + Stride(picture.width, 1) * height; ++at) {
            picture.maskEmpty = picture.maskEmpty && ReadLe(bytes, at, 1) == 0;
        }
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

}  // namespace datrelle::icongen::testing
