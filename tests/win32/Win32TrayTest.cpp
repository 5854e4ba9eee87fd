// The program's icon resources, linked into this test program.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "resource.h"

namespace datrelle::win32 {
namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The sizes and colour depths of the images in one icon resource of the program.
std::vector<std::pair<int, int>> IconImages(int id) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    std::vector<std::pair<int, int>> images;
    for (WORD i = 0; i < count; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, data + 6 + i * sizeof entry, sizeof entry);
        images.emplace_back(entry.width, entry.bitCount);
    }
    std::sort(images.begin(), images.end());
    return images;
}

TEST(IconResourceTest, EveryIconHoldsEachTraySizeInSixteenColours) {
    const std::vector<std::pair<int, int>> expected{{16, 4}, {20, 4}, {24, 4}, {32, 4}};
    for (int day = 1; day <= 31; ++day) {
        EXPECT_EQ(IconImages(IDI_DAY_BASE + day), expected) << "day " << day;
    }
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(IconImages(IDI_MONTH_BASE + month), expected) << "month " << month;
    }
    const auto app = IconImages(IDI_APP);
    EXPECT_NE(std::find(app.begin(), app.end(), std::pair{32, 4}), app.end());
}

}  // namespace
}  // namespace datrelle::win32
