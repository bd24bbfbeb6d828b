#include "db/row.h"

#include <cmath>
#include <cstdio>
#include <strings.h>

#include "db/error.h"

namespace db {

int Row::index_of(std::string_view column) const {
    const auto& n = *names_;
    for (size_t i = 0; i < n.size(); ++i)
        if (n[i].size() == column.size() && strncasecmp(n[i].data(), column.data(), column.size()) == 0)
            return static_cast<int>(i);
    return -1;
}

int Row::require(std::string_view column) const {
    int i = index_of(column);
    if (i < 0) throw Error("Spalte " + std::string(column) + " ist nicht im Ergebnis");
    return i;
}

bool Row::is_null(std::string_view column) const { return std::holds_alternative<Null>(values_[require(column)]); }

const Value& Row::value(std::string_view column) const { return values_[require(column)]; }

std::string Row::text(std::string_view column) const {
    const Value& v = value(column);
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", *d);
        return buf;
    }
    if (const auto* t = std::get_if<tl::DateTime>(&v)) return tl::format_datetime(*t);
    return {};
}

double Row::number(std::string_view column) const {
    const Value& v = value(column);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (s->empty()) return 0;
        char* end = nullptr;
        double d = std::strtod(s->c_str(), &end);
        if (end && *end == 0) return d;
        throw Error("Spalte " + std::string(column) + ": '" + *s + "' ist keine Zahl");
    }
    return 0;
}

std::int64_t Row::integer(std::string_view column) const {
    const Value& v = value(column);
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return static_cast<std::int64_t>(std::llround(number(column)));
}

tl::DateTime Row::datetime(std::string_view column) const {
    const Value& v = value(column);
    if (const auto* t = std::get_if<tl::DateTime>(&v)) return *t;
    return {};
}

}  // namespace db
