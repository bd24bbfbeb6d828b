#include <gtest/gtest.h>

#include "core/trace.h"

namespace {

TEST(Trace, LinesArePaddedTo37AndStamped) {
    tl::FixedClock clock(tl::DateTime{{2026, 12, 9}, 14, 5, 0});
    tl::Trace trace(clock);
    trace.meldung("0123456789");
    EXPECT_EQ(trace.lines().front(), "0123456789" + std::string(27, ' ') + " 09.12.2026 14:05:00");
    const std::string fifty(50, 'x');
    trace.meldung(fifty);
    EXPECT_EQ(trace.lines().front(), fifty + " 09.12.2026 14:05:00");
    trace.meldung(std::string(36, 'y'));
    EXPECT_EQ(trace.lines().front().size(), 37u + 1 + 19);
}

TEST(Trace, The102ndLineEmptiesTheList) {
    tl::FixedClock clock;
    tl::Trace trace(clock);
    for (int i = 1; i <= 101; ++i) trace.meldung("Zeile " + std::to_string(i));
    EXPECT_EQ(trace.lines().size(), 101u);
    EXPECT_EQ(trace.lines().front().substr(0, 9), "Zeile 101");
    trace.meldung("neu");
    ASSERT_EQ(trace.lines().size(), 1u);
    EXPECT_EQ(trace.lines().front().substr(0, 3), "neu");
}

TEST(BookingList, KeepsTheLast30NewestFirst) {
    tl::BookingList list;
    for (int i = 1; i <= 31; ++i) { tl::BookingEntry e; e.receipt = std::to_string(i); list.add(e); }
    ASSERT_EQ(list.entries().size(), 30u);
    EXPECT_EQ(list.entries().front().receipt, "31");
    EXPECT_EQ(list.entries().back().receipt, "2");
}

}  // namespace
