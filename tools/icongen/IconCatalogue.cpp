#include "icongen/IconCatalogue.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "icongen/InkMask.h"
#include "icongen/Palette.h"
#include "icongen/TextRaster.h"

namespace datrelle::icongen {
namespace {

constexpr int kDaysInLongestMonth = 31;
constexpr int kWeeksInLongestYear = 53;

// The week icons keep the day icons' digits, so that two-digit numbers stay as legible at 16
// pixels, and mark themselves by a bar across the top: the rows above and below the digits are
// the only room the 16-pixel square has to spare. From 28 pixels the bar is tall enough to carry a
// "W" in the capitals of a smaller month icon.
struct WeekLayout {
    int iconSize;
    int bar;       // rows of the bar
    int markSize;  // the month icon size whose capitals draw the "W"; 0 for none
};

constexpr WeekLayout kWeekLayouts[] = {
    {16, 3, 0},  {20, 4, 0},  {24, 5, 0},   {28, 8, 16},  {32, 8, 16},
    {36, 9, 20}, {40, 9, 20}, {48, 11, 20}, {64, 16, 32},
};

// The names on the window icon from 32 pixels up. At 32 they are the three-pixel capitals of the
// 16-pixel month icons, drawn taller: eight letters with one-pixel gaps only just fit across. The
// larger sizes keep that shape, with strokes as bold as eight letters across allow while their
// counters stay open.
struct AppNameLayout {
    int iconSize;
    Metrics metrics;
    int lineGap;  // between the two names
};

constexpr AppNameLayout kAppNameLayouts[] = {
    {32, {1, 1, 2, 3, 1}, 4},
    {48, {2, 1, 3, 4, 1}, 6},
    {64, {2, 2, 5, 6, 2}, 8},
    {256, {10, 6, 18, 20, 5}, 24},
};

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

// The number centred under the bar, the "W" centred in it; where the free space is odd, the extra
// pixel goes to the right and to the bottom, as in CentredText.
IndexedImage WeekImage(int week, int size) {
    const auto layout = std::ranges::find(kWeekLayouts, size, &WeekLayout::iconSize);
    if (layout == std::end(kWeekLayouts)) {
        throw std::invalid_argument("no week layout for size " + std::to_string(size));
    }
    const InkMask number = RenderText(std::to_string(week), DigitMetrics(size));
    IndexedImage image(size, size, kYellow);
    for (int y = 0; y < layout->bar; ++y) {
        for (int x = 0; x < size; ++x) {
            image.Set(x, y, kNavy);
        }
    }
    if (layout->markSize != 0) {
        const InkMask mark = RenderText("W", LetterMetrics(layout->markSize));
        Paint(image, mark, (size - mark.Width()) / 2, (layout->bar - mark.Height()) / 2, kYellow);
    }
    Paint(image, number, (size - number.Width()) / 2,
          layout->bar + (size - layout->bar - number.Height()) / 2, kNavy);
    return image;
}

IndexedImage AppNames(int size) {
    const auto layout = std::ranges::find(kAppNameLayouts, size, &AppNameLayout::iconSize);
    if (layout == std::end(kAppNameLayouts)) {
        throw std::invalid_argument("no name layout for size " + std::to_string(size));
    }
    const InkMask product = RenderText("DATRELLE", layout->metrics);
    const InkMask brand = RenderText("TAVRIN", layout->metrics);
    const int blockHeight = product.Height() + layout->lineGap + brand.Height();
    const int top = (size - blockHeight) / 2;
    IndexedImage image(size, size, kYellow);
    Paint(image, product, (size - product.Width()) / 2, top, kBlack);
    Paint(image, brand, (size - brand.Width()) / 2, top + product.Height() + layout->lineGap, kRed);
    return image;
}

// Eight letters cannot be read below 32 pixels, so the small sizes get the initials of both names
// in the bold tray digit style.
IndexedImage AppMonogram(int size) {
    const Metrics metrics = DigitMetrics(size);
    const InkMask product = RenderText("D", metrics);
    const InkMask brand = RenderText("T", metrics);
    const int width = product.Width() + metrics.spacing + brand.Width();
    const int left = (size - width) / 2;
    const int top = (size - product.Height()) / 2;
    IndexedImage image(size, size, kYellow);
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

std::vector<IconFile> BuildWeekIcons() {
    std::vector<IconFile> icons;
    for (int week = 1; week <= kWeeksInLongestYear; ++week) {
        IconFile icon{NumberedName("week", week), {}};
        for (const int size : kTraySizes) {
            icon.images.push_back(WeekImage(week, size));
        }
        icons.push_back(std::move(icon));
    }
    return icons;
}

IconFile BuildAppIcon() {
    IconFile icon{"app.ico", {}};
    for (const int size : kAppSizes) {
        icon.images.push_back(size < 32 ? AppMonogram(size) : AppNames(size));
    }
    return icon;
}

std::vector<IconFile> BuildAllIcons() {
    std::vector<IconFile> icons = BuildTrayIcons();
    std::ranges::move(BuildWeekIcons(), std::back_inserter(icons));
    icons.push_back(BuildAppIcon());
    return icons;
}

}  // namespace datrelle::icongen
