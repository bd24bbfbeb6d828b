#include "clock.h"

#include <ctime>

namespace tl {

DateTime SystemClock::now() const {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateTime{Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void FixedClock::advance_seconds(int seconds) {
    int total = seconds_of_day(now_) + seconds;
    int days = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
    total -= days * 86400;
    now_.date = add_days(now_.date, days);
    now_.hour = total / 3600;
    now_.minute = total / 60 % 60;
    now_.second = total % 60;
}

}  // namespace tl
