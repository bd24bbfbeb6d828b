#include "trace.h"

namespace tl {

void Trace::meldung(const std::string& text) {
    if (lines_.size() > 100) lines_.clear();
    std::string line = text;
    if (line.size() <= 36) line.append(37 - line.size(), ' ');
    line += ' ';
    line += format_datetime(clock_.now());
    lines_.push_front(line);
    messages_.push_back(text);
    if (messages_.size() > 10000) messages_.erase(messages_.begin(), messages_.begin() + 5000);
    for (auto& l : listeners_) l(line);
}

void BookingList::add(BookingEntry e) {
    entries_.push_front(std::move(e));
    if (entries_.size() > kRows) entries_.pop_back();
    for (auto& l : listeners_) l();
}

}  // namespace tl
