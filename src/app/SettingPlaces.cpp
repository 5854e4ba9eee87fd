// Where each setting lives in the running program: what start-up gives it and what exit
// writes, both directions side by side. A new setting takes its case here and its key and
// row in settings/SettingKeys.h; the switch has no default, so the build asks for the case.

#include "app/App.h"
#include "calendar/WeekRule.h"

namespace datrelle {

App::SettingPlace App::PlaceOf(SettingKey key) {
    Window& window = platform_.window;
    const auto edge = [&window](float WindowRect::*field, void (Window::*set)(float)) {
        return SettingPlace{
            [&window, field] { return SettingValue{window.Rect().*field}; },
            [&window, set](const SettingValue& value) { (window.*set)(std::get<float>(value)); }};
    };
    // A check box refuses a state other than 0, 1 and 2 and keeps its own; a new state
    // runs the box's handler as a click would.
    const auto box = [](CheckBox& check) {
        return SettingPlace{
            [&check] { return SettingValue{static_cast<std::int16_t>(check.Value())}; },
            [&check](const SettingValue& value) { check.SetValue(std::get<std::int16_t>(value)); }};
    };
    const auto variable = []<typename T>(T& shared) {
        return SettingPlace{[&shared] { return SettingValue{shared}; },
                            [&shared](const SettingValue& value) { shared = std::get<T>(value); }};
    };
    switch (key) {
        case SettingKey::Top:
            return edge(&WindowRect::top, &Window::SetTop);
        case SettingKey::Left:
            return edge(&WindowRect::left, &Window::SetLeft);
        case SettingKey::Height:
            return edge(&WindowRect::height, &Window::SetHeight);
        case SettingKey::Width:
            return edge(&WindowRect::width, &Window::SetWidth);
        // The page the last run ended on is read; the page shown now is written.
        case SettingKey::LastURL:
            return {[this] { return SettingValue{platform_.browser.LocationURL()}; },
                    variable(vars_.LastURL).apply};
        case SettingKey::AutoStart:
            return box(form_.Check1);
        case SettingKey::ShowMonth:
            return box(form_.Check2);
        case SettingKey::AutoHide:
            return box(form_.Check3);
        case SettingKey::DateFormat:
            return variable(vars_.DateFormat);
        case SettingKey::WeatherAppPath:
            return variable(vars_.WeatherAppPath);
        case SettingKey::StartWeather:
            return box(form_.Check4);
        case SettingKey::AppToRun:
            return variable(vars_.AppToRun);
        // The delay is read; the interval start-up gave the timer, a 16-bit value, written.
        case SettingKey::AppDelay:
            return {
                [this] { return SettingValue{static_cast<std::int16_t>(form_.Timer2.Interval())}; },
                variable(vars_.AppDelay).apply};
        // Any value but the ones they know means the default: no week icon, the
        // regional rule.
        case SettingKey::ShowWeek:
            return {variable(vars_.ShowWeek).current, [this](const SettingValue& value) {
                        vars_.ShowWeek = std::get<std::int16_t>(value) == 1 ? 1 : 0;
                    }};
        case SettingKey::WeekRule:
            return {variable(vars_.WeekNumbers).current, [this](const SettingValue& value) {
                        vars_.WeekNumbers = static_cast<std::int16_t>(
                            WeekRuleSettingOf(std::get<std::int16_t>(value)));
                    }};
    }
    return {};
}

}  // namespace datrelle
