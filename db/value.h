// Values that cross the database boundary: NULL, whole numbers, floating
// point numbers, Windows-1252 texts and dialect-1 dates (date and time).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/datetime.h"

namespace db {

struct Null {
    bool operator==(const Null&) const = default;
};

using Value = std::variant<Null, std::int64_t, double, std::string, tl::DateTime>;

// A named parameter. Integral arguments become whole numbers, `const char*`
// becomes text.
struct Param {
    std::string name;
    Value value;

    Param(std::string n, Null) : name(std::move(n)), value(Null{}) {}
    Param(std::string n, std::int64_t v) : name(std::move(n)), value(v) {}
    Param(std::string n, long long v) : name(std::move(n)), value(static_cast<std::int64_t>(v)) {}
    Param(std::string n, int v) : name(std::move(n)), value(static_cast<std::int64_t>(v)) {}
    Param(std::string n, double v) : name(std::move(n)), value(v) {}
    Param(std::string n, std::string v) : name(std::move(n)), value(std::move(v)) {}
    Param(std::string n, const char* v) : name(std::move(n)), value(std::string(v)) {}
    Param(std::string n, tl::DateTime v) : name(std::move(n)), value(v) {}
    Param(std::string n, tl::Date v) : name(std::move(n)), value(tl::DateTime{v, 0, 0, 0}) {}
};

using Params = std::vector<Param>;

}  // namespace db
