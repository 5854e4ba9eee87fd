#include "icongen/IndexedImage.h"

#include <stdexcept>

namespace datrelle::icongen {

IndexedImage::IndexedImage(int width, int height, std::uint8_t fill)
    : width_(width), height_(height) {
    if (width < 0 || height < 0) {
        throw std::invalid_argument("image dimensions must not be negative");
    }
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

std::uint8_t IndexedImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel outside the image");
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void IndexedImage::Set(int x, int y, std::uint8_t index) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel outside the image");
    }
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = index;
}

}  // namespace datrelle::icongen
