#pragma once

#include <string_view>

#include "icongen/Glyph.h"

namespace datrelle::icongen {

// Reads a glyph from a compact text form, so that the glyph tables stay readable:
//   strokes  polylines separated by '|', each a list of points "xy" (one digit per half-step
//            coordinate), e.g. "00 20 24 | 02 22"
//   cuts     corners to round, each a corner code (TL, TR, BL, BR) and a point, e.g. "TL00 BR24"
// Throws std::invalid_argument for malformed text.
Glyph ParseGlyph(int width, std::string_view strokes, std::string_view cuts);

}  // namespace datrelle::icongen
