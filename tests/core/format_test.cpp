#include <gtest/gtest.h>

#include "core/format.h"

namespace {

TEST(Format, AmountsQuantitiesAndWholeNumbers) {
    struct Case {
        double v;
        const char* amount;
        const char* quantity;
    } cases[] = {
        {0, "0,00", "0"},     {2, "2,00", "2"},       {0.5, "0,50", "0,50"}, {1.5, "1,50", "1,50"},
        {-3, "-3,00", "-3"},  {12.345, "12,35", "12,35"}, {-0.001, "0,00", "0"}, {1234567.8, "1234567,80", "1234567,80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tl::format_amount(c.v), c.amount) << c.v;
        EXPECT_EQ(tl::format_quantity(c.v), c.quantity) << c.v;
    }
    EXPECT_EQ(tl::format_whole(2.5), "3");
    EXPECT_EQ(tl::format_whole(3.0), "3");
    EXPECT_EQ(tl::format_number(2.5), "2,5");
    EXPECT_EQ(tl::format_number(3), "3");
}

TEST(Format, GermanNumbersAreReadWithADecimalComma) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"3,80", 3.8}, {"3", 3},   {"-2,5", -2.5}, {" 7 ", 7},   {"0,00", 0}, {",5", 0.5}, {"1e3", 1000},
        {"3.80", {}},  {"", {}},   {"abc", {}},    {"1x", {}},   {"1e", {}},  {",", {}},   {"--1", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(tl::parse_number(c.text), c.value) << c.text;
    EXPECT_EQ(tl::number_or_zero("abc"), 0);
}

TEST(Format, IntegersAreThirtyTwoBitDecimals) {
    struct Case {
        const char* text;
        std::optional<long long> value;
    } cases[] = {
        {"12", 12}, {"-3", -3}, {"+4", 4}, {" 5", 5}, {"2147483647", 2147483647LL}, {"-2147483648", -2147483648LL},
        {"2147483648", {}}, {"99999999999999999999", {}}, {"1x", {}}, {"", {}}, {"-", {}}, {"1,5", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(tl::parse_integer(c.text), c.value) << c.text;
}

TEST(Format, PaddingAndRounding) {
    EXPECT_EQ(tl::pad_left("2", 3), "  2");
    EXPECT_EQ(tl::pad_left("1234", 3), "1234");
    EXPECT_EQ(tl::pad_right("Pils", 6), "Pils  ");
    EXPECT_EQ(tl::round_half_even(2.5), 2);
    EXPECT_EQ(tl::round_half_even(3.5), 4);
    EXPECT_EQ(tl::round_half_even(0.5), 0);
    EXPECT_EQ(tl::remove_first("+47+11", "+"), "47+11");
}

}  // namespace
