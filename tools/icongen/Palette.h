#pragma once

#include <array>
#include <cstdint>

namespace datrelle::icongen {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    bool operator==(const Rgb&) const = default;
};

// The standard 16-colour VGA palette in the order Windows uses for 4-bit bitmaps; every icon
// shares it, so pixels are stored as indices into this table.
inline constexpr std::array<Rgb, 16> kPalette = {{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kNavy = 4;
inline constexpr std::uint8_t kRed = 9;
inline constexpr std::uint8_t kYellow = 11;

}  // namespace datrelle::icongen
