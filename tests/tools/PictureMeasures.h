#pragma once

#include "IcoReader.h"

// Measurements of decoded pictures, for checking the design rather than the drawing code.
namespace datrelle::icongen::testing {

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;  // 0 when there is no ink
    int height = 0;
};

Box InkBox(const Picture& picture, Rgb ink);

// The width of the stroke through an ink pixel: the shorter of the horizontal and vertical runs of
// ink through it. Along a stroke that is the stroke's width; where strokes meet it is longer.
int StrokeThickness(const Picture& picture, Rgb ink, int x, int y);

// Whether some side x side square is all ink. Strokes `side - 1` wide never hold one, not even
// where they meet or turn, so it shows a stroke that has swollen.
bool HasInkedSquare(const Picture& picture, Rgb ink, int side);

// Groups of neighbouring columns that hold ink: one per glyph when glyphs do not touch.
int InkColumnGroups(const Picture& picture, Rgb ink);

}  // namespace datrelle::icongen::testing
