#pragma once

#include <cstdint>
#include <vector>

namespace datrelle::icongen {

// A picture whose pixels are indices into kPalette.
class IndexedImage {
  public:
    IndexedImage(int width, int height, std::uint8_t fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint8_t At(int x, int y) const;
    void Set(int x, int y, std::uint8_t index);

    bool operator==(const IndexedImage&) const = default;

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace datrelle::icongen
