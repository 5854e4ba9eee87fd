#include "win32/Win32Calendar.h"

#include <windows.h>

#include <string>

#include "calendar/WeekRule.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

std::string FormatDate(const CivilDate& date, DWORD flags) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    // Asked for its length first: a user's own long format may spell out more than a
    // fixed buffer holds. A regional format in another script than the system's code
    // page keeps every character this way.
    const int size = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, nullptr, 0);
    if (size <= 0) {
        return {};  // a format that cannot be produced gives an empty text, not a wrong one
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int length =
        GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, text.data(), size);
    text.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return Utf8FromWide(text);
}

}  // namespace

std::string Win32Calendar::LongDate(const CivilDate& date) const {
    return FormatDate(date, DATE_LONGDATE);
}

std::string Win32Calendar::ShortDate(const CivilDate& date) const {
    return FormatDate(date, DATE_SHORTDATE);
}

// A FILETIME counts 100-nanosecond steps from the start of 1601, in universal time.
constexpr std::int64_t kFileTimeStepsPerMillisecond = 10000;

Moment Win32Calendar::Now() const {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER steps;
    steps.LowPart = now.dwLowDateTime;
    steps.HighPart = now.dwHighDateTime;
    return static_cast<Moment>(steps.QuadPart / kFileTimeStepsPerMillisecond);
}

LocalTime Win32Calendar::LocalTimeAt(Moment moment) const {
    ULARGE_INTEGER steps;
    steps.QuadPart = static_cast<ULONGLONG>(moment) * kFileTimeStepsPerMillisecond;
    const FILETIME universal{steps.LowPart, steps.HighPart};
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&universal, &utc)) {
        return {};  // beyond the year 30827: no moment the program meets
    }
    // The time zone's own rules for that moment's year, daylight saving time included
    // (the local file time functions would apply today's offset to any moment, and the
    // zone's plain rules are this year's, where a country may have changed them since).
    // SystemTimeToTzSpecificLocalTimeEx would do this in one call, but Wine 8 has only a
    // stub of it, which ends the program that calls it. Without the year's rules the
    // zone's current ones serve; should the conversion fail, the moment reads as
    // universal time.
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    TIME_ZONE_INFORMATION yearRules{};
    const bool ofTheYear = GetDynamicTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID &&
                           GetTimeZoneInformationForYear(utc.wYear, &zone, &yearRules);
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(ofTheYear ? &yearRules : nullptr, &utc, &local)) {
        local = utc;
    }
    return {
        {local.wYear, local.wMonth, local.wDay},
        ((local.wHour * 60 + local.wMinute) * 60 + local.wSecond) * 1000LL + local.wMilliseconds};
}

WeekRule Win32Calendar::RegionalWeeks() const {
    // Both are single digits; a value that cannot be read takes ISO 8601's part.
    const auto number = [](LCTYPE type) {
        DWORD value = 0;
        const int read =
            GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type | LOCALE_RETURN_NUMBER,
                            reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR));
        return read > 0 ? static_cast<int>(value) : -1;
    };
    return RegionalWeekRule(number(LOCALE_IFIRSTDAYOFWEEK), number(LOCALE_IFIRSTWEEKOFYEAR));
}

}  // namespace datrelle::win32
