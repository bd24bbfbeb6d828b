// One row of a query, read by column alias (case-insensitive). NULL reads as
// the empty text, 0 or the zero date, so callers are null-safe by default and
// ask is_null() where NULL means something of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/value.h"

namespace db {

class Row {
public:
    Row(std::shared_ptr<const std::vector<std::string>> names, std::vector<Value> values)
        : names_(std::move(names)), values_(std::move(values)) {}

    bool has(std::string_view column) const { return index_of(column) >= 0; }
    bool is_null(std::string_view column) const;
    const Value& value(std::string_view column) const;

    // Text: texts as stored (CHAR padding removed), numbers in C notation.
    std::string text(std::string_view column) const;
    double number(std::string_view column) const;
    // Whole numbers; a floating-point value is rounded to the nearest integer.
    std::int64_t integer(std::string_view column) const;
    tl::DateTime datetime(std::string_view column) const;

    const std::vector<std::string>& columns() const { return *names_; }
    const std::vector<Value>& values() const { return values_; }

private:
    int index_of(std::string_view column) const;
    int require(std::string_view column) const;

    std::shared_ptr<const std::vector<std::string>> names_;
    std::vector<Value> values_;
};

using Rows = std::vector<Row>;

}  // namespace db
