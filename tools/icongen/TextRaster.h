#pragma once

#include <string_view>

#include "icongen/InkMask.h"
#include "icongen/Metrics.h"

namespace datrelle::icongen {

// Draws `text` left to right with a square pen of metrics.stroke pixels and returns its ink,
// cropped to the ink's bounding box so that callers can centre what is actually visible.
InkMask RenderText(std::string_view text, const Metrics& metrics);

}  // namespace datrelle::icongen
