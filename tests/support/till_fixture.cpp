#include "tests/support/till_fixture.h"

#include "catalogue/catalogue.h"
#include "core/business_date.h"

namespace tltest {

TillTest::TillTest() : clock(tl::DateTime{{2026, 12, 9}, 14, 5, 0}) {}

void TillTest::SetUp() {
    DemoDatabaseTest::SetUp();
    tl::set_catalogue_language(1);
    settings.table_group = "1";
    settings.vat_rate_a = 19;
    settings.vat_rate_b = 7;
    settings.vat_rate_c = 0;
    settings.currency = "EUR";
    settings.business_date = *tl::business_date_at(clock.now(), settings.day_change_time);
    till.vat_rate = settings.vat_rate_a;
    ctx = std::make_unique<tl::Context>(tl::Context{db, clock, dialogs, trace, bookings, settings, till, fields, dispatch,
                                                    config, dir.path(), {}});
}

double TillTest::count(const std::string& sql, const db::Params& params) { return db.scalar(sql, params, "anzahl"); }

std::vector<std::string> TillTest::take_trace() {
    auto m = trace.messages();
    trace.forget_messages();
    return m;
}

}  // namespace tltest
