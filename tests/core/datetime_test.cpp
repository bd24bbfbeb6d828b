#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/datetime.h"

namespace {

TEST(DateTime, DayNumbersWeekdaysAndFormats) {
    EXPECT_EQ(tl::to_day_number({1858, 11, 17}), 0);
    EXPECT_EQ(tl::from_day_number(tl::to_day_number({2026, 12, 9})), (tl::Date{2026, 12, 9}));
    EXPECT_EQ(tl::add_days({2026, 3, 1}, -1), (tl::Date{2026, 2, 28}));
    EXPECT_EQ(tl::add_days({2024, 3, 1}, -1), (tl::Date{2024, 2, 29}));
    EXPECT_EQ(tl::weekday({2026, 12, 6}), 1);   // Sunday
    EXPECT_EQ(tl::weekday({2026, 12, 9}), 4);   // Wednesday
    EXPECT_EQ(tl::weekday({2026, 12, 12}), 7);  // Saturday
    const tl::DateTime t{{2026, 12, 9}, 14, 5, 7};
    EXPECT_EQ(tl::format_date(t.date), "09.12.2026");
    EXPECT_EQ(tl::format_time(t), "14:05:07");
    EXPECT_EQ(tl::format_datetime(t), "09.12.2026 14:05:07");
    EXPECT_EQ(tl::format_datetime_minutes(t), "09.12.2026 14:05");
    EXPECT_FALSE(tl::valid_date({2026, 2, 30}));
}

TEST(DateTime, TimesOfDay) {
    EXPECT_EQ(tl::parse_time_of_day("08:00"), 8 * 3600);
    EXPECT_EQ(tl::parse_time_of_day("08:00:30"), 8 * 3600 + 30);
    EXPECT_EQ(tl::parse_time_of_day("24:00"), -1);
    EXPECT_EQ(tl::parse_time_of_day("abc"), -1);
    EXPECT_EQ(tl::parse_time_of_day(""), -1);
}

TEST(Clock, FixedClockAdvancesOverMidnight) {
    tl::FixedClock clock(tl::DateTime{{2026, 12, 31}, 23, 59, 30});
    clock.advance_seconds(45);
    EXPECT_EQ(clock.now(), (tl::DateTime{{2027, 1, 1}, 0, 0, 15}));
    clock.advance_seconds(-30);
    EXPECT_EQ(clock.now(), (tl::DateTime{{2026, 12, 31}, 23, 59, 45}));
}

}  // namespace
