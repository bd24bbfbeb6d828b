// The trace: one line per event on the server window, newest first, at most
// 101 lines (a line arriving while more than 100 are shown empties the list
// first). Each line is the message padded to 37 characters, a blank and the
// date and time. Listeners (the window, standard output of a headless run)
// see every line as it is added.
//
// The booking list: the last 30 bookings made by the server, newest first.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "clock.h"

namespace tl {

class Trace {
public:
    explicit Trace(const Clock& clock) : clock_(clock) {}

    void meldung(const std::string& text);
    void clear() { lines_.clear(); }
    // Newest first.
    const std::deque<std::string>& lines() const { return lines_; }
    // The messages without their time stamps, oldest first: what tests compare.
    const std::vector<std::string>& messages() const { return messages_; }
    void forget_messages() { messages_.clear(); }

    void add_listener(std::function<void(const std::string&)> listener) { listeners_.push_back(std::move(listener)); }

private:
    const Clock& clock_;
    std::deque<std::string> lines_;
    std::vector<std::string> messages_;
    std::vector<std::function<void(const std::string&)>> listeners_;
};

struct BookingEntry {
    std::string time;      // hh:mm:ss
    std::string waiter;
    std::string table;
    std::string receipt;
    std::string quantity;  // without decimals
    std::string article;
    std::string text;
    std::string price;     // two decimals
};

class BookingList {
public:
    static constexpr int kRows = 30;
    void add(BookingEntry e);
    // Newest first, at most 30.
    const std::deque<BookingEntry>& entries() const { return entries_; }
    void add_listener(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }

private:
    std::deque<BookingEntry> entries_;
    std::vector<std::function<void()>> listeners_;
};

}  // namespace tl
