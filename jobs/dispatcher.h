// The command dispatcher: after the common preamble of the job queue
// (waiter logged in, table selected), it executes the command that the first
// character of field 1 names, by filling the console's entry fields and
// triggering the console's own operations, and writes one trace line per
// command.
//
// Commands built here: D (book an article), F (free position), L (variant
// text), W (hospitality form), T (guest data), K, M, Q. The settlement,
// printing, cancellation, card-terminal and position-list commands (R, A, C,
// G, H, I, B, S, Z) are registered by the layers that own those operations
// through register_command(); until a letter is registered, and for every
// other letter, nothing is executed beyond the preamble.
#pragma once

#include <functional>
#include <map>

#include "core/context.h"
#include "jobs/message.h"
#include "ledger/booking.h"
#include "ledger/tables.h"

namespace tl {

class Dispatcher {
public:
    using Command = std::function<void(const Message&)>;

    Dispatcher(Context& ctx, Tables& tables, Booking& booking) : ctx_(ctx), tables_(tables), booking_(booking) {}

    void execute(const Message& m);
    void register_command(char letter, Command command) { commands_[letter] = std::move(command); }

    // "Tisch " + field 2 as received: the start of most trace lines.
    static std::string table_prefix(const Message& m) { return "Tisch " + m.field(2); }

private:
    void book_article(const Message& m);
    void book_free_position(const Message& m);
    void append_variant_text(const Message& m);
    void store_guest(const Message& m);

    Context& ctx_;
    Tables& tables_;
    Booking& booking_;
    std::map<char, Command> commands_;
};

}  // namespace tl
