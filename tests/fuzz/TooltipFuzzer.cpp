#include <algorithm>

#include "FuzzInput.h"
#include "tray/SysTray.h"

// Whatever the regional long date is, the tooltip field holds one terminated text
// that begins with the prefix, and blanks after it.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace datrelle;
    using namespace datrelle::fuzz;
    const std::string_view longDate = AsText(data, size);

    const std::array<char, 64> tip = MakeTooltip(longDate);
    const std::string expected = std::string(kTooltipPrefix) + std::string(longDate);
    const std::size_t length = std::min<std::size_t>(expected.size(), tip.size() - 1);
    Require(std::equal(tip.begin(), tip.begin() + length, expected.begin()),
            "the field begins with the prefix and the date");
    Require(tip[length] == '\0', "the text is terminated inside the field");
    Require(std::all_of(tip.begin() + length + 1, tip.end(), [](char c) { return c == ' '; }),
            "blanks fill the rest of the field");
    return 0;
}
