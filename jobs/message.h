// The tablet message: fields separated by ";" with no quoting and no escape;
// an empty field is the empty text and a trailing ";" gives a last empty
// field. At most 12 fields are kept; fields beyond the twelfth are ignored.
// Field 1 is the command (its first character counts), 2 the table, 5 the
// waiter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Message {
public:
    static constexpr int kMaxFields = 12;

    static Message split(std::string_view puffer);

    // Field n (1-based); empty when the message has fewer fields.
    const std::string& field(int n) const;
    int field_count() const { return static_cast<int>(fields_.size()); }
    // First character of field 1, or 0 for an empty command.
    char command() const;
    // Field 2 as the table entry takes it: "0" when empty.
    std::string table() const;
    const std::string& waiter() const { return field(5); }

private:
    std::vector<std::string> fields_;
};

// Tablet text to Windows-1252: the UTF-8 forms of the German umlauts, "ß"
// and "€" become their single bytes (bytes 195, 226 and 130 are dropped, 164
// becomes "ä", 188 "ü", 182 "ö", 132 "Ä", 156 "Ü", 150 "Ö", 159 "ß", 172
// "€"); every other byte stays.
std::string tablet_text(std::string_view bytes);

}  // namespace tl
