#include "business_date.h"

namespace tl {

std::optional<Date> business_date_at(const DateTime& now, const std::string& day_change_time) {
    const std::string t = day_change_time.empty() ? "08:00" : day_change_time;
    const int change = parse_time_of_day(t + ":00");
    if (change < 0) return std::nullopt;
    if (seconds_of_day(now) >= change) return now.date;
    return add_days(now.date, -1);
}

}  // namespace tl
