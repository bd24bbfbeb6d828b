// The server's context: the records it owns for the whole run and the
// services every operation uses. Operation classes (login and tables,
// booking, printing, ...) hold a reference to it and share state through
// its records, not through long parameter lists. Tests build one around a
// fresh database, a FixedClock and ScriptedDialogs.
#pragma once

#include <filesystem>
#include <functional>

#include "config.h"
#include "console_fields.h"
#include "dialogs.h"
#include "dispatcher_state.h"
#include "station_settings.h"
#include "till_state.h"
#include "trace.h"

namespace db {
class Database;
}

namespace tl {

// What operations ask of the window without knowing it. Every hook may be
// empty (tests, headless runs without a window).
struct ConsoleHooks {
    // The console's records changed; the window re-reads what it shows.
    std::function<void()> changed;
    // Refreshes the receipt view from the database (the receipt display of
    // the login and tables operations); used by printing, which sits below
    // the ledger.
    std::function<void()> show_receipt;
};

struct Context {
    db::Database& db;
    const Clock& clock;
    Dialogs& dialogs;
    Trace& trace;
    BookingList& bookings;
    StationSettings& settings;
    TillState& till;
    ConsoleFields& fields;
    DispatcherState& dispatch;
    Config& config;
    std::filesystem::path workdir;
    ConsoleHooks hooks;

    void meldung(const std::string& text) { trace.meldung(text); }
    void changed() const {
        if (hooks.changed) hooks.changed();
    }
};

}  // namespace tl
