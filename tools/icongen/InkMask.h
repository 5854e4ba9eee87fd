#pragma once

#include <cstdint>
#include <vector>

#include "icongen/IndexedImage.h"

namespace datrelle::icongen {

// Where a piece of text has ink, before it is given a colour and a place in an icon.
class InkMask {
  public:
    InkMask(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Outside the mask there is never ink, and setting it is a no-op, so a pen can run over the
    // edge without every caller clipping first.
    bool At(int x, int y) const;
    void Set(int x, int y, bool ink);

    // The smallest mask that still holds all the ink; empty when there is none.
    InkMask Cropped() const;

  private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::size_t IndexOf(int x, int y) const;

    int width_;
    int height_;
    std::vector<std::uint8_t> ink_;
};

// Colours the inked pixels of `mask`, placed with its top-left corner at (left, top).
void Paint(IndexedImage& image, const InkMask& mask, int left, int top, std::uint8_t colour);

}  // namespace datrelle::icongen
