// German number formats of the till: two decimals with a decimal comma, no
// thousands separator; quantities drop a ",00" ending. Reading follows the
// same rules: a decimal text with a point is not a number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

// 12.5 -> "12,50"; -0.001 -> "0,00".
std::string format_amount(double value);
// 2 -> "2", 0.5 -> "0,50", 1.5 -> "1,50".
std::string format_quantity(double value);
// Whole number without decimals, rounded half away from zero: 2.5 -> "3".
std::string format_whole(double value);
// Shortest German text of a number as the database returns it: 3 -> "3",
// 2.5 -> "2,5".
std::string format_number(double value);

// "3,80", "-2", " 7 " are numbers; "3.80", "", "abc", "1e" are not.
std::optional<double> parse_number(std::string_view text);
// Decimal integer with optional sign and surrounding blanks.
std::optional<long long> parse_integer(std::string_view text);
// Number or 0 when the text is not a number.
double number_or_zero(std::string_view text);

// Rounds half to even, as the till's Round does.
long long round_half_even(double value);

std::string pad_left(std::string_view text, int width, char fill = ' ');
std::string pad_right(std::string_view text, int width, char fill = ' ');
std::string spaces(int count);
std::string dashes(int count);
// The lines of a multi-line text as the till prints them: each piece up to
// a carriage return (the carriage return and the character after it, the
// line feed, are dropped), then the rest when it is not empty.
std::vector<std::string> text_lines(const std::string& text);

// Removes the first occurrence of `what`.
std::string remove_first(std::string text, std::string_view what);

}  // namespace tl
