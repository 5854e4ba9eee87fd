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
// forms of its value. Shutdown writes the keys in the table's order, start-up reads them
// in kReadOrder.
//
// A new setting takes its key and its row here, and its place in the running program
// (App::PlaceOf in app/SettingPlaces.cpp, a switch that the build holds to every key). The
// build also stops while the rows are out of the keys' order.

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
    ShowWeek,
    WeekRule,
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

// One entry per key, in the order of SettingKey, which is the order shutdown writes them
// in: section by section, so that a new file holds "View" then "Settings".
inline constexpr auto kSettingKeys = std::to_array<SettingKeyInfo>({
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
    // Newer than the others, so written after them: a program that does not know them
    // reads the file as before.
    {SettingKey::ShowWeek, kSettingsSection, "SHOW WEEK", "SHOW WEEK", ReadAs::Integer,
     WriteAs::PlainInteger},
    {SettingKey::WeekRule, kSettingsSection, "WEEK RULE", "WEEK RULE", ReadAs::Integer,
     WriteAs::BlankSigned},
});

static_assert(
    [] {
        for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
            const bool sectionsInTurn = i == 0 ||
                                        kSettingKeys[i - 1].section == kSettingKeys[i].section ||
                                        kSettingKeys[i].section == kSettingsSection;
            if (kSettingKeys[i].key != static_cast<SettingKey>(i) || !sectionsInTurn) {
                return false;
            }
        }
        return true;
    }(),
    "one row per key, in the order of SettingKey (KeyInfo looks rows up by position), the "
    "\"View\" section first");

// Start-up reads in the table's order but for "Last URL", which it reads last, after the
// "Settings" section.
inline constexpr auto kReadOrder = [] {
    std::array<SettingKey, kSettingKeys.size()> order{};
    std::size_t next = 0;
    for (const SettingKeyInfo& info : kSettingKeys) {
        if (info.key != SettingKey::LastURL) {
            order[next++] = info.key;
        }
    }
    order[next] = SettingKey::LastURL;
    return order;
}();

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
