#include "icongen/InkMask.h"

#include <algorithm>
#include <stdexcept>

namespace datrelle::icongen {

InkMask::InkMask(int width, int height) : width_(width), height_(height) {
    if (width < 0 || height < 0) {
        throw std::invalid_argument("mask dimensions must not be negative");
    }
    ink_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

std::size_t InkMask::IndexOf(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

bool InkMask::At(int x, int y) const {
    return Inside(x, y) && ink_[IndexOf(x, y)] != 0;
}

void InkMask::Set(int x, int y, bool ink) {
    if (Inside(x, y)) {
        ink_[IndexOf(x, y)] = ink ? 1 : 0;
    }
}

InkMask InkMask::Cropped() const {
    int left = width_;
    int top = height_;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (At(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return InkMask(0, 0);
    }
    InkMask cropped(right - left + 1, bottom - top + 1);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            cropped.Set(x - left, y - top, At(x, y));
        }
    }
    return cropped;
}

void Paint(IndexedImage& image, const InkMask& mask, int left, int top, std::uint8_t colour) {
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            if (mask.At(x, y)) {
                image.Set(left + x, top + y, colour);
            }
        }
    }
}

}  // namespace datrelle::icongen
