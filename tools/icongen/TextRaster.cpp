#include "icongen/TextRaster.h"

#include <algorithm>
#include <cstdlib>

#include "icongen/Glyph.h"

namespace datrelle::icongen {
namespace {

struct Pixel {
    int x;
    int y;
};

void StampPen(InkMask& mask, Pixel at, int pen) {
    for (int dy = 0; dy < pen; ++dy) {
        for (int dx = 0; dx < pen; ++dx) {
            mask.Set(at.x + dx, at.y + dy, true);
        }
    }
}

// Halves round away from zero, so a stroke and its mirror image step at mirrored pixels.
int RoundedRatio(int numerator, int denominator) {
    const int magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

void DrawSegment(InkMask& mask, Pixel from, Pixel to, int pen) {
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max({std::abs(dx), std::abs(dy), 1});
    for (int i = 0; i <= steps; ++i) {
        StampPen(mask, {from.x + RoundedRatio(i * dx, steps), from.y + RoundedRatio(i * dy, steps)},
                 pen);
    }
}

// Trims a triangle off one corner of a pen square. Half the pen (rounded up) is enough to read as
// round at every size while the strokes meeting there keep their full width.
void CutCorner(InkMask& mask, Pixel penOrigin, Corner corner, int pen) {
    const bool right = corner == Corner::kTopRight || corner == Corner::kBottomRight;
    const bool bottom = corner == Corner::kBottomLeft || corner == Corner::kBottomRight;
    const int legs = (pen + 1) / 2;
    for (int j = 0; j < legs; ++j) {
        for (int i = 0; i + j < legs; ++i) {
            mask.Set(right ? penOrigin.x + pen - 1 - i : penOrigin.x + i,
                     bottom ? penOrigin.y + pen - 1 - j : penOrigin.y + j, false);
        }
    }
}

Pixel ToPixel(const Metrics& metrics, LatticePoint point, int left) {
    return {left + LatticeX(metrics, point.x), LatticeY(metrics, point.y)};
}

void DrawGlyph(InkMask& mask, const Glyph& glyph, const Metrics& metrics, int left) {
    for (const auto& stroke : glyph.strokes) {
        for (std::size_t i = 0; i < stroke.size(); ++i) {
            const Pixel from = ToPixel(metrics, stroke[i], left);
            const Pixel to = i + 1 < stroke.size() ? ToPixel(metrics, stroke[i + 1], left) : from;
            DrawSegment(mask, from, to, metrics.stroke);
        }
    }
    for (const auto& cut : glyph.cuts) {
        CutCorner(mask, ToPixel(metrics, cut.at, left), cut.corner, metrics.stroke);
    }
}

}  // namespace

InkMask RenderText(std::string_view text, const Metrics& metrics) {
    int width = 0;
    for (const char character : text) {
        width += GlyphWidth(metrics, GlyphFor(character).width) + metrics.spacing;
    }
    InkMask canvas(width, GlyphHeight(metrics));
    int left = 0;
    for (const char character : text) {
        const Glyph& glyph = GlyphFor(character);
        DrawGlyph(canvas, glyph, metrics, left);
        left += GlyphWidth(metrics, glyph.width) + metrics.spacing;
    }
    return canvas.Cropped();
}

}  // namespace datrelle::icongen
