#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "icongen/IndexedImage.h"
#include "icongen/Metrics.h"

namespace datrelle::icongen {

// The tray asks for the small-icon size of the taskbar's scaling: 100, 125, 150, 175, 200, 225,
// 250, 300 and 400 per cent. An image of exactly that size keeps the digits sharp; any other is
// scaled and blurs.
inline constexpr std::array<int, 9> kTraySizes = {16, 20, 24, 28, 32, 36, 40, 48, 64};

// The window icon: the title bar and taskbar sizes up to 200 per cent, the large-icon and
// jumbo sizes of Explorer.
inline constexpr std::array<int, 7> kAppSizes = {16, 20, 24, 32, 48, 64, 256};

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

// week01.ico ... week53.ico: the number in navy on yellow under a navy bar, the day icons'
// colours swapped so that a week never passes for a day of the same number. From 28 pixels the bar
// carries a "W".
std::vector<IconFile> BuildWeekIcons();

// The window icon at kAppSizes: a monogram up to 24 pixels, the product and brand names from 32.
IconFile BuildAppIcon();

// Everything under resources/icons, in a fixed order: the tray icons, the weeks, the window icon.
std::vector<IconFile> BuildAllIcons();

}  // namespace datrelle::icongen
