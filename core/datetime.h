// Calendar date, time of day and moments as the till uses them: German
// formats (dd.MM.yyyy, hh:mm:ss), whole seconds, no time zones. Every
// moment comes from a Clock (clock.h), never from the system directly.
#pragma once

#include <compare>
#include <string>

namespace tl {

struct Date {
    int year = 1900;
    int month = 1;
    int day = 1;
    auto operator<=>(const Date&) const = default;
};

struct DateTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const DateTime&) const = default;
};

// Days since 1858-11-17 (the modified Julian day), the count Firebird stores.
int to_day_number(const Date& d);
Date from_day_number(int mjd);
Date add_days(const Date& d, int days);
// Sunday = 1 ... Saturday = 7.
int weekday(const Date& d);
bool valid_date(const Date& d);

int seconds_of_day(const DateTime& t);

// "dd.MM.yyyy"
std::string format_date(const Date& d);
// "hh:mm:ss"
std::string format_time(const DateTime& t);
// "dd.MM.yyyy hh:mm:ss": the system's short date and time format.
std::string format_datetime(const DateTime& t);
// "dd.MM.yyyy hh:mm"
std::string format_datetime_minutes(const DateTime& t);

// Parses "HH:MM" or "HH:MM:SS" into seconds of the day; -1 when invalid.
int parse_time_of_day(const std::string& text);

}  // namespace tl
