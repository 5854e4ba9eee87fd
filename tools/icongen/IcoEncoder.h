#pragma once

#include <cstdint>
#include <vector>

#include "icongen/IndexedImage.h"

namespace datrelle::icongen {

// Serialises `images` as one .ico file: classic 4-bit BMP entries with kPalette, fully opaque
// (empty AND mask), in the given order. Throws std::invalid_argument for images larger than 255
// pixels or with pixels outside the palette.
std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images);

}  // namespace datrelle::icongen
