#include "icongen/IcoDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <ranges>
#include <string_view>

#include "icongen/Palette.h"
#include "icongen/PngEncoder.h"

namespace datrelle::icongen {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitsPerPixel = 4;
constexpr std::uint32_t kLargestSide = 256;
constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Any way in which a file is not one of ours; DecodeIco turns it into nullopt.
struct NotOurs {};

void Expect(bool condition) {
    if (!condition) {
        throw NotOurs{};
    }
}

// Bounds-checked reads: little-endian numbers in the icon and its bitmaps, big-endian in PNG.
class Bytes {
  public:
    explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::span<const std::uint8_t> Span(std::size_t at, std::size_t count) const {
        Expect(at <= bytes_.size() && count <= bytes_.size() - at);
        return bytes_.subspan(at, count);
    }
    std::uint32_t Le(std::size_t at, std::size_t size) const {
        std::uint32_t value = 0;
        for (const std::uint8_t byte : Span(at, size) | std::views::reverse) {
            value = value << 8 | byte;
        }
        return value;
    }
    std::uint32_t Be(std::size_t at) const {
        std::uint32_t value = 0;
        for (const std::uint8_t byte : Span(at, 4)) {
            value = value << 8 | byte;
        }
        return value;
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

// The file's palette entries as indices into kPalette, which holds every colour of ours; any other
// colour becomes 16, which no picture of ours has.
void AddColour(std::vector<std::uint8_t>& palette, Rgb colour) {
    palette.push_back(
        static_cast<std::uint8_t>(std::ranges::find(kPalette, colour) - kPalette.begin()));
}

// One row of 4-bit pixels, the left one of each pair in the high nibble (in BMP as in PNG).
void PutRow(IndexedImage& image, int y, std::span<const std::uint8_t> row,
            const std::vector<std::uint8_t>& palette) {
    for (int x = 0; x < image.Width(); ++x) {
        const std::size_t entry =
            row[static_cast<std::size_t>(x / 2)] >> (x % 2 == 0 ? 4 : 0) & 0xF;
        Expect(entry < palette.size());
        image.Set(x, y, palette[entry]);
    }
}

IndexedImage NewImage(std::uint32_t width, std::uint32_t height) {
    Expect(width <= kLargestSide && height <= kLargestSide);
    return IndexedImage(static_cast<int>(width), static_cast<int>(height), 0);
}

IndexedImage DecodeBitmap(const Bytes& entry) {
    Expect(entry.Le(0, 4) == kInfoHeaderSize && entry.Le(12, 2) == 1 &&
           entry.Le(14, 2) == kBitsPerPixel && entry.Le(16, 4) == 0);
    // The height counts the colour bitmap and the mask below it.
    IndexedImage image = NewImage(entry.Le(4, 4), entry.Le(8, 4) / 2);
    const std::size_t colours = entry.Le(32, 4) == 0 ? 16 : entry.Le(32, 4);
    std::vector<std::uint8_t> palette;
    for (std::size_t i = 0; i < colours; ++i) {
        const auto bgr = entry.Span(kInfoHeaderSize + 4 * i, 3);
        AddColour(palette, {bgr[2], bgr[1], bgr[0]});
    }
    const auto width = static_cast<std::size_t>(image.Width());
    const auto height = static_cast<std::size_t>(image.Height());
    const std::size_t pixelsAt = kInfoHeaderSize + 4 * colours;
    const std::size_t rowBytes = (width * kBitsPerPixel + 31) / 32 * 4;  // whole 32-bit words
    for (std::size_t row = 0; row < height; ++row) {                     // the bottom one first
        PutRow(image, static_cast<int>(height - 1 - row),
               entry.Span(pixelsAt + row * rowBytes, rowBytes), palette);
    }
    // A set bit of the AND mask makes its pixel transparent, which no picture of ours has.
    const auto mask = entry.Span(pixelsAt + height * rowBytes, (width + 31) / 32 * 4 * height);
    Expect(std::ranges::all_of(mask, [](std::uint8_t bits) { return bits == 0; }));
    return image;
}

IndexedImage DecodePng(const Bytes& entry) {
    Expect(std::ranges::equal(entry.Span(0, sizeof kPngSignature), kPngSignature));
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> compressed;
    for (std::size_t at = sizeof kPngSignature;;) {
        const std::uint32_t length = entry.Be(at);
        const auto typeAndData = entry.Span(at + 4, 4 + std::size_t{length});
        Expect(Crc32(typeAndData) == entry.Be(at + 8 + length));
        const std::string_view type(reinterpret_cast<const char*>(typeAndData.data()), 4);
        const auto data = typeAndData.subspan(4);
        at += 12 + std::size_t{length};
        if (type == "IHDR") {
            header.assign(data.begin(), data.end());
        } else if (type == "PLTE") {
            for (std::size_t i = 0; i + 3 <= data.size(); i += 3) {
                AddColour(palette, {data[i], data[i + 1], data[i + 2]});
            }
        } else if (type == "tRNS") {  // alpha per palette entry: every one must be opaque
            Expect(std::ranges::all_of(data, [](std::uint8_t alpha) { return alpha == 0xFF; }));
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data.begin(), data.end());
        } else if (type == "IEND") {
            break;
        }
    }
    // 4-bit palette pixels, deflate, the standard filters and no interlacing.
    const Bytes fields(header);
    constexpr std::array<std::uint8_t, 5> kFormat = {kBitsPerPixel, 3, 0, 0, 0};
    Expect(header.size() == 13 && std::ranges::equal(fields.Span(8, 5), kFormat));
    IndexedImage image = NewImage(fields.Be(0), fields.Be(4));
    const std::size_t rowBytes = 1 + (static_cast<std::size_t>(image.Width()) + 1) / 2;
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(image.Height()));
    uLongf size = rows.size();
    Expect(uncompress(rows.data(), &size, compressed.data(), compressed.size()) == Z_OK &&
           size == rows.size());
    for (int y = 0; y < image.Height(); ++y) {
        const auto row = std::span(rows).subspan(static_cast<std::size_t>(y) * rowBytes, rowBytes);
        Expect(row[0] == 0);  // filter "none", the only one the encoder uses
        PutRow(image, y, row.subspan(1), palette);
    }
    return image;
}

}  // namespace

std::optional<std::vector<IndexedImage>> DecodeIco(std::span<const std::uint8_t> file) {
    try {
        const Bytes bytes(file);
        Expect(bytes.Le(0, 2) == 0 && bytes.Le(2, 2) == 1);  // reserved, an icon
        std::vector<IndexedImage> images;
        for (std::size_t i = 0, count = bytes.Le(4, 2); i < count; ++i) {
            const std::size_t at = 6 + 16 * i;
            const Bytes entry(bytes.Span(bytes.Le(at + 12, 4), bytes.Le(at + 8, 4)));
            const bool png = std::ranges::equal(entry.Span(0, 4), std::span(kPngSignature, 4));
            images.push_back(png ? DecodePng(entry) : DecodeBitmap(entry));
            // Windows chooses an image by the sizes in the directory, where 0 stands for 256.
            Expect(bytes.Le(at, 1) == images.back().Width() % kLargestSide &&
                   bytes.Le(at + 1, 1) == images.back().Height() % kLargestSide);
        }
        return images;
    } catch (const NotOurs&) {
        return std::nullopt;
    }
}

}  // namespace datrelle::icongen
