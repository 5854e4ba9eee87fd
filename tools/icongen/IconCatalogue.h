#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "icongen/IndexedImage.h"
#include "icongen/Metrics.h"

namespace datrelle::icongen {

// The tray picks the image nearest its size at the monitor's DPI: 100, 125, 150 and 200 per cent.
inline constexpr std::array<int, 4> kTraySizes = {16, 20, 24, 32};

inline constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

struct IconFile {
    std::string name;  // file name, e.g. "day07.ico"
    std::vector<IndexedImage> images;
};

// A size x size square of `ground` with `text` in `ink`, centred on the text's ink. Where the
// free space is odd, the extra pixel goes to the right and to the bottom.
IndexedImage CentredText(std::string_view text, const Metrics& metrics, int size,
                         std::uint8_t ground, std::uint8_t ink);

// day01.ico ... day31.ico, then month01.ico ... month12.ico.
std::vector<IconFile> BuildTrayIcons();

// The window icon: the product and brand names at 32 pixels, a monogram at 16.
IconFile BuildAppIcon();

// Everything under resources/icons, in a fixed order.
std::vector<IconFile> BuildAllIcons();

}  // namespace datrelle::icongen
