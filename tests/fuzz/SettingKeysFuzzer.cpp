#include "FuzzInput.h"
#include "settings/SettingKeys.h"

// Every key reads any stored text, and what is written reads back: integers and texts
// unchanged, numbers settling by the second write, so settings do not drift from one
// run to the next.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace datrelle;
    using namespace datrelle::fuzz;
    if (size == 0) {
        return 0;
    }
    const SettingKeyInfo& info = kSettingKeys[data[0] % kSettingKeys.size()];
    const std::string_view text = AsText(data + 1, size - 1);

    const auto value = ParseSetting(info, text);
    if (!value) {
        Require(info.readAs != ReadAs::Text, "a text key reads any text");
        return 0;
    }
    const auto written = FormatSetting(info, *value);
    Require(written.has_value() == (info.writeAs != WriteAs::Never),
            "every written key formats its own value");
    if (!written) {
        return 0;
    }
    const auto reread = ParseSetting(info, *written);
    Require(reread.has_value(), "written text reads back");
    const auto rewritten = FormatSetting(info, *reread);
    if (info.readAs != ReadAs::Number) {
        Require(*reread == *value, "written integer or text reads back exactly");
        Require(rewritten == written, "written text reads back to the same text");
        return 0;
    }
    // Seven digits may name a neighbouring float near a power of ten ("1E+28" reads as
    // 9.999999E+27); one more write must settle it.
    Require(rewritten.has_value(), "a read-back number is written");
    const auto settled = ParseSetting(info, *rewritten);
    Require(settled.has_value() && FormatSetting(info, *settled) == rewritten,
            "written number settles after one more write");
    return 0;
}
