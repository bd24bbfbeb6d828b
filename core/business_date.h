// The business date: bookings between midnight and the day-change time
// belong to the previous day.
#pragma once

#include <optional>
#include <string>

#include "datetime.h"

namespace tl {

// `day_change_time` is "HH:MM" (empty = "08:00"). Before it, the business
// date is yesterday, at or after it today. nullopt when the time is invalid.
std::optional<Date> business_date_at(const DateTime& now, const std::string& day_change_time);

}  // namespace tl
