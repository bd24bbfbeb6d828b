#include "jobs/message.h"

namespace tl {

Message Message::split(std::string_view puffer) {
    Message m;
    size_t pos = 0;
    while (static_cast<int>(m.fields_.size()) < kMaxFields) {
        const size_t semi = puffer.find(';', pos);
        if (semi == std::string_view::npos) {
            m.fields_.emplace_back(puffer.substr(pos));
            break;
        }
        m.fields_.emplace_back(puffer.substr(pos, semi - pos));
        pos = semi + 1;
    }
    return m;
}

const std::string& Message::field(int n) const {
    static const std::string empty;
    if (n < 1 || n > field_count()) return empty;
    return fields_[n - 1];
}

char Message::command() const { return field(1).empty() ? 0 : field(1)[0]; }

std::string Message::table() const { return field(2).empty() ? "0" : field(2); }

std::string tablet_text(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        switch (b) {
            case 195: case 226: case 130: break;
            case 164: out += '\xE4'; break;
            case 188: out += '\xFC'; break;
            case 182: out += '\xF6'; break;
            case 132: out += '\xC4'; break;
            case 156: out += '\xDC'; break;
            case 150: out += '\xD6'; break;
            case 159: out += '\xDF'; break;
            case 172: out += '\x80'; break;
            default: out += static_cast<char>(b); break;
        }
    }
    return out;
}

}  // namespace tl
