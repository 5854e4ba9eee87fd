#include "settings/SettingKeys.h"

#include "settings/ValueFormats.h"

namespace datrelle {

std::optional<SettingValue> ParseSetting(const SettingKeyInfo& info, std::string_view text) {
    switch (info.readAs) {
        case ReadAs::Number:
            if (const auto number = TextToSingle(text)) {
                return SettingValue{*number};
            }
            return std::nullopt;
        case ReadAs::Integer:
            if (const auto integer = TextToInteger(text)) {
                return SettingValue{*integer};
            }
            return std::nullopt;
        case ReadAs::Text:
            return SettingValue{std::string(text)};
    }
    return std::nullopt;
}

std::optional<std::string> FormatSetting(const SettingKeyInfo& info, const SettingValue& value) {
    const bool ofItsKind = (info.readAs == ReadAs::Number && value.index() == 0) ||
                           (info.readAs == ReadAs::Integer && value.index() == 1) ||
                           (info.readAs == ReadAs::Text && value.index() == 2);
    if (!ofItsKind) {
        return std::nullopt;
    }
    switch (info.writeAs) {
        case WriteAs::BlankSigned:
            if (const float* single = std::get_if<float>(&value)) {
                return SingleToBlankSigned(*single);
            }
            return IntegerToBlankSigned(std::get<std::int16_t>(value));
        case WriteAs::PlainInteger:
            return IntegerToPlain(std::get<std::int16_t>(value));
        case WriteAs::Text:
            return std::get<std::string>(value);
        case WriteAs::Never:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace datrelle
