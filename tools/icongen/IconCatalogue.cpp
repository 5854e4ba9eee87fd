#include "icongen/IconCatalogue.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "icongen/InkMask.h"
#include "icongen/Palette.h"
#include "icongen/TextRaster.h"

namespace datrelle::icongen {
namespace {

constexpr int kDaysInLongestMonth = 31;

// The names on the 32-pixel window icon use the three-pixel capitals of the 16-pixel month icons,
// drawn taller: eight letters with one-pixel gaps only just fit across 32 pixels.
constexpr Metrics kAppNameMetrics = {1, 1, 2, 3, 1};
constexpr int kAppLineGap = 4;

std::string NumberedName(std::string_view prefix, int number) {
    return std::string(prefix) + (number < 10 ? "0" : "") + std::to_string(number) + ".ico";
}

IconFile TrayIcon(std::string name, const std::string& text, Metrics (*metricsFor)(int)) {
    IconFile icon{std::move(name), {}};
    for (const int size : kTraySizes) {
        icon.images.push_back(CentredText(text, metricsFor(size), size, kNavy, kYellow));
    }
    return icon;
}

IndexedImage AppImage32() {
    const InkMask product = RenderText("DATRELLE", kAppNameMetrics);
    const InkMask brand = RenderText("TAVRIN", kAppNameMetrics);
    constexpr int kSize = 32;
    const int blockHeight = product.Height() + kAppLineGap + brand.Height();
    const int top = (kSize - blockHeight) / 2;
    IndexedImage image(kSize, kSize, kYellow);
    Paint(image, product, (kSize - product.Width()) / 2, top, kBlack);
    Paint(image, brand, (kSize - brand.Width()) / 2, top + product.Height() + kAppLineGap, kRed);
    return image;
}

// Eight letters cannot be read at 16 pixels, so the caption gets the initials of both names in the
// bold tray digit style.
IndexedImage AppImage16() {
    constexpr int kSize = 16;
    const Metrics metrics = DigitMetrics(kSize);
    const InkMask product = RenderText("D", metrics);
    const InkMask brand = RenderText("T", metrics);
    const int width = product.Width() + metrics.spacing + brand.Width();
    const int left = (kSize - width) / 2;
    const int top = (kSize - product.Height()) / 2;
    IndexedImage image(kSize, kSize, kYellow);
    Paint(image, product, left, top, kBlack);
    Paint(image, brand, left + product.Width() + metrics.spacing, top, kRed);
    return image;
}

}  // namespace

IndexedImage CentredText(std::string_view text, const Metrics& metrics, int size,
                         std::uint8_t ground, std::uint8_t ink) {
    const InkMask mask = RenderText(text, metrics);
    if (mask.Width() > size || mask.Height() > size) {
        throw std::length_error("\"" + std::string(text) + "\" does not fit in " +
                                std::to_string(size) + " pixels");
    }
    IndexedImage image(size, size, ground);
    Paint(image, mask, (size - mask.Width()) / 2, (size - mask.Height()) / 2, ink);
    return image;
}

std::vector<IconFile> BuildTrayIcons() {
    std::vector<IconFile> icons;
    for (int day = 1; day <= kDaysInLongestMonth; ++day) {
        icons.push_back(TrayIcon(NumberedName("day", day), std::to_string(day), DigitMetrics));
    }
    for (std::size_t month = 0; month < kMonthAbbreviations.size(); ++month) {
        icons.push_back(TrayIcon(NumberedName("month", static_cast<int>(month) + 1),
                                 std::string(kMonthAbbreviations[month]), LetterMetrics));
    }
    return icons;
}

IconFile BuildAppIcon() {
    return {"app.ico", {AppImage16(), AppImage32()}};
}

std::vector<IconFile> BuildAllIcons() {
    std::vector<IconFile> icons = BuildTrayIcons();
    icons.push_back(BuildAppIcon());
    return icons;
}

}  // namespace datrelle::icongen
