#include "calendar/CopyForms.h"

namespace datrelle {

std::string DateText(int dateFormat, const CivilDate& date, const WeekRule& rule,
                     const Calendar& calendar) {
    switch (dateFormat) {
        case kLongDateFormat:
            return calendar.LongDate(date);
        case kIsoDateFormat:
            return IsoDate(date);
        case kWeekFormat:
            return WeekCode(WeekOf(date, rule));
        default:
            return calendar.ShortDate(date);
    }
}

}  // namespace datrelle
