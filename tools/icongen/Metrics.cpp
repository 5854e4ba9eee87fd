#include "icongen/Metrics.h"

#include <span>
#include <stdexcept>
#include <string>

namespace datrelle::icongen {
namespace {

struct SizedMetrics {
    int iconSize;
    Metrics metrics;
};

// Two digits must fit the 16-pixel square with a pixel to spare on each side, which fixes the
// 16-pixel design at 6 + 2 + 6; the strokes then thicken as the square grows, to about an eighth
// of it (rounded down between whole eighths), with gaps as wide as the strokes or a little wider.
constexpr SizedMetrics kDigitMetrics[] = {
    {16, {2, 2, 1, 2, 2}},  // digits 6 x 9, two of them 14 across
    {20, {3, 2, 1, 2, 2}},  // 8 x 12, 18 across
    {24, {3, 3, 2, 2, 2}},  // 9 x 13, 20 across
    {28, {3, 4, 2, 4, 3}},  // 10 x 15, 23 across
    {32, {4, 4, 2, 4, 4}},  // 12 x 18, 28 across
    {36, {4, 5, 3, 5, 4}},  // 13 x 20, 30 across
    {40, {5, 5, 3, 5, 5}},  // 15 x 23, 35 across
    {48, {6, 6, 4, 7, 6}},  // 18 x 29, 42 across
    {64, {8, 8, 6, 9, 8}},  // 24 x 39, 56 across
};

// The widest abbreviations (MAR, MAY, JAN, JUN, NOV) hold one four-column letter and two
// two-column ones; that width, not the height, is what limits the letters at every size. From 28
// pixels the counters stay narrow, so that the strokes can be about a twelfth of the square and
// three letters still leave a margin of three pixels or more.
constexpr SizedMetrics kLetterMetrics[] = {
    {16, {1, 1, 1, 2, 1}},  // letters 3 or 5 wide, 6 high; MAY 13 across
    {20, {1, 2, 2, 2, 1}},  // 4 or 7 wide, 7 high; MAY 17 across
    {24, {2, 1, 2, 2, 2}},  // 5 or 8 wide, 10 high; MAY 22 across
    {28, {2, 1, 2, 3, 2}},  // 5 or 8 wide, 11 high; MAY 22 across
    {32, {2, 2, 3, 3, 2}},  // 6 or 10 wide, 12 high; MAY 26 across
    {36, {3, 1, 3, 4, 2}},  // 7 or 11 wide, 16 high; MAY 29 across
    {40, {3, 2, 4, 5, 2}},  // 8 or 13 wide, 18 high; MAY 33 across
    {48, {4, 2, 5, 5, 3}},  // 10 or 16 wide, 22 high; MAY 42 across
    {64, {5, 3, 7, 8, 3}},  // 13 or 21 wide, 30 high; MAY 53 across
};

Metrics Lookup(std::span<const SizedMetrics> table, int iconSize, const char* what) {
    for (const SizedMetrics& entry : table) {
        if (entry.iconSize == iconSize) {
            return entry.metrics;
        }
    }
    throw std::invalid_argument(std::string("no ") + what + " metrics for size " +
                                std::to_string(iconSize));
}

}  // namespace

Metrics DigitMetrics(int iconSize) {
    return Lookup(kDigitMetrics, iconSize, "digit");
}

Metrics LetterMetrics(int iconSize) {
    return Lookup(kLetterMetrics, iconSize, "letter");
}

int LatticeX(const Metrics& metrics, int halfSteps) {
    const int step = metrics.stroke + metrics.columnGap;
    return halfSteps / 2 * step + (halfSteps % 2 == 0 ? 0 : step / 2);
}

int LatticeY(const Metrics& metrics, int halfSteps) {
    if (halfSteps < 0 || halfSteps > 4) {
        throw std::out_of_range("glyphs have three stroke rows");
    }
    const int rows[3] = {0, metrics.stroke + metrics.upperGap,
                         2 * metrics.stroke + metrics.upperGap + metrics.lowerGap};
    const int row = halfSteps / 2;
    return halfSteps % 2 == 0 ? rows[row] : (rows[row] + rows[row + 1]) / 2;
}

int GlyphWidth(const Metrics& metrics, int width) {
    return LatticeX(metrics, width) + metrics.stroke;
}

int GlyphHeight(const Metrics& metrics) {
    return LatticeY(metrics, 4) + metrics.stroke;
}

}  // namespace datrelle::icongen
