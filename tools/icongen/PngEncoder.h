#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "icongen/IndexedImage.h"

namespace datrelle::icongen {

// Serialises `image` as a PNG file with kPalette: 4 bits a pixel (colour type 3), rows unfiltered
// and compressed by zlib, every pixel opaque. Icons keep their larger images this way at a fraction
// of a bitmap's size; Windows has read PNG icon images since Vista.
std::vector<std::uint8_t> EncodePng(const IndexedImage& image);

// The CRC-32 that closes every PNG chunk (ISO 3309, the one zip uses), by zlib.
std::uint32_t Crc32(std::span<const std::uint8_t> data);

}  // namespace datrelle::icongen
