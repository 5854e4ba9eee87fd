#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Every key of the settings file as data: its section, the literals used to read and
// to write it (three differ in letter case, which the file does not notice), and the
// forms of its value. Start-up walks kReadOrder, shutdown walks kWriteOrder.

namespace datrelle {

inline constexpr std::string_view kViewSection = "View";
inline constexpr std::string_view kSettingsSection = "Settings";

enum class SettingKey {
    Top,
    Left,
    Height,
    Width,
    LastURL,
    AutoStart,
    ShowMonth,
    AutoHide,
    DateFormat,
    WeatherAppPath,
    StartWeather,
    AppToRun,
    AppDelay,
};

// How the stored text becomes a value: a single-precision number (window measures), a
// 16-bit integer (check states, DateFormat, AppDelay), or the text itself.
enum class ReadAs { Number, Integer, Text };

// How a value becomes the stored text; Never for the key that is only read.
enum class WriteAs { BlankSigned, PlainInteger, Text, Never };

struct SettingKeyInfo {
    SettingKey key;
    std::string_view section;
    std::string_view readName;
    std::string_view writeName;  // empty when the key is never written
    ReadAs readAs;
    WriteAs writeAs;
};

// One entry per key, in the order of SettingKey.
inline constexpr std::array<SettingKeyInfo, 13> kSettingKeys{{
    {SettingKey::Top, kViewSection, "Top", "Top", ReadAs::Number, WriteAs::BlankSigned},
    {SettingKey::Left, kViewSection, "Left", "Left", ReadAs::Number, WriteAs::BlankSigned},
    {SettingKey::Height, kViewSection, "Height", "Height", ReadAs::Number, WriteAs::BlankSigned},
    {SettingKey::Width, kViewSection, "Width", "Width", ReadAs::Number, WriteAs::BlankSigned},
    {SettingKey::LastURL, kViewSection, "Last URL", "Last URL", ReadAs::Text, WriteAs::Text},
    {SettingKey::AutoStart, kSettingsSection, "Auto Start", "Auto Start", ReadAs::Integer,
     WriteAs::PlainInteger},
    {SettingKey::ShowMonth, kSettingsSection, "Show Month", "Show Month", ReadAs::Integer,
     WriteAs::PlainInteger},
    {SettingKey::AutoHide, kSettingsSection, "Auto hide", "Auto hide", ReadAs::Integer,
     WriteAs::PlainInteger},
    {SettingKey::DateFormat, kSettingsSection, "date format", "Date format", ReadAs::Integer,
     WriteAs::BlankSigned},
    {SettingKey::WeatherAppPath, kSettingsSection, "Nimbrel App path", "", ReadAs::Text,
     WriteAs::Never},
    {SettingKey::StartWeather, kSettingsSection, "Start Weather", "Start weather", ReadAs::Integer,
     WriteAs::BlankSigned},
    {SettingKey::AppToRun, kSettingsSection, "App to Run", "App to run", ReadAs::Text,
     WriteAs::Text},
    {SettingKey::AppDelay, kSettingsSection, "Milliseconds before starting App",
     "Milliseconds before starting App", ReadAs::Integer, WriteAs::BlankSigned},
}};

// Start-up reads "Last URL" last, after the "Settings" section.
inline constexpr std::array<SettingKey, 13> kReadOrder{
    SettingKey::Top,          SettingKey::Left,       SettingKey::Height,
    SettingKey::Width,        SettingKey::AutoStart,  SettingKey::ShowMonth,
    SettingKey::AutoHide,     SettingKey::DateFormat, SettingKey::WeatherAppPath,
    SettingKey::StartWeather, SettingKey::AppToRun,   SettingKey::AppDelay,
    SettingKey::LastURL,
};

// Shutdown writes section by section, so a new file holds "View" then "Settings".
inline constexpr std::array<SettingKey, 12> kWriteOrder{
    SettingKey::Top,        SettingKey::Left,         SettingKey::Height,    SettingKey::Width,
    SettingKey::LastURL,    SettingKey::AutoStart,    SettingKey::ShowMonth, SettingKey::AutoHide,
    SettingKey::DateFormat, SettingKey::StartWeather, SettingKey::AppToRun,  SettingKey::AppDelay,
};

static_assert(
    [] {
        for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
            if (kSettingKeys[i].key != static_cast<SettingKey>(i)) {
                return false;
            }
        }
        return true;
    }(),
    "KeyInfo looks entries up by position");

constexpr const SettingKeyInfo& KeyInfo(SettingKey key) {
    return kSettingKeys[static_cast<std::size_t>(key)];
}

// A value as the program holds it: float for ReadAs::Number, std::int16_t for
// ReadAs::Integer, text for ReadAs::Text.
using SettingValue = std::variant<float, std::int16_t, std::string>;

// The stored text as the key reads it; nullopt when it cannot be converted (a number
// out of range), in which case the target keeps the value it has.
std::optional<SettingValue> ParseSetting(const SettingKeyInfo& info, std::string_view text);

// The text to store for a value of the key's kind; nullopt for a key that is never
// written or a value of another kind.
std::optional<std::string> FormatSetting(const SettingKeyInfo& info, const SettingValue& value);

}  // namespace datrelle
