#pragma once

#include <cstdint>
#include <vector>

#include "icongen/IndexedImage.h"

namespace datrelle::icongen {

// Serialises `images` as one .ico file, in the given order, all with kPalette and fully opaque:
// images 16, 20, 24 and 32 pixels wide as classic 4-bit BMP entries (empty AND mask), the others
// as 4-bit PNG entries. Throws std::invalid_argument for images larger than 256 pixels or with
// pixels outside the palette.
std::vector<std::uint8_t> EncodeIco(const std::vector<IndexedImage>& images);

}  // namespace datrelle::icongen
