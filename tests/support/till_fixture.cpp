#include "tests/support/till_fixture.h"

#include "catalogue/catalogue.h"
#include "core/business_date.h"
#include "db/database.h"

namespace tltest {

void ContextTest::SetUp() {
    DatabaseTest::SetUp();
    tl::set_catalogue_language(1);
}

double ContextTest::count(const std::string& sql, const db::Params& params) { return db.scalar(sql, params, "anzahl"); }

std::vector<std::string> ContextTest::take_trace() {
    auto m = trace.messages();
    trace.forget_messages();
    return m;
}

void TillTest::SetUp() {
    ContextTest::SetUp();
    settings.table_group = "1";
    settings.vat_rate_a = 19;
    settings.vat_rate_b = 7;
    settings.vat_rate_c = 0;
    settings.currency = "EUR";
    settings.business_date = *tl::business_date_at(clock.now(), settings.day_change_time);
    till.vat_rate = settings.vat_rate_a;
}

void TillTest::map_demo_printers() {
    config.values["port.lpt1"] = "bon.txt";
    config.values["port.lpt2"] = "kueche.txt";
    config.values["port.lpt3"] = "bar.txt";
    settings.parallel_line_pause_ms = 0;
    settings.default_kitchen_printer = "2";
    settings.pc_number = 1;
}

}  // namespace tltest
