#include "icongen/IcoEncoder.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "icongen/Palette.h"
#include "icongen/PngEncoder.h"

namespace datrelle::icongen {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPaletteSize = kPalette.size() * 4;
constexpr int kBitsPerPixel = 4;
constexpr int kLargestSide = 256;  // written as 0 in the directory's one-byte fields

// The sizes icons have always held stay bitmaps, which every icon reader knows, byte for byte as
// before; every other size is PNG, a tenth of a bitmap's bytes for these flat pictures.
constexpr int kBitmapSizes[] = {16, 20, 24, 32};

bool StoredAsPng(const IndexedImage& image) {
    return std::ranges::find(kBitmapSizes, image.Width()) == std::end(kBitmapSizes);
}

class LittleEndianWriter {
  public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void U8(std::uint32_t value) { out_.push_back(static_cast<std::uint8_t>(value & 0xFF)); }
    void U16(std::uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }

  private:
    std::vector<std::uint8_t>& out_;
};

// Bitmap rows are padded to whole 32-bit words.
std::size_t RowBytes(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

void Validate(const IndexedImage& image) {
    if (image.Width() < 1 || image.Height() < 1 || image.Width() > kLargestSide ||
        image.Height() > kLargestSide) {
        throw std::invalid_argument("icon images must be 1 to 256 pixels on a side");
    }
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (image.At(x, y) >= kPalette.size()) {
                throw std::invalid_argument("pixel outside the 16-colour palette");
            }
        }
    }
}

std::vector<std::uint8_t> EncodeBitmap(const IndexedImage& image) {
    std::vector<std::uint8_t> out;
    LittleEndianWriter writer(out);
    const auto width = static_cast<std::uint32_t>(image.Width());
    const auto height = static_cast<std::uint32_t>(image.Height());
    const std::size_t xorRow = RowBytes(image.Width(), kBitsPerPixel);
    const std::size_t andRow = RowBytes(image.Width(), 1);

    writer.U32(kInfoHeaderSize);
    writer.U32(width);
    writer.U32(2 * height);  // the XOR bitmap and the AND mask, stacked
    writer.U16(1);           // planes
    writer.U16(kBitsPerPixel);
    writer.U32(0);  // BI_RGB
    writer.U32(static_cast<std::uint32_t>((xorRow + andRow) * height));
    writer.U32(0);  // horizontal resolution
    writer.U32(0);  // vertical resolution
    writer.U32(static_cast<std::uint32_t>(kPalette.size()));
    writer.U32(0);  // all colours important

    for (const Rgb& colour : kPalette) {
        writer.U8(colour.blue);
        writer.U8(colour.green);
        writer.U8(colour.red);
        writer.U8(0);
    }

    // Bitmaps are stored bottom row first; the left pixel of each pair is the high nibble.
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(xorRow, 0);
        for (int x = 0; x < image.Width(); ++x) {
            const int shift = x % 2 == 0 ? 4 : 0;
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(image.At(x, y) << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    // An all-zero AND mask: every pixel opaque.
    out.insert(out.end(), andRow * height, 0);
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images) {
    if (images.empty() || images.size() > 0xFFFF) {
        throw std::invalid_argument("an icon file holds 1 to 65535 images");
    }
    for (const IndexedImage& image : images) {
        Validate(image);
    }

    std::vector<std::vector<std::uint8_t>> encoded;
    for (const IndexedImage& image : images) {
        encoded.push_back(StoredAsPng(image) ? EncodePng(image) : EncodeBitmap(image));
    }

    std::vector<std::uint8_t> out;
    LittleEndianWriter writer(out);
    writer.U16(0);  // reserved
    writer.U16(1);  // icon, not cursor
    writer.U16(static_cast<std::uint32_t>(images.size()));

    // A PNG entry says what its bitmap would: the size, 16 colours, one plane and 4 bits.
    std::size_t offset = kDirectorySize + kEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        writer.U8(static_cast<std::uint32_t>(images[i].Width() % kLargestSide));
        writer.U8(static_cast<std::uint32_t>(images[i].Height() % kLargestSide));
        writer.U8(static_cast<std::uint32_t>(kPalette.size()));
        writer.U8(0);   // reserved
        writer.U16(1);  // planes
        writer.U16(kBitsPerPixel);
        writer.U32(static_cast<std::uint32_t>(encoded[i].size()));
        writer.U32(static_cast<std::uint32_t>(offset));
        offset += encoded[i].size();
    }
    for (const auto& bytes : encoded) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

}  // namespace datrelle::icongen
