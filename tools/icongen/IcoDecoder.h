#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "icongen/IndexedImage.h"

namespace datrelle::icongen {

// The pictures of an .ico file of the kind EncodeIco writes, in the file's order, so that the
// committed icons can be compared with the generator's pictures rather than with bytes that
// depend on the zlib build. Reads 4-bit BMP entries and 4-bit palette PNG entries with unfiltered
// rows; nullopt for anything else, a damaged file (a PNG chunk's CRC included) or a transparent
// pixel. A pixel of a colour outside kPalette comes out as index 16.
std::optional<std::vector<IndexedImage>> DecodeIco(std::span<const std::uint8_t> file);

}  // namespace datrelle::icongen
