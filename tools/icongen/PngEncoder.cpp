#include "icongen/PngEncoder.h"

#include <zlib.h>

#include <iterator>
#include <stdexcept>
#include <string_view>

#include "icongen/Palette.h"

namespace datrelle::icongen {
namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 4;
constexpr std::uint8_t kIndexedColour = 3;

// PNG numbers are big-endian.
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// Length, type, data, then the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, Crc32(std::span(out).subspan(typeAt)));
}

// zlib's best compression: the icons are linked into the program, whose size counts.
std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& data) {
    uLongf size = compressBound(data.size());
    std::vector<std::uint8_t> out(size);
    if (compress2(out.data(), &size, data.data(), data.size(), Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("zlib cannot compress an image");
    }
    out.resize(size);
    return out;
}

// Each row is a filter byte (0: none) and two pixels a byte, the left one in the high nibble.
std::vector<std::uint8_t> ImageData(const IndexedImage& image) {
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < image.Height(); ++y) {
        rows.push_back(0);
        for (int x = 0; x < image.Width(); x += 2) {
            const int right = x + 1 < image.Width() ? image.At(x + 1, y) : 0;
            rows.push_back(static_cast<std::uint8_t>(image.At(x, y) << 4 | right));
        }
    }
    return rows;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    return static_cast<std::uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
}

std::vector<std::uint8_t> EncodePng(const IndexedImage& image) {
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));

    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(image.Width()));
    PutU32(header, static_cast<std::uint32_t>(image.Height()));
    // Deflate compression, adaptive filtering (every row says "none"), no interlacing.
    header.insert(header.end(), {kBitDepth, kIndexedColour, 0, 0, 0});
    PutChunk(out, "IHDR", header);

    std::vector<std::uint8_t> palette;
    for (const Rgb& colour : kPalette) {
        palette.insert(palette.end(), {colour.red, colour.green, colour.blue});
    }
    PutChunk(out, "PLTE", palette);
    // Opaque all the same: entries past the end of the transparency chunk keep full alpha, and its
    // one entry is full alpha too. Wine 8 swaps red and blue in PNG icon images without an alpha
    // channel; with this chunk it reads them through its alpha path, which gets them right.
    PutChunk(out, "tRNS", {0xFF});

    PutChunk(out, "IDAT", Compress(ImageData(image)));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace datrelle::icongen
