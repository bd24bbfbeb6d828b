// Waiter login, table selection under its rules, the receipt view and its
// sums, closing a receipt with tips and split parts, freeing a table, the
// table lists with reservations, guest name, kitchen comment and log out,
// against the embedded engine with the demo data.
#include <gtest/gtest.h>

#include <map>

#include "tests/ledger/ledger_fixture.h"

namespace {

using tltest::LedgerTest;

class Tables : public LedgerTest {
protected:
    // A receipt of another program on table `table`: positions given as
    // (posi, bestellnr, splittnr, preis, status, abgerechnet, buart).
    struct Pos {
        int posi, bestellnr, splittnr;
        double preis;
        const char* status;
        const char* abgerechnet;
        const char* buart;
    };
    void foreign_receipt(int table, long long receipt, int bestellnr, const char* statust, double summe,
                         const std::vector<Pos>& positions) {
        db.execute("update tisch set status = 'B', kellnernr = 1, belegnr = :b, bestellnr = :n, statust = :s, summe = :summe "
                   "where tischnr = :t",
                   {{"b", receipt}, {"n", bestellnr}, {"s", statust}, {"summe", summe}, {"t", table}});
        // NULL where the case gives none: rows of other programs.
        auto lit = [](const char* v) { return v ? "'" + std::string(v) + "'" : std::string("null"); };
        for (const auto& p : positions)
            db.execute("insert into kasseb (kassenr, datum, belegnr, posi, bestellnr, splittnr, artikelnummer, preis, "
                       "epreis, menge, menged, text, tischnr, status, abgerechnet, buart, anzeige, kassierer) values (1, "
                       "'09.12.2026', :b, :posi, :n, :sp, '11', :preis, :preis, 1, 1, 'Pils 0,5l', :t, " +
                           lit(p.status) + ", " + lit(p.abgerechnet) + ", " + lit(p.buart) + ", null, '1')",
                       {{"b", receipt}, {"posi", p.posi}, {"n", p.bestellnr}, {"sp", p.splittnr}, {"preis", p.preis},
                        {"t", table}});
        db.commit();
    }
};

TEST_F(Tables, LoginByPasswordAndByWaiterLock) {
    struct Case {
        const char* waiter;
        const char* password;
        const char* message;  // "" = logged in
        long long waiter_no;
        const char* waiter_field;
    } cases[] = {
        {"1", "1111", "", 1, "1"},
        {"102", "riegelx59", "", 2, "2"},
        {"999", "riegelx59", "Kellnernummer falsch !", 0, "999"},
        {"99", "9999", "Kellnernummer falsch !", 0, "99"},
        {"1", "0000", "Passwort falsch !", 0, "1"},
        {"1", "", "Passwort falsch !", 0, "1"},
        {"4", "4444", "Kellner gesperrt !", 0, "4"},
        {"104", "riegelx59", "Kellner gesperrt !", 0, "104"},
        {"abc", "1111", "Kellnernummer falsch !", 0, "abc"},
        {"", "1111", "Kellnernummer falsch !", 0, ""},
    };
    for (const auto& c : cases) {
        till = {};
        fields = {};
        login(c.waiter, c.password);
        const auto m = messages();
        if (*c.message)
            EXPECT_EQ(m, std::vector<std::string>{c.message}) << c.waiter << "/" << c.password;
        else
            EXPECT_TRUE(m.empty()) << c.waiter << "/" << c.password;
        EXPECT_EQ(till.waiter_no, c.waiter_no) << c.waiter;
        EXPECT_EQ(fields.Edit14, c.waiter_field) << c.waiter;
        EXPECT_EQ(fields.work_pages_visible, !*c.message) << c.waiter;
    }
}

TEST_F(Tables, LoginSetsWaiterShowsExportPageAndOwnTables) {
    till.table_no = 7;
    till.receipt_no = 55;
    login("3", "3333");
    EXPECT_EQ(till.waiter_no, 3);
    EXPECT_EQ(till.waiter_name, "Jörg");
    EXPECT_EQ(till.storno_level, 1);
    EXPECT_EQ(fields.work_page, "PDA");
    EXPECT_TRUE(fields.table_entry_visible);
    // Table 20 belongs to regular waiter 2; table 101 is another group.
    std::vector<long long> own;
    for (const auto& t : tables.shown_tables()) own.push_back(t.tischnr);
    EXPECT_EQ(own, (std::vector<long long>{1, 2, 3, 4, 5, 10, 11, 12, 30, 40}));
    EXPECT_EQ(till.table_no, 7);
    EXPECT_EQ(till.receipt_no, 55);
}

TEST_F(Tables, SelectionRulesRegularWaiterAndOccupiedByAnother) {
    struct Case {
        int skellner, kellnernr;
        const char* status;
        bool foreign_tables;
        const char* message;  // "" = accepted
    } cases[] = {
        {2, 0, "F", false, "Tisch gehört anderem Stammkellner !"},
        {2, 0, "F", true, "Tisch gehört anderem Stammkellner !"},
        {2, 1, "B", false, ""},
        {2, 3, "B", true, "Tisch gehört anderem Stammkellner !"},
        {1, 0, "F", false, ""},
        {0, 3, "F", false, ""},
        {0, 3, "B", false, "Tisch gehört anderem Kellner !"},
        {0, 3, "B", true, ""},
        {1, 3, "B", false, "Tisch gehört anderem Kellner !"},
        {0, 1, "B", false, ""},
    };
    login(1);
    for (const auto& c : cases) {
        db.execute("update tisch set skellner = :s, kellnernr = :k, status = :st, belegnr = 900 where tischnr = 5",
                   {{"s", c.skellner}, {"k", c.kellnernr}, {"st", c.status}});
        db.commit();
        settings.foreign_tables = c.foreign_tables;
        select(1);
        ASSERT_TRUE(tables.selection_ok());
        till.selection_failed = false;
        messages();
        select(5);
        const bool accepted = !*c.message;
        const std::string label = std::to_string(c.skellner) + "/" + std::to_string(c.kellnernr) + "/" + c.status +
                                  (c.foreign_tables ? " fremd" : "");
        EXPECT_EQ(messages(), accepted ? std::vector<std::string>{} : std::vector<std::string>{c.message}) << label;
        EXPECT_EQ(till.table_refused, !accepted) << label;
        EXPECT_EQ(till.selection_failed, !accepted) << label;
        EXPECT_EQ(tables.selection_ok(), accepted) << label;
        EXPECT_EQ(till.table_no, 5) << label;
        // A refusal keeps the receipt of the previous table.
        EXPECT_EQ(till.receipt_no, accepted ? 900 : 0) << label;
    }
}

TEST_F(Tables, RefusedSelectionBooksNothingOnTheRefusedTable) {
    db.execute("update tisch set status = 'B', kellnernr = 3, belegnr = 900 where tischnr = 5");
    db.commit();
    start(12);
    select(5);
    messages();
    book("1", "11");
    EXPECT_EQ(messages(), std::vector<std::string>{"Bitte zuerst Tisch anwählen!"});
    EXPECT_EQ(count("select count(*) anzahl from kasseb"), 0);
    select(12);
    book("1", "11");
    EXPECT_EQ(count("select count(*) anzahl from kasseb where tischnr = 12"), 1);
}

TEST_F(Tables, SelectionOfUnknownOrMalformedTable) {
    struct Case {
        const char* field;
        const char* message;
    } cases[] = {
        {"99", "falsche Tischnummer : 99"},
        {"101", "falsche Tischnummer : 101"},
        {"abc", "falsche Tischnummer : abc"},
        {"1x", "falsche Tischnummer : 1x"},
        {"", "falsche Tischnummer : "},
    };
    login(1);
    for (const auto& c : cases) {
        till.selection_failed = false;
        select(c.field);
        EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << c.field;
        EXPECT_TRUE(till.selection_failed) << c.field;
        EXPECT_FALSE(tables.selection_ok()) << c.field;
    }
    // selection_failed is left for the dispatcher to clear.
    select(1);
    EXPECT_TRUE(till.selection_failed);
    EXPECT_TRUE(tables.selection_ok());
}

TEST_F(Tables, SelectionShowsReceiptOrderStateAndSum) {
    struct Case {
        const char* statust;
        long long order_no;
        bool order_open;
        const char* sum;
    } cases[] = {
        // Order 3 is the current order; 1 and 2 were sent.
        {"1", 4, false, "17,75"},
        {"0", 3, true, "5,00"},
    };
    for (const auto& c : cases) {
        foreign_receipt(4, 700, 3, c.statust, 99,
                        {{1, 1, 0, 10.0, "1", "", "U"},
                         {2, 2, 0, 2.5, nullptr, nullptr, nullptr},
                         {3, 3, 0, 5.0, "1", nullptr, "U"},
                         {4, 3, 0, 8.0, "S", nullptr, "U"},
                         {5, 2, 0, 1.0, "1", "X", "U"},
                         {6, 1, 0, 0.25, "1", "X", "T"}});
        till = {};
        start(4);
        EXPECT_EQ(till.receipt_no, 700) << c.statust;
        EXPECT_EQ(till.order_no, c.order_no) << c.statust;
        EXPECT_EQ(till.order_open, c.order_open) << c.statust;
        EXPECT_EQ(fields.Edit3, c.sum) << c.statust;
        EXPECT_EQ(fields.Edit19, c.sum) << c.statust;
        EXPECT_EQ(till.shown_sum, c.sum) << c.statust;
        EXPECT_EQ(fields.Edit18, "700");
        EXPECT_EQ(fields.Edit4, "700");
        // Listed: open rows, NULL codes of other programs, settled rows of kind T.
        EXPECT_EQ(fields.Edit17, "4");
        std::vector<long long> listed;
        for (const auto& r : fields.receipt_view) listed.push_back(r.posi);
        EXPECT_EQ(listed, (std::vector<long long>{1, 2, 3, 6}));
        EXPECT_EQ(fields.work_page, "Beleg");
        EXPECT_TRUE(fields.booking_panel_visible);
        db.execute("delete from kasseb");
        db.commit();
    }
}

TEST_F(Tables, SelectionAppliesTablePresetVatAndDiscount) {
    settings.table_discount = true;
    start(40);
    EXPECT_EQ(till.discount_percent, 10);
    EXPECT_EQ(fields.discount_caption, "10,00 % Rabatt");
    EXPECT_EQ(fields.table_caption, "Tisch 40");
    select(30);
    EXPECT_EQ(till.discount_percent, 0);
    EXPECT_EQ(fields.discount_caption, "");
    EXPECT_EQ(till.vat_class, "2");
    EXPECT_EQ(till.vat_letter, "B");
    EXPECT_EQ(till.vat_rate, 7);
    EXPECT_TRUE(till.vat_manual);
    select(12);
    EXPECT_FALSE(till.vat_manual);
    EXPECT_EQ(till.vat_class, "2");
}

TEST_F(Tables, OpenPositionsOfOtherProgramsCountAsOpenAndNotSettled) {
    foreign_receipt(4, 700, 1, "0", 7.5, {{1, 1, 0, 2.5, nullptr, nullptr, nullptr}, {2, 1, 0, 5.0, "1", "", "U"}});
    start(4);
    EXPECT_EQ(fields.Edit17, "2");
    EXPECT_EQ(fields.Edit19, "7,50");
    till.split_no = 0;
    tables.close_receipt();
    // Both rows were open and are settled now; the table is free.
    EXPECT_EQ(count("select count(*) anzahl from kasseb where abgerechnet = 'X'"), 2);
    EXPECT_EQ(table_row(4).text("status"), "F");
}

TEST_F(Tables, CloseReceiptWithTip) {
    struct Case {
        const char* tip;
        int tip_rows;
    } cases[] = {{"3,00", 2}, {"0,00", 0}, {"abc", 0}, {"3.00", 0}, {"-2,00", 0}};
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.execute("delete from bestellung");
        db.commit();
        till = {};
        start(12);
        book("2", "11");
        const long long receipt = till.receipt_no;
        till.payment_type = "K";
        till.tip_text = c.tip;
        tables.close_receipt();
        EXPECT_EQ(till.tip_text, "0") << c.tip;
        EXPECT_EQ(count("select count(*) anzahl from kasseb where buart = 'D'"), c.tip_rows) << c.tip;
        EXPECT_EQ(till.receipt_no, 0) << c.tip;
        EXPECT_EQ(count("select count(*) anzahl from kasseb where abgerechnet is null or abgerechnet <> 'X'"), 0) << c.tip;
        if (c.tip_rows == 0) continue;
        struct Tip {
            long long posi, bestellnr;
            const char* text;
            double amount;
            const char* zahlart;
        } tips[] = {{2, 2, "TrinkgeldAN", 3.0, "K"}, {3, 3, "Entnahme TrinkgeldAN", -3.0, "B"}};
        for (const auto& t : tips) {
            auto r = *db.query_first("select * from kasseb where belegnr = :b and posi = :p", {{"b", receipt}, {"p", t.posi}});
            EXPECT_EQ(r.text("text"), t.text);
            EXPECT_EQ(r.integer("bestellnr"), t.bestellnr);
            EXPECT_EQ(r.number("epreis"), t.amount);
            EXPECT_EQ(r.number("preis"), t.amount);
            EXPECT_EQ(r.text("zahlart"), t.zahlart);
            EXPECT_EQ(r.text("buart"), "D");
            EXPECT_EQ(r.text("anzeige"), "N");
            EXPECT_EQ(r.text("artikelnummer"), "");
            EXPECT_EQ(r.number("menge"), 1);
            EXPECT_EQ(r.number("menged"), 1);
            EXPECT_EQ(r.number("mwst"), 0);
            EXPECT_EQ(r.text("kassierer"), "1");
            EXPECT_EQ(r.text("status"), "1");
            EXPECT_EQ(r.integer("splittnr"), 0);
            EXPECT_EQ(r.text("inhaus"), "1");
            EXPECT_EQ(r.text("uhrzeit"), "14:05:00");
            EXPECT_EQ(r.text("abgerechnet"), "X");
            EXPECT_EQ(count("select count(*) anzahl from bestellung where belegnr = :b and bestellnr = :n and statusb = '0'",
                            {{"b", receipt}, {"n", t.bestellnr}}),
                      1);
        }
        // Signing is off in the demo: no signing requests.
        EXPECT_EQ(count("select count(*) anzahl from job"), 0);
    }
}

TEST_F(Tables, TipOrdersRequestTheirSignatureWhenSigningIsActive) {
    db.execute("update tse set tse_aktiv = '1'");
    db.commit();
    settings.pc_number = 3;
    start(12);
    book("1", "11");
    const long long receipt = till.receipt_no;
    till.tip_text = "1,50";
    tables.close_receipt();
    auto jobs = db.query("select * from job order by jobid");
    ASSERT_EQ(jobs.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(jobs[i].integer("tasknr"), 5);
        EXPECT_EQ(jobs[i].integer("belegnr"), receipt);
        EXPECT_EQ(jobs[i].integer("splittnr"), 0);
        EXPECT_EQ(jobs[i].integer("bestellnr"), 2 + i);
        EXPECT_EQ(jobs[i].integer("pcnr"), 3);
    }
    EXPECT_EQ(dispatch.current_jobid, jobs[1].integer("jobid"));
    EXPECT_TRUE(settings.tse_active);
}

TEST_F(Tables, ClosingSplitPartOneLeavesPartTwoOpen) {
    start(12);
    book("1", "11");
    book("1", "10");
    book("1", "1");
    const long long receipt = till.receipt_no;
    db.execute("update kasseb set splittnr = 1 where belegnr = :b and posi in (1, 2)", {{"b", receipt}});
    db.execute("update kasseb set splittnr = 2 where belegnr = :b and posi = 3", {{"b", receipt}});
    db.commit();
    till.split_no = 1;
    set_now(9, 15, 30, 12);
    tables.close_receipt();
    EXPECT_EQ(till.receipt_no, receipt);
    EXPECT_EQ(table_row(12).text("status"), "B");
    EXPECT_EQ(table_row(12).integer("belegnr"), receipt);
    auto settled = db.query("select * from kasseb where belegnr = :b and abgerechnet = 'X' order by posi", {{"b", receipt}});
    ASSERT_EQ(settled.size(), 2u);
    EXPECT_EQ(settled[0].text("uhrzeitk"), "15:30:12");
    EXPECT_EQ(settled[0].integer("kellnerk"), 1);
    EXPECT_EQ(tl::format_date(settled[0].datetime("datumk").date), "09.12.2026");
    EXPECT_EQ(settled[0].number("menged"), settled[0].number("menge"));
    EXPECT_EQ(fields.Edit17, "");
    EXPECT_EQ(fields.Edit19, "2,60");
    EXPECT_EQ(fields.Edit9, "1");

    till.split_no = 2;
    tables.close_receipt();
    EXPECT_EQ(till.receipt_no, 0);
    auto t = table_row(12);
    EXPECT_EQ(t.text("status"), "F");
    EXPECT_EQ(t.integer("belegnr"), 0);
    EXPECT_EQ(t.text("statust"), "1");
    EXPECT_EQ(t.integer("bestellnr"), 0);
    EXPECT_EQ(t.number("summe"), 0);
    EXPECT_EQ(count("select count(*) anzahl from abbild where tischnr = 12 and status = 'F'"), 1);
}

TEST_F(Tables, FreeingAfterCompleteCancellationResetsDiscountAndSettlesCancelledRows) {
    start(40);
    book("1", "11");
    const long long receipt = till.receipt_no;
    db.execute("update kasseb set status = 'S' where belegnr = :b", {{"b", receipt}});
    db.commit();
    tables.free_table_after_cancellation(40);
    auto t = table_row(40);
    EXPECT_EQ(t.text("status"), "F");
    EXPECT_EQ(t.number("rabatt"), 0);
    EXPECT_EQ(t.integer("belegnr"), 0);
    EXPECT_EQ(count("select count(*) anzahl from kasseb where abgerechnet = 'X' and kellnerk = 1"), 1);
    // abbild is left as the opening set it.
    EXPECT_EQ(count("select count(*) anzahl from abbild where tischnr = 40 and status = 'B'"), 1);
}

TEST_F(Tables, TableListsWithReservationColumn) {
    const tl::Date today{2026, 12, 9};
    auto reserve = [&](int table, tl::Date day, int h, int m) {
        db.execute("insert into tischres (datum, tischnr, zeit) values (:d, :t, :z)",
                   {{"d", day}, {"t", table}, {"z", tl::DateTime{tl::Date{1899, 12, 30}, h, m, 0}}});
    };
    reserve(3, today, 20, 15);
    reserve(3, today, 19, 30);
    reserve(3, today, 12, 0);
    reserve(4, today, 11, 0);
    reserve(5, tl::Date{2026, 12, 10}, 19, 0);
    reserve(1, today, 14, 5);
    db.execute("update tisch set status = 'B', kellnernr = 1, summe = 12.5 where tischnr = 2");
    db.commit();
    login(1);
    auto ids = [](const std::vector<tl::TableListRow>& l) {
        std::vector<long long> v;
        for (const auto& r : l) v.push_back(r.tischnr);
        return v;
    };
    EXPECT_EQ(ids(tables.table_list(tl::TableList::occupied)), (std::vector<long long>{2}));
    EXPECT_EQ(ids(tables.table_list(tl::TableList::free)), (std::vector<long long>{1, 3, 4, 5, 10, 11, 12, 20, 30, 40}));
    EXPECT_EQ(tables.table_list(tl::TableList::all).size(), 11u);
    fields.Edit14 = "2";
    EXPECT_EQ(ids(tables.table_list(tl::TableList::own)), (std::vector<long long>{1, 2, 3, 4, 5, 10, 11, 12, 20, 30, 40}));
    EXPECT_EQ(till.waiter_no, 2);
    fields.Edit14 = "x";
    messages();
    tables.table_list(tl::TableList::own);
    EXPECT_EQ(messages(), std::vector<std::string>{"Kellnernummer falsch !"});

    struct Case {
        long long table;
        const char* reserv;
    } cases[] = {{1, "14:05"}, {2, ""}, {3, "19:30"}, {4, ""}, {5, ""}};
    const auto all = tables.table_list(tl::TableList::all);
    std::map<long long, std::string> reserv;
    for (const auto& r : all) reserv[r.tischnr] = r.reserv;
    for (const auto& c : cases) EXPECT_EQ(reserv[c.table], c.reserv) << c.table;
    for (const auto& r : all) {
        if (r.tischnr != 2) continue;
        EXPECT_EQ(r.status, "B");
        EXPECT_EQ(r.summe, 12.5);
        EXPECT_EQ(r.text, "Fenster rechts");
        EXPECT_EQ(r.kellnernr, 1);
    }
}

TEST_F(Tables, DoubleClickSelectsAndF11ShowsOwnTables) {
    login(1);
    tables.show_tables();
    EXPECT_EQ(fields.work_page, "Tische");
    tables.table_double_click(3);
    EXPECT_EQ(fields.Edit16, "3");
    EXPECT_EQ(till.table_no, 3);
    EXPECT_TRUE(tables.selection_ok());
}

TEST_F(Tables, GuestNameNeedsTableAndWritesOnlyTheGuestName) {
    login(1);
    tables.guest_name();
    EXPECT_EQ(messages(), std::vector<std::string>{"Bitte zuerst Tisch anwählen!"});
    select(12);
    book("1", "11");
    const double summe = table_row(12).number("summe");
    dialogs.inputs.push_back(std::string("Familie Müller"));
    tables.guest_name();
    EXPECT_EQ(till.guest_name, "Familie Müller");
    EXPECT_EQ(table_row(12).text("gastname"), "Familie Müller");
    EXPECT_EQ(table_row(12).number("summe"), summe);
    dialogs.inputs.push_back(std::nullopt);
    tables.guest_name();
    EXPECT_EQ(table_row(12).text("gastname"), "Familie Müller");
    dialogs.inputs.push_back(std::string(80, 'x'));
    tables.guest_name();
    EXPECT_EQ(table_row(12).text("gastname"), std::string(50, 'x'));
}

TEST_F(Tables, KitchenCommentIsSavedForTheRowOnly) {
    start(12);
    book("1", "50");
    book("1", "11");
    tables.save_kitchen_comment(1, "ohne Pommes");
    EXPECT_EQ(position(1).text("ktext"), "ohne Pommes");
    EXPECT_EQ(position(2).text("ktext"), "");
    EXPECT_EQ(fields.receipt_view.at(0).ktext, "ohne Pommes");
    EXPECT_EQ(position(1).number("preis"), 18.9);
}

TEST_F(Tables, ConsoleLogoutByKeyAndByCloseCode) {
    for (int by_code = 0; by_code < 2; ++by_code) {
        start(12);
        book("1", "11");
        ASSERT_TRUE(till.table_selected);
        if (by_code) {
            fields.Edit1 = "close";
            booking.article_key_released();
        } else {
            tables.console_logout();
        }
        EXPECT_FALSE(till.table_selected);
        for (const auto* f : {&fields.Edit2, &fields.Edit3, &fields.Edit4, &fields.Edit18, &fields.Edit5, &fields.Edit14,
                              &fields.Edit15, &fields.Edit16, &fields.Edit17, &fields.Edit19})
            EXPECT_EQ(*f, "");
        EXPECT_FALSE(fields.booking_panel_visible);
        EXPECT_FALSE(fields.work_pages_visible);
        EXPECT_FALSE(fields.table_entry_visible);
        EXPECT_FALSE(tables.require_table());
        EXPECT_EQ(messages().back(), "Bitte zuerst Tisch anwählen!");
    }
}

TEST_F(Tables, KitchenCommentPageAndReceiptByNumber) {
    login(1);
    tables.kitchen_comment_page();
    EXPECT_EQ(messages(), std::vector<std::string>{"Bitte zuerst Tisch anwählen!"});
    EXPECT_EQ(fields.work_page, "PDA");
    select(12);
    book("1", "11");
    const long long first = till.receipt_no;
    select(11);
    book("1", "10");
    book("1", "1");
    tables.kitchen_comment_page();
    EXPECT_EQ(fields.work_page, "Küche");
    fields.Edit18 = std::to_string(first);
    tables.show_receipt_number();
    EXPECT_EQ(fields.Edit17, "1");
    EXPECT_EQ(fields.receipt_view.at(0).artikelnummer, "11");
}

TEST_F(Tables, EscapeKeysClearTheEntries) {
    start(12);
    fields.Edit15 = "1111";
    tables.password_escape();
    EXPECT_EQ(fields.Edit15, "");
    fields.Edit15 = "1111";
    tables.waiter_escape();
    EXPECT_EQ(fields.Edit15, "");
    EXPECT_EQ(fields.Edit16, "");
    EXPECT_FALSE(fields.booking_panel_visible);
    EXPECT_FALSE(fields.work_pages_visible);
    bool terminal = false;
    tables.on_terminal_window = [&] { terminal = true; };
    fields.Edit14 = "D";
    tables.waiter_enter();
    EXPECT_TRUE(terminal);
}

}  // namespace
