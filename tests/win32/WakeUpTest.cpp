// The real program shows the new day within seconds of midnight, and at once after a
// change of the clock and after a resume from sleep, under a clock of its own:
// scripts/with-shifted-clock.sh runs this test, the program and their Wine server under
// libfaketime, with local time as universal time. Rewriting the file it names moves
// every process's clock within a second; the program's timers keep to the real one.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "Driver.h"

namespace datrelle::testing {
namespace {

constexpr std::int64_t kDay = 86400;

// Seconds since 1970 by this process's clock.
std::int64_t Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto steps = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return steps / 10000000 - 11644473600;
}

int DayOf(std::int64_t moment) {
    using namespace std::chrono;
    return static_cast<int>(unsigned(year_month_day(sys_days(days(moment / kDay))).day()));
}

// Sets every process's clock to this moment: once this process's clock shows it, the
// others' do a second later at the latest.
void SetClock(std::int64_t moment) {
    static std::int64_t shift = 0;
    shift += moment - Now();
    WriteFile(std::getenv("DATRELLE_CLOCK_SHIFT"), (shift < 0 ? "" : "+") + std::to_string(shift));
    ASSERT_TRUE(WaitUntil([moment] { return std::abs(Now() - moment) < 3; }));
    Sleep(1100);
}

TEST(WakeUpTest, TheNewDayShowsAtMidnightAfterAClockChangeAndAfterAResume) {
    ASSERT_NE(std::getenv("DATRELLE_CLOCK_SHIFT"), nullptr) << "run by with-shifted-clock.sh";
    // Started in the last seconds of a day, the program shows the next one within two
    // seconds of midnight: the refresh once a minute would first come a minute after
    // the start.
    const std::int64_t midnight = (Now() / kDay + 1) * kDay;
    SetClock(midnight - 8);
    RunningProgram program;
    ASSERT_TRUE(program.Start());
    ASSERT_LT(Now(), midnight) << "too slow a start to see midnight come";
    EXPECT_TRUE(TrayHasIcon(program.Day(DayOf(midnight - 1))));
    EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(program.Day(DayOf(midnight))); }));
    EXPECT_LE(Now() - midnight, 2);
    EXPECT_FALSE(TrayHasIcon(program.Day(DayOf(midnight - 1))));
    // The clock set three days on, then the machine asleep for three days more: the
    // new day shows as soon as Windows tells.
    for (const auto& [message, wParam] :
         {std::pair<UINT, WPARAM>{WM_TIMECHANGE, 0}, {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC}}) {
        const std::int64_t later = Now() + 3 * kDay;
        SetClock(later);
        PostMessageA(program.main(), message, wParam, 0);
        EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(program.Day(DayOf(later))); }, Ms(3000)))
            << message;
    }
}

}  // namespace
}  // namespace datrelle::testing
