#include "icongen/Preview.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>

#include "icongen/Palette.h"

namespace datrelle::icongen {
namespace {

// Pixels are enlarged up to eight times, less where that would make a cell wider than this.
constexpr int kLargestCell = 512;
constexpr int kMaxScale = 8;
constexpr int kBorder = 8;
constexpr int kColumns = 8;
constexpr Rgb kSheetBackground = {0x60, 0x60, 0x60};

class Sheet {
  public:
    Sheet(int width, int height, int scale)
        : scale_(scale),
          width_(width),
          height_(height),
          pixels_(static_cast<std::size_t>(width * height), kSheetBackground) {}

    void Place(const IndexedImage& image, int left, int top) {
        for (int y = 0; y < image.Height() * scale_; ++y) {
            for (int x = 0; x < image.Width() * scale_; ++x) {
                pixels_[static_cast<std::size_t>((top + y) * width_ + left + x)] =
                    kPalette[image.At(x / scale_, y / scale_)];
            }
        }
    }

    void Save(const std::filesystem::path& path) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "P6\n" << width_ << ' ' << height_ << "\n255\n";
        for (const Rgb& pixel : pixels_) {
            out.put(static_cast<char>(pixel.red));
            out.put(static_cast<char>(pixel.green));
            out.put(static_cast<char>(pixel.blue));
        }
        if (!out) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }

  private:
    int scale_;
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

void SaveSheet(const std::filesystem::path& path, const std::vector<const IndexedImage*>& images) {
    int cell = 0;
    for (const IndexedImage* image : images) {
        cell = std::max({cell, image->Width(), image->Height()});
    }
    const int scale = std::clamp(kLargestCell / std::max(cell, 1), 1, kMaxScale);
    const int pitch = cell * scale + kBorder;
    const int count = static_cast<int>(images.size());
    const int columns = std::min(count, kColumns);
    const int rows = (count + kColumns - 1) / kColumns;
    Sheet sheet(kBorder + columns * pitch, kBorder + rows * pitch, scale);
    for (int i = 0; i < count; ++i) {
        sheet.Place(*images[static_cast<std::size_t>(i)], kBorder + i % kColumns * pitch,
                    kBorder + i / kColumns * pitch);
    }
    sheet.Save(path);
}

}  // namespace

void WritePreviews(const std::filesystem::path& directory, const std::vector<IconFile>& trayIcons,
                   const IconFile& appIcon) {
    std::filesystem::create_directories(directory);
    for (std::size_t sizeIndex = 0; sizeIndex < kTraySizes.size(); ++sizeIndex) {
        std::vector<const IndexedImage*> images;
        for (const IconFile& icon : trayIcons) {
            images.push_back(&icon.images.at(sizeIndex));
        }
        SaveSheet(directory / ("tray-" + std::to_string(kTraySizes[sizeIndex]) + ".ppm"), images);
    }
    std::vector<const IndexedImage*> appImages;
    for (const IndexedImage& image : appIcon.images) {
        appImages.push_back(&image);
    }
    SaveSheet(directory / "app.ppm", appImages);
}

}  // namespace datrelle::icongen
