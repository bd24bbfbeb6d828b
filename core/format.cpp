#include "format.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstdlib>

namespace tl {

namespace {

std::string_view trim(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string format_amount(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    std::string s = buf;
    if (s == "-0.00") s = "0.00";
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::string format_quantity(double value) {
    std::string s = format_amount(value);
    if (s.size() >= 3 && s.compare(s.size() - 3, 3, ",00") == 0) s.resize(s.size() - 3);
    return s;
}

std::string format_whole(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", std::round(value));
    std::string s = buf;
    if (s == "-0") s = "0";
    return s;
}

std::string format_number(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

std::optional<double> parse_number(std::string_view text) {
    std::string_view t = trim(text);
    if (t.empty()) return std::nullopt;
    std::string s;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') s += t[i++];
    bool digits = false;
    while (i < t.size() && is_digit(t[i])) { s += t[i++]; digits = true; }
    if (i < t.size() && t[i] == ',') {
        s += '.';
        ++i;
        while (i < t.size() && is_digit(t[i])) { s += t[i++]; digits = true; }
    }
    if (!digits) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        s += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) s += t[i++];
        bool exp_digits = false;
        while (i < t.size() && is_digit(t[i])) { s += t[i++]; exp_digits = true; }
        if (!exp_digits) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    errno = 0;
    double v = std::strtod(s.c_str(), nullptr);
    if (errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<long long> parse_integer(std::string_view text) {
    std::string_view t = trim(text);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    bool neg = false;
    if (t[i] == '+' || t[i] == '-') neg = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (!is_digit(t[i])) return std::nullopt;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL) return std::nullopt;  // the till's integers are 32 bits
    }
    if (v > 2147483647LL + (neg ? 1 : 0)) return std::nullopt;
    return neg ? -v : v;
}

double number_or_zero(std::string_view text) { return parse_number(text).value_or(0.0); }

long long round_half_even(double value) { return static_cast<long long>(std::nearbyint(value)); }

std::string pad_left(std::string_view text, int width, char fill) {
    std::string s(text);
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), fill);
    return s;
}

std::string pad_right(std::string_view text, int width, char fill) {
    std::string s(text);
    if (static_cast<int>(s.size()) < width) s.append(width - s.size(), fill);
    return s;
}

std::string spaces(int count) { return std::string(count > 0 ? count : 0, ' '); }

std::string dashes(int count) { return std::string(count > 0 ? count : 0, '-'); }

std::vector<std::string> text_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    for (;;) {
        const size_t cr = text.find('\r', pos);
        if (cr == std::string::npos) break;
        lines.push_back(text.substr(pos, cr - pos));
        pos = std::min(cr + 2, text.size());
    }
    if (pos < text.size()) lines.push_back(text.substr(pos));
    return lines;
}

std::string remove_first(std::string text, std::string_view what) {
    auto pos = text.find(what);
    if (pos != std::string::npos) text.erase(pos, what.size());
    return text;
}

}  // namespace tl
