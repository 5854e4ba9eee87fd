#pragma once

#include <string>

namespace datrelle {

struct CivilDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31

    bool operator==(const CivilDate&) const = default;
};

// Today's local date and the user's regional date forms.
class Calendar {
  public:
    virtual ~Calendar() = default;

    virtual CivilDate Today() const = 0;
    // The date in the long and short forms of the user's regional settings, as text
    // in the system's ANSI code page.
    virtual std::string LongDate(const CivilDate& date) const = 0;
    virtual std::string ShortDate(const CivilDate& date) const = 0;
};

}  // namespace datrelle
