// A till around a fresh demo database: every record of the server, a
// context over them, a FixedClock (Wednesday 09.12.2026 14:05), scripted
// dialogs and the station values of the demo station (table group 1, rates
// 19/7/0 %, EUR). Tests change settings or the clock before they act.
#pragma once

#include <memory>

#include "core/context.h"
#include "tests/support/fixture.h"

namespace tltest {

class TillTest : public DemoDatabaseTest {
protected:
    TillTest();
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
    std::unique_ptr<tl::Context> ctx;
};

}  // namespace tltest
