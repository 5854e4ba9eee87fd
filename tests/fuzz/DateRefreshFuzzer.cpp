#include <algorithm>

#include "FakePlatform.h"
#include "FuzzInput.h"
#include "tray/DateRefresh.h"

// Any sequence of date changes, clicks on "Show Month Icon", taskbar re-creations and
// icon replacements: the tray never shows more than one day icon and one month icon,
// and once a date is known they are today's day, and today's month while the box is
// checked.

namespace datrelle::fuzz {
namespace {

bool IsDayWindow(WindowHandle window) {
    return window >= fakes::DayWindow(1) && window <= fakes::DayWindow(31);
}

bool IsMonthWindow(WindowHandle window) {
    return window >= fakes::MonthWindow(1) && window <= fakes::MonthWindow(12);
}

class Model {
  public:
    Model() {
        check2_.onClick = [this] { refresh_.OnCheck2Click(); };
    }

    // Each operation takes one byte, a date change three more.
    void Run(const std::uint8_t* data, std::size_t size) {
        std::size_t pos = 0;
        while (pos < size) {
            const std::uint8_t op = data[pos++];
            switch (op % 4) {
                case 0:
                    if (size - pos < 3) {
                        return;
                    }
                    fake_.calendar.today = {2000 + data[pos] % 100, 1 + data[pos + 1] % 12,
                                            1 + data[pos + 2] % 31};
                    pos += 3;
                    refresh_.RefreshDate();
                    dateKnown_ = true;
                    break;
                case 1:
                    check2_.UserClick();
                    break;
                case 2:
                    fake_.tray.shown.clear();  // a new taskbar knows no icons
                    refresh_.AddShownIconsAgain();
                    break;
                default:
                    refresh_.ReplaceShownIcons();
                    break;
            }
            Check();
        }
    }

  private:
    void Check() const {
        const auto& shown = fake_.tray.shown;
        const auto days = std::count_if(shown.begin(), shown.end(), IsDayWindow);
        const auto months = std::count_if(shown.begin(), shown.end(), IsMonthWindow);
        Require(days + months == static_cast<long>(shown.size()), "only our icons are shown");
        Require(days <= 1 && months <= 1, "at most one day icon and one month icon");
        if (!dateKnown_) {
            return;
        }
        const CivilDate today = fake_.calendar.today;
        Require(fake_.tray.Shows(fakes::DayWindow(today.day)), "today's day icon is shown");
        const bool monthWanted = check2_.Value() == CheckBox::kChecked;
        Require(fake_.tray.Shows(fakes::MonthWindow(today.month)) == monthWanted,
                "today's month icon is shown exactly while the box is checked");
    }

    fakes::FakePlatform fake_;
    SharedVariables vars_;
    SysTray tray_{fake_.platform, vars_};
    CheckBox check2_{CheckBox::kChecked};
    DateRefresh refresh_{fake_.platform, vars_, tray_, check2_};
    bool dateKnown_ = false;
};

}  // namespace
}  // namespace datrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    datrelle::fuzz::Model model;
    model.Run(data, size);
    return 0;
}
