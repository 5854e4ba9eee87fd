// The icon resources as Windows reads them: each icon's directory lists exactly the sizes that the
// tray and the window ask for, the sizes beyond the classic four are PNG, and every image, loaded
// by Windows' own loader at its size and drawn, is the generator's picture pixel for pixel.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "icongen/IconCatalogue.h"
#include "icongen/Palette.h"
#include "resource.h"
#include "win32/Unique.h"

namespace datrelle::win32 {
namespace {

// An RT_GROUP_ICON entry: the .ico file's directory entry, with a resource id for the offset.
#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;  // 0 for 256 pixels
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct DcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

const void* ResourceData(int id, LPCSTR type) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    return found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
}

// Draws what Windows loads for `id` at exactly `size` over a colour that no icon uses, so that a
// transparent pixel shows as well as a wrong one. Colours come back as palette indices, 16 for any
// colour outside the palette.
icongen::IndexedImage LoadedPicture(int id, int size) {
    const UniqueIcon icon(static_cast<HICON>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    BITMAPINFO format{{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    RGBQUAD* pixels = nullptr;
    const Unique<HBITMAP, GdiDeleter> canvas(CreateDIBSection(
        nullptr, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0));
    const Unique<HDC, DcDeleter> dc(CreateCompatibleDC(nullptr));  // released before the canvas
    SelectObject(dc.get(), canvas.get());
    std::fill_n(pixels, size * size, RGBQUAD{0x12, 0x34, 0x56, 0});
    EXPECT_TRUE(DrawIconEx(dc.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL)) << size;
    GdiFlush();
    icongen::IndexedImage picture(size, size, 0);
    for (int i = 0; i < size * size; ++i) {
        const icongen::Rgb colour{pixels[i].rgbRed, pixels[i].rgbGreen, pixels[i].rgbBlue};
        const auto index = std::ranges::find(icongen::kPalette, colour) - icongen::kPalette.begin();
        picture.Set(i % size, i / size, static_cast<std::uint8_t>(index));
    }
    return picture;
}

TEST(IconResourcesTest, EachIconHoldsItsSizesAndWindowsLoadsTheGeneratorsPictures) {
    // The tray's small-icon sizes from 100 to 400 per cent; the window's, and Explorer's up to its
    // jumbo size. The classic four stay bitmaps for readers that know no PNG.
    const std::vector<int> kTraySizes = {16, 20, 24, 28, 32, 36, 40, 48, 64};
    const std::vector<int> kAppSizes = {16, 20, 24, 32, 48, 64, 256};
    constexpr int kBitmapSizes[] = {16, 20, 24, 32};

    const auto icons = icongen::BuildAllIcons();
    ASSERT_EQ(icons.size(), 44u) << "31 days, 12 months and the program's own";
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const int id = number <= 31   ? IDI_DAY_BASE + number
                       : number <= 43 ? IDI_MONTH_BASE + number - 31
                                      : IDI_APP;
        const std::vector<int>& sizes = id == IDI_APP ? kAppSizes : kTraySizes;
        SCOPED_TRACE(icons[i].name);
        const auto* group = static_cast<const WORD*>(ResourceData(id, RT_GROUP_ICON));
        ASSERT_NE(group, nullptr);
        std::vector<int> listed;
        for (const auto& entry :
             std::span(reinterpret_cast<const GroupIconEntry*>(group + 3), group[2])) {
            listed.push_back(entry.width == 0 ? 256 : entry.width);
            EXPECT_TRUE(entry.height == entry.width && entry.colours == 16 && entry.planes == 1 &&
                        entry.bitsPerPixel == 4);
            const bool png = std::memcmp(ResourceData(entry.id, RT_ICON), "\x89PNG", 4) == 0;
            EXPECT_EQ(png, std::ranges::count(kBitmapSizes, listed.back()) == 0) << listed.back();
        }
        ASSERT_EQ(listed, sizes);
        ASSERT_EQ(icons[i].images.size(), sizes.size());
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            EXPECT_TRUE(LoadedPicture(id, sizes[k]) == icons[i].images[k]) << "at " << sizes[k];
        }
    }
}

}  // namespace
}  // namespace datrelle::win32
