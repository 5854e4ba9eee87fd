#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "icongen/Glyph.h"
#include "icongen/GlyphNotation.h"

namespace datrelle::icongen {
namespace {

struct GlyphSource {
    char character;
    int width;
    std::string_view strokes;
    std::string_view cuts;
};

// Digits are two stroke columns wide and use straight strokes only, so their weight stays even at
// every size. Rounded outer corners let 0, 6, 8 and 9 read as curves rather than boxes, and the
// foot on the 1 keeps it from reading as a 7 at 16 pixels.
constexpr GlyphSource kDigits[] = {
    {'0', 2, "00 20 24 04 00", "TL00 TR20 BL04 BR24"},
    {'1', 2, "00 10 14 | 04 24", ""},
    {'2', 2, "00 20 22 02 04 24", "TR20 TL02"},
    {'3', 2, "00 20 24 04 | 12 22", "TR20 BR24"},
    {'4', 2, "00 02 22 | 20 24", "BL02"},
    {'5', 2, "20 00 02 22 24 04", "TR22 BR24"},
    {'6', 2, "20 00 04 24 22 02", "TL00 BL04 BR24 TR22"},
    {'7', 2, "00 20 24", "TR20"},
    {'8', 2, "00 20 24 04 00 | 02 22", "TL00 TR20 BL04 BR24"},
    {'9', 2, "22 02 00 20 24 04", "TL00 TR20 BR24 BL02"},
};

// Capitals are two stroke columns wide, or four for M, N and W, whose diagonals need the room.
// Only the letters of the month abbreviations, the week icons' mark and the two names on the window
// icon are here.
constexpr GlyphSource kLetters[] = {
    {'A', 2, "04 00 20 24 | 02 22", "TL00 TR20"},
    {'B', 2, "00 20 24 04 00 | 02 22", "TR20 TR22 BR22 BR24"},
    {'C', 2, "20 00 04 24", "TL00 BL04"},
    {'D', 2, "00 20 24 04 00", "TR20 BR24"},
    {'E', 2, "20 00 04 24 | 02 12", ""},
    {'F', 2, "20 00 04 | 02 12", ""},
    {'G', 2, "20 00 04 24 22", "TL00 BL04"},
    {'I', 2, "00 20 | 10 14 | 04 24", ""},
    {'J', 2, "20 24 04 03", "BR24 BL04"},
    {'L', 2, "00 04 24", ""},
    {'M', 4, "04 00 22 40 44", ""},
    {'N', 4, "04 00 44 40", ""},
    {'O', 2, "00 20 24 04 00", "TL00 TR20 BL04 BR24"},
    {'P', 2, "04 00 20 22 02", "TR20 BR22"},
    {'R', 2, "04 00 20 22 02 | 12 23 24", "TR20 BR22"},
    {'S', 2, "20 00 02 22 24 04", "TL00 BL02 TR22 BR24"},
    {'T', 2, "00 20 | 10 14", ""},
    {'U', 2, "00 04 24 20", ""},
    {'V', 2, "00 03 14 23 20", ""},
    {'W', 4, "00 04 22 44 40", ""},
    {'Y', 2, "00 01 12 21 20 | 12 14", ""},
};

void AddGlyphs(std::map<char, Glyph>& glyphs, std::span<const GlyphSource> table) {
    for (const GlyphSource& source : table) {
        glyphs.emplace(source.character, ParseGlyph(source.width, source.strokes, source.cuts));
    }
}

std::map<char, Glyph> MakeGlyphs() {
    std::map<char, Glyph> glyphs;
    AddGlyphs(glyphs, kDigits);
    AddGlyphs(glyphs, kLetters);
    return glyphs;
}

}  // namespace

const Glyph& GlyphFor(char character) {
    static const std::map<char, Glyph> kGlyphs = MakeGlyphs();
    const auto found = kGlyphs.find(character);
    if (found == kGlyphs.end()) {
        throw std::out_of_range(std::string("no glyph for '") + character + "'");
    }
    return found->second;
}

}  // namespace datrelle::icongen
