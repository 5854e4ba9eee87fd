// Every parser of the program on one input: the settings file's values for every key,
// the notes file loader with its encodings, the path split and the tooltip. A failed property
// aborts, so libFuzzer keeps the input.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FakePlatform.h"
#include "launch/ModParse.h"
#include "settings/SettingKeys.h"
#include "text/Unicode.h"
#include "tray/SysTray.h"
#include "viewer/TextEncoding.h"
#include "viewer/TextFileLoader.h"

using namespace datrelle;

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

// What is written reads back: integers and texts unchanged, numbers within their
// seventh digit and settled by the second write, so settings never drift.
void CheckSetting(const SettingKeyInfo& info, const SettingValue& value) {
    const auto written = FormatSetting(info, value);
    Require(written.has_value() == (info.writeAs != WriteAs::Never), "a written key formats");
    if (!written) {
        return;
    }
    const auto reread = ParseSetting(info, *written);
    Require(reread.has_value(), "written text reads back");
    const auto rewritten = FormatSetting(info, *reread);
    if (const float* number = std::get_if<float>(&value)) {
        const float back = std::get<float>(*reread);
        Require(std::fabs(back - *number) <= std::fabs(*number) * 1e-6f + 1e-38f, "close");
        Require(std::trunc(*number) != *number || std::fabs(*number) > 9999999 || back == *number,
                "a whole number of seven digits reads back exactly");
        Require(FormatSetting(info, *ParseSetting(info, *rewritten)) == rewritten, "settles");
    } else {
        Require(*reread == value && rewritten == written, "reads back exactly");
    }
}

// The loader's line rules, plainly: lines end at CR or CR LF and are joined with CR LF;
// no line end before the first text (leading empty lines go), and the last one goes.
std::string Lines(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool lineEnd = bytes[i] == '\r';
        text += lineEnd ? (text.empty() ? "" : "\r\n") : std::string(1, bytes[i]);
        i += lineEnd && bytes.substr(i + 1).starts_with('\n');
    }
    return text.ends_with("\r\n") ? text.substr(0, text.size() - 2) : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const SettingKeyInfo& info : kSettingKeys) {
        const auto value = ParseSetting(info, text);
        Require(value.has_value() || info.readAs != ReadAs::Text, "a text key reads any text");
        if (value) {
            CheckSetting(info, *value);
        }
    }
    if (size >= sizeof(float)) {  // values no text in the corpus spells
        float raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            CheckSetting(KeyInfo(SettingKey::Top), raw);
        }
    }

    fakes::FakePlatform fake;
    fake.AddFile("C:\\n.txt", text);
    const auto decoded = DecodeText(std::string(text), fake);
    const auto loaded = LoadTextFile(fake, fake, "C:\\n.txt");
    Require(decoded && loaded && loaded->text == Lines(decoded->text) &&
                loaded->encoding == decoded->encoding,
            "the line rules apply to the characters");
    const EncodedText written = EncodeText(decoded->text, decoded->encoding, fake);
    Require(written.encoding == decoded->encoding && DecodeText(written.bytes, fake) == decoded,
            "a text is written in its file's encoding and reads back the same");

    const std::string name = GetFileName(text);
    Require(FolderPart(text) + name == text, "folder and name make the path");
    Require(name.empty() || name.substr(0, name.size() - 1).find('\\') == std::string::npos,
            "the name starts after the last backslash");

    if (text.find('\0') == std::string_view::npos) {
        const std::string tip = MakeTooltip(text);
        const std::string whole = std::string(kTooltipPrefix) + std::string(text);
        const std::size_t shown = tip.find('\0');
        Require(shown != std::string::npos && whole.starts_with(tip.substr(0, shown)) &&
                    (shown == whole.size() || Utf16Length(tip.substr(0, shown)) >= 62) &&
                    tip.find_first_not_of(' ', shown + 1) == std::string::npos &&
                    Utf16Length(tip) == kTipUnits,
                "the tooltip is the prefix and as much of the date as fits, a NUL and blanks, "
                "in 64 units");
    }

    return 0;
}
