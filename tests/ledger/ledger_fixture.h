// A server context around a fresh demo database for the ledger tests: a
// fixed clock (Wednesday 09.12.2026 14:05), scripted dialogs, the station's
// table group 1 and the demo company's VAT rates 19/7/0.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/database.h"
#include "ledger/booking.h"
#include "ledger/tables.h"
#include "tests/support/till_fixture.h"

namespace tltest {

class LedgerTest : public TillTest {
protected:
    void SetUp() override {
        TillTest::SetUp();
        booking.update_business_date();
    }

    void set_now(int day, int hour, int minute, int second = 0) {
        clock.set(tl::DateTime{tl::Date{2026, 12, day}, hour, minute, second});
    }

    void login(const std::string& waiter, const std::string& password) {
        fields.Edit14 = waiter;
        tables.waiter_enter();
        fields.Edit15 = password;
        tables.login();
    }
    void login(int waiter) { login(std::to_string(waiter), std::string(4, static_cast<char>('0' + waiter))); }

    void select(const std::string& table) {
        fields.Edit16 = table;
        tables.select_table();
    }
    void select(int table) { select(std::to_string(table)); }

    // What the dispatcher does for a tablet order line.
    void book(const std::string& quantity, const std::string& article, const std::string& price = "") {
        fields.Edit9 = quantity;
        fields.Edit1 = article;
        if (!price.empty()) fields.Edit2 = price;
        booking.article_enter();
    }

    // Waiter 1 at table 12.
    void start(int table = 12) {
        login(1);
        select(table);
    }

    db::Row position(long long posi) {
        auto r = db.query_first("select * from kasseb where belegnr = :belegnr and posi = :posi",
                                {{"belegnr", till.receipt_no}, {"posi", posi}});
        EXPECT_TRUE(r) << "no position " << posi;
        return r ? *r : db::Row(std::make_shared<std::vector<std::string>>(), {});
    }
    db::Row table_row(long long table) {
        return *db.query_first("select * from tisch where tischnr = :tischnr", {{"tischnr", table}});
    }
    std::vector<std::string> messages() { return take_trace(); }

    tl::Tables tables{ctx};
    tl::Booking booking{ctx, tables};
};

}  // namespace tltest
