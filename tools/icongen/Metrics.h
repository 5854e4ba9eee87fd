#pragma once

namespace datrelle::icongen {

// How many pixels the lattice of a glyph (see Glyph.h) takes at one icon size. Strokes have one
// width across and down, so a glyph keeps an even weight however the gaps grow.
struct Metrics {
    int stroke;     // side of the square pen
    int columnGap;  // between two stroke columns
    int upperGap;   // between the top and middle stroke rows
    int lowerGap;   // between the middle and bottom stroke rows
    int spacing;    // between neighbouring glyphs
};

// For the tray icon sizes only (kTraySizes); throws std::invalid_argument otherwise.
Metrics DigitMetrics(int iconSize);
Metrics LetterMetrics(int iconSize);

// Pixel offset of a lattice coordinate (in half steps) from the glyph's top-left corner. Midway
// points round down, which keeps them on whole pixels.
int LatticeX(const Metrics& metrics, int halfSteps);
int LatticeY(const Metrics& metrics, int halfSteps);

// Size of a glyph whose rightmost stroke column is at `width` half steps.
int GlyphWidth(const Metrics& metrics, int width);
int GlyphHeight(const Metrics& metrics);

}  // namespace datrelle::icongen
