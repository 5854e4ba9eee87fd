#include "win32/Win32Calendar.h"

#include <windows.h>

namespace datrelle::win32 {
namespace {

std::string FormatDate(const CivilDate& date, DWORD flags) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    char text[128];
    const int length = GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, nullptr, text,
                                      static_cast<int>(sizeof text));
    // A format that cannot be produced gives an empty text rather than a wrong one.
    return length > 0 ? std::string(text, static_cast<std::size_t>(length - 1)) : std::string();
}

}  // namespace

CivilDate Win32Calendar::Today() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::string Win32Calendar::LongDate(const CivilDate& date) const {
    return FormatDate(date, DATE_LONGDATE);
}

std::string Win32Calendar::ShortDate(const CivilDate& date) const {
    return FormatDate(date, DATE_SHORTDATE);
}

}  // namespace datrelle::win32
