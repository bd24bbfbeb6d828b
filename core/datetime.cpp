#include "datetime.h"

#include <cstdio>

namespace tl {

namespace {

// Days from civil, after Howard Hinnant's algorithm; day 0 = 1970-01-01.
int days_from_civil(int y, int m, int d) {
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date civil_from_days(int z) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int y = yoe + era * 400;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp + (mp < 10 ? 3 : -9);
    return Date{y + (m <= 2), m, d};
}

constexpr int kMjdOf1970 = 40587;

}  // namespace

int to_day_number(const Date& d) { return days_from_civil(d.year, d.month, d.day) + kMjdOf1970; }

Date from_day_number(int mjd) { return civil_from_days(mjd - kMjdOf1970); }

Date add_days(const Date& d, int days) { return from_day_number(to_day_number(d) + days); }

int weekday(const Date& d) {
    // 1970-01-01 was a Thursday (5 when Sunday = 1).
    const int z = days_from_civil(d.year, d.month, d.day);
    int w = (z % 7 + 7) % 7;  // 0 = Thursday
    return (w + 4) % 7 + 1;
}

bool valid_date(const Date& d) {
    if (d.month < 1 || d.month > 12 || d.day < 1) return false;
    return civil_from_days(days_from_civil(d.year, d.month, d.day)) == d;
}

int seconds_of_day(const DateTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

std::string format_date(const Date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

std::string format_time(const DateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string format_datetime(const DateTime& t) { return format_date(t.date) + " " + format_time(t); }

std::string format_datetime_minutes(const DateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
    return format_date(t.date) + " " + buf;
}

int parse_time_of_day(const std::string& text) {
    int h = 0, m = 0, s = 0;
    char tail = 0;
    int n = std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &m, &s, &tail);
    if (n == 2 || n == 3) {
        // sscanf accepts "8:5" and leading blanks; the till writes two digits but
        // reads what the operator typed.
        if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return -1;
        if (n == 2 && text.find(':', text.find(':') + 1) != std::string::npos) return -1;
        return h * 3600 + m * 60 + s;
    }
    return -1;
}

}  // namespace tl
