// Test contexts: every record of the server and a Context over them around
// a fresh database, with a FixedClock (Wednesday 09.12.2026 14:05) and
// scripted dialogs. TillTest adds the demo master data and the station
// values of the demo station (table group 1, rates 19/7/0 %, EUR). Tests
// change settings or the clock before they act.
#pragma once

#include "core/context.h"
#include "tests/support/fixture.h"

namespace tltest {

class ContextTest : public DatabaseTest {
protected:
    explicit ContextTest(bool demo = false) : DatabaseTest(demo) {}
    void SetUp() override;

    // Rows of `sql` counted under the alias anzahl.
    double count(const std::string& sql, const db::Params& params = {});
    // The trace messages (without time stamps) written since the last call.
    std::vector<std::string> take_trace();

    tl::FixedClock clock;
    tl::ScriptedDialogs dialogs;
    tl::Trace trace{clock};
    tl::BookingList bookings;
    tl::StationSettings settings;
    tl::TillState till;
    tl::ConsoleFields fields;
    tl::DispatcherState dispatch;
    tl::Config config;
    tl::Context ctx{db, clock, dialogs, trace, bookings, settings, till, fields, dispatch, config, dir.path(), {}};
};

class TillTest : public ContextTest {
protected:
    TillTest() : ContextTest(true) {}
    void SetUp() override;
    // The demo printers (receipt lpt1, kitchen lpt2, bar lpt3) as the files
    // bon.txt, kueche.txt and bar.txt of the working directory, unpaced.
    void map_demo_printers();
};

}  // namespace tltest
