#pragma once

#include "platform/Calendar.h"

namespace datrelle::win32 {

// The system clock in the current time zone, and the user's regional date formats.
class Win32Calendar : public Calendar {
  public:
    std::string LongDate(const CivilDate& date) const override;
    std::string ShortDate(const CivilDate& date) const override;
    Moment Now() const override;
    LocalTime LocalTimeAt(Moment moment) const override;
    WeekRule RegionalWeeks() const override;
};

}  // namespace datrelle::win32
