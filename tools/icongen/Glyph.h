#pragma once

#include <vector>

namespace datrelle::icongen {

// Glyphs are described on a lattice of stroke positions instead of pixels, so that one
// description serves every icon size: the metrics for a size decide how many pixels a stroke and
// the gap between two strokes take (see Metrics.h).
//
// Coordinates count half steps. Even x values are stroke columns (0 = left, 2 = next, ...), even y
// values the top (0), middle (2) and bottom (4) stroke rows; odd values fall midway between.
struct LatticePoint {
    int x;
    int y;
};

enum class Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

// Rounds a shape by trimming the outer corner of the pen square drawn at `at`.
struct CornerCut {
    LatticePoint at;
    Corner corner;
};

struct Glyph {
    int width;  // x of the rightmost stroke column, in half steps
    std::vector<std::vector<LatticePoint>> strokes;  // polylines swept with a square pen
    std::vector<CornerCut> cuts;
};

// Digits, and the capitals the icons need. Throws std::out_of_range for any other character.
const Glyph& GlyphFor(char character);

}  // namespace datrelle::icongen
