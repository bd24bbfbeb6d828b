// Article lookup and position booking through Enter in the article field,
// as the dispatcher drives it: prices (discount, happy hour by switch and
// schedule, variants), VAT class and net prices, merge or insert with every
// column, table total, stock, booking list, linked article, closed days, a
// rejected insert and bad input, against the embedded engine.
#include <gtest/gtest.h>

#include "tests/ledger/ledger_fixture.h"

namespace {

using tltest::LedgerTest;

class Booking : public LedgerTest {
protected:
    double positions() { return count("select count(*) anzahl from kasseb"); }
};

TEST_F(Booking, InsertedPositionHasEveryColumn) {
    settings.till_number = 2;
    login(3);
    select(12);
    book("2", "50");
    ASSERT_TRUE(messages().empty());
    auto r = position(1);
    EXPECT_EQ(r.number("kassenr"), 2);
    EXPECT_EQ(tl::format_datetime(r.datetime("datum")), "09.12.2026 00:00:00");
    EXPECT_EQ(r.integer("belegnr"), till.receipt_no);
    EXPECT_NE(till.receipt_no, 0);
    EXPECT_EQ(r.integer("splittnr"), 0);
    EXPECT_EQ(r.integer("bestellnr"), 1);
    EXPECT_EQ(r.number("posi"), 1);
    EXPECT_EQ(r.text("artikelnummer"), "50");
    EXPECT_DOUBLE_EQ(r.number("preis"), 37.8);
    EXPECT_EQ(r.number("mwst"), 19);
    EXPECT_EQ(r.text("kassierer"), "3");
    EXPECT_EQ(r.number("menge"), 2);
    EXPECT_DOUBLE_EQ(r.number("epreis"), 18.9);
    EXPECT_EQ(r.text("text"), "Wiener Schnitzel");
    for (const char* c : {"text1", "text2", "text3", "text4", "gastname", "ktext", "stornoart", "stornogrund", "anzeige",
                          "umgebucht", "zieltisch"}) {
        EXPECT_FALSE(r.is_null(c)) << c;
        EXPECT_EQ(r.text(c), "") << c;
    }
    EXPECT_EQ(r.number("tischnr"), 12);
    EXPECT_EQ(r.text("status"), "1");
    EXPECT_EQ(tl::format_datetime(r.datetime("zeit1")), "09.12.2026 14:05:00");
    EXPECT_EQ(r.text("kueche"), "F");
    EXPECT_EQ(r.text("bondru"), "0");
    EXPECT_EQ(r.text("rechdru"), "0");
    EXPECT_EQ(r.text("zahlart"), "B");
    EXPECT_EQ(r.number("menged"), 0);
    EXPECT_EQ(r.integer("stationsnr"), 2);
    EXPECT_EQ(r.text("uhrzeit"), "14:05:00");
    EXPECT_EQ(r.text("buart"), "U");
    for (const char* c : {"datum_storno", "kellner_storno", "abgerechnet", "datumk", "kellnerk", "uhrzeitk"})
        EXPECT_TRUE(r.is_null(c)) << c;
    EXPECT_FALSE(r.is_null("gastnr"));
    EXPECT_EQ(r.number("gastnr"), 0);
    EXPECT_EQ(r.number("zimmernr"), 0);
    EXPECT_EQ(r.text("inhaus"), "1");

    auto t = table_row(12);
    EXPECT_EQ(t.text("status"), "B");
    EXPECT_EQ(t.integer("kellnernr"), 3);
    EXPECT_EQ(t.integer("belegnr"), till.receipt_no);
    EXPECT_DOUBLE_EQ(t.number("summe"), 37.8);
    EXPECT_EQ(t.integer("bestellnr"), 1);
    EXPECT_EQ(t.text("statust"), "0");
    EXPECT_EQ(count("select count(*) anzahl from abbild where tischnr = 12 and status = 'B'"), 1);

    EXPECT_EQ(till.last_posi, 1);
    EXPECT_EQ(till.item_count, 2);
    EXPECT_EQ(till.display_line, "37,80 A");
    EXPECT_EQ(fields.Edit9, "1");
    EXPECT_EQ(fields.Edit5, "Wiener Schnitzel");
    EXPECT_EQ(fields.Edit17, "1");
    EXPECT_EQ(fields.Edit19, "37,80");
    EXPECT_EQ(fields.Edit18, std::to_string(till.receipt_no));
    ASSERT_EQ(fields.receipt_view.size(), 1u);
    EXPECT_EQ(fields.receipt_view[0].kueche, "F");
    ASSERT_EQ(bookings.entries().size(), 1u);
    const auto& e = bookings.entries().front();
    EXPECT_EQ(e.time, "14:05:00");
    EXPECT_EQ(e.waiter, "3");
    EXPECT_EQ(e.table, "12");
    EXPECT_EQ(e.receipt, std::to_string(till.receipt_no));
    EXPECT_EQ(e.quantity, "2");
    EXPECT_EQ(e.article, "50");
    EXPECT_EQ(e.text, "Wiener Schnitzel");
    EXPECT_EQ(e.price, "37,80");
}

TEST_F(Booking, BadInputIsTracedAndBooksNothing) {
    struct Case {
        const char* quantity;
        const char* article;
        const char* price;
        bool free;
        const char* message;  // "" = booked
        const char* stored;   // artikelnummer of the booked row
    } cases[] = {
        {"abc", "11", "", false, "Preis/Mengen-Eingabe ungültig !", ""},
        {"1,5x", "11", "", false, "Preis/Mengen-Eingabe ungültig !", ""},
        {"1.5", "11", "", false, "Preis/Mengen-Eingabe ungültig !", ""},
        {"", "11", "", false, "Preis/Mengen-Eingabe ungültig !", ""},
        {"1", "FF01", "4.20", true, "Preis/Mengen-Eingabe ungültig !", ""},
        {"1", "FF01", "abc", true, "Preis/Mengen-Eingabe ungültig !", ""},
        {"1", "4711", "", false, "Artikel nicht vorhanden !", ""},
        {"1", "", "", false, "Artikel nicht vorhanden !", ""},
        {"1", "+", "", false, "Artikel nicht vorhanden !", ""},
        {"1", "++11", "", false, "Artikel nicht vorhanden !", ""},
        {"1", " 11", "", false, "Artikel nicht vorhanden !", ""},
        {"1", "1 1", "", false, "Artikel nicht vorhanden !", ""},
        {"1", "1234567890123456789012345678901", "", false, "Artikel nicht vorhanden !", ""},
        {"1", "+11", "", false, "", "11"},
        {"1", "11 ", "", false, "", "11"},
        // A price typed for an article that is no number counts as none.
        {"1", "11", "x", false, "", "11"},
    };
    int focus = 0;
    std::vector<std::string> shown;
    booking.on_focus_price = [&] { ++focus; };
    booking.on_customer_display = [&](const std::string& line) { shown.push_back(line); };
    start(12);
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.execute("update tisch set status = 'F', belegnr = 0, summe = 0, statust = '1', bestellnr = 0 where tischnr = 12");
        db.commit();
        messages();
        focus = 0;
        shown.clear();
        till.free_position = c.free;
        fields.Edit2.clear();
        book(c.quantity, c.article, c.price);
        till.free_position = false;
        const std::string label = std::string(c.quantity) + "*" + c.article + " " + c.price;
        if (*c.message) {
            EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << label;
            EXPECT_EQ(focus, std::string(c.message) == "Preis/Mengen-Eingabe ungültig !" ? 1 : 0) << label;
            EXPECT_TRUE(shown.empty()) << label;
            EXPECT_EQ(positions(), 0) << label;
            // Nothing booked leaves the free table free.
            EXPECT_EQ(table_row(12).text("status"), "F") << label;
            continue;
        }
        EXPECT_TRUE(messages().empty()) << label;
        EXPECT_EQ(shown, std::vector<std::string>{" 4,80 A"}) << label;
        ASSERT_EQ(positions(), 1) << label;
        EXPECT_EQ(position(1).text("artikelnummer"), c.stored) << label;
        EXPECT_DOUBLE_EQ(position(1).number("epreis"), 4.8) << label;
    }
}

TEST_F(Booking, ArticleFieldChangeAndKeys) {
    struct Case {
        const char* text;
        const char* after;
    } cases[] = {{"+", ""}, {" ", ""}, {"++", "++"}, {"  ", "  "}, {"+1", "+1"}};
    for (const auto& c : cases) {
        fields.Edit1 = c.text;
        booking.article_changed();
        EXPECT_EQ(fields.Edit1, c.after) << '"' << c.text << '"';
    }
    EXPECT_EQ(tl::Booking::article_key(13), tl::ArticleKey::enter);
    EXPECT_EQ(tl::Booking::article_key(196), tl::ArticleKey::f5);
    EXPECT_EQ(tl::Booking::article_key(197), tl::ArticleKey::f6);
    EXPECT_EQ(tl::Booking::article_key(65), tl::ArticleKey::other);

    start(12);
    book("1", "11");
    int cancels = 0;
    booking.on_cancel = [&] { ++cancels; };
    fields.Edit1.clear();
    booking.article_enter(tl::ArticleKey::f6);
    EXPECT_EQ(fields.Edit1, "11");
    EXPECT_EQ(cancels, 0);
    fields.Edit1 = "10";
    booking.article_enter(tl::ArticleKey::f5);
    EXPECT_EQ(fields.Edit1, "10");
    EXPECT_EQ(cancels, 1);
    booking.article_enter(tl::ArticleKey::other);
    EXPECT_EQ(positions(), 1);

    fields.Edit1 = "11";
    fields.Edit2 = "9,99";
    fields.Edit5 = "x";
    fields.Edit9 = "3";
    booking.clear_entries();
    EXPECT_EQ(fields.Edit1 + fields.Edit2 + fields.Edit5 + fields.Edit9, "1");

    fields.Edit1 = "4711";
    booking.lookup_key();
    EXPECT_EQ(messages(), std::vector<std::string>{"Artikel nicht vorhanden !"});
    fields.Edit1 = "12";
    booking.lookup_key();
    EXPECT_TRUE(till.article_found);
    EXPECT_EQ(fields.Edit2, "4,90");
    EXPECT_EQ(fields.Edit5, "Weißbier 0,5l");
    EXPECT_EQ(positions(), 1);
}

TEST_F(Booking, MergeIntoEqualOpenPosition) {
    struct Case {
        const char* label;
        bool merge;
        const char* article;
        const char* between;  // SQL run between the two bookings
        int rows;
        double menge_of_first;
    } cases[] = {
        {"merge on", true, "11", "", 1, 2},
        {"merge off", false, "11", "", 2, 1},
        {"variant group", true, "34", "", 2, 1},
        {"kitchen comment", true, "11", "update kasseb set ktext = 'ohne Schaum'", 2, 1},
        {"NULL ktext of another program", true, "11", "update kasseb set ktext = null", 2, 1},
        {"other price", true, "11", "update kasseb set epreis = 4.5, preis = 4.5", 2, 1},
        {"kitchen ticket sent", true, "11", "update tisch set statust = '1'", 2, 1},
        {"cancelled", true, "11", "update kasseb set status = 'S'", 2, 1},
    };
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.execute("update tisch set status = 'F', belegnr = 0, summe = 0, statust = '1', bestellnr = 0 where tischnr = 12");
        db.commit();
        settings.merge_positions = c.merge;
        till = {};
        start(12);
        book("1", c.article);
        if (*c.between) {
            db.execute(c.between);
            db.commit();
        }
        book("1", c.article);
        EXPECT_EQ(positions(), c.rows) << c.label;
        EXPECT_EQ(position(1).number("menge"), c.menge_of_first) << c.label;
        EXPECT_EQ(till.last_posi, c.rows) << c.label;
    }
}

TEST_F(Booking, MergeSumsTotalsAndNextOrderAfterKitchenTicket) {
    settings.merge_positions = true;
    start(12);
    book("2", "11");
    book("1", "11");
    EXPECT_EQ(positions(), 1);
    EXPECT_DOUBLE_EQ(position(1).number("preis"), 14.4);
    EXPECT_DOUBLE_EQ(table_row(12).number("summe"), 14.4);
    EXPECT_EQ(bookings.entries().size(), 2u);
    // The kitchen ticket marks the order sent.
    db.execute("update kasseb set menged = menge");
    db.execute("update tisch set statust = '1'");
    db.commit();
    book("1", "11");
    EXPECT_EQ(positions(), 2);
    EXPECT_EQ(position(2).integer("bestellnr"), 2);
    EXPECT_EQ(till.order_no, 2);
    EXPECT_TRUE(till.order_open);
    EXPECT_EQ(table_row(12).integer("bestellnr"), 2);
    EXPECT_EQ(table_row(12).text("statust"), "0");
    // The open order alone is shown.
    EXPECT_EQ(fields.Edit19, "4,80");
}

TEST_F(Booking, VatClassesNetPricesAndManualChoice) {
    struct Case {
        const char* label;
        int key;  // 0 = none
        bool net;
        const char* article;
        const char* price;
        const char* vat_class;
        const char* letter;
        double rate;
        double epreis;
    } cases[] = {
        {"article class 1", 0, false, "11", "", "1", "A", 19, 4.8},
        {"net 10,00 at 19 %", 0, true, "1", "10,00", "1", "A", 19, 11.9},
        {"net class 2", 0, true, "70", "10,00", "2", "B", 7, 10.7},
        {"net class 0", 0, true, "72", "", "0", "", 0, 10.0},
        {"F2 drink (G)", 2, false, "11", "", "1", "A", 19, 4.8},
        {"F3 food (S)", 3, false, "50", "", "2", "B", 7, 18.9},
        {"F4 other kind", 4, false, "70", "", "0", "", 0, 4.2},
        {"F1", 1, false, "70", "", "2", "B", 7, 4.2},
    };
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.commit();
        till = {};
        settings.net_prices = c.net;
        start(12);
        if (c.key) booking.vat_key(c.key);
        book("1", c.article, c.price);
        EXPECT_EQ(till.vat_class, c.vat_class) << c.label;
        EXPECT_EQ(till.vat_letter, c.letter) << c.label;
        EXPECT_EQ(till.vat_rate, c.rate) << c.label;
        EXPECT_DOUBLE_EQ(position(1).number("epreis"), c.epreis) << c.label;
        EXPECT_DOUBLE_EQ(position(1).number("preis"), c.epreis) << c.label;
        EXPECT_EQ(position(1).number("mwst"), c.rate) << c.label;
    }
}

TEST_F(Booking, VatKeys) {
    struct Case {
        int key;
        const char* vat_class;
        const char* letter;
        double rate;
        bool manual;
    } cases[] = {{1, "1", "A", 19, false}, {2, "2", "B", 7, true}, {3, "3", "C", 0, true}, {4, "0", "", 0, true}};
    for (const auto& c : cases) {
        booking.vat_key(c.key);
        EXPECT_EQ(till.vat_class, c.vat_class) << c.key;
        EXPECT_EQ(till.vat_letter, c.letter) << c.key;
        EXPECT_EQ(till.vat_rate, c.rate) << c.key;
        EXPECT_EQ(till.vat_manual, c.manual) << c.key;
    }
}

TEST_F(Booking, FreePositionTakesEntriesAndKeyClass) {
    start(12);
    booking.vat_key(2);
    till.free_position = true;
    fields.Edit5 = "Brot";
    book("2", "FF02", "4,20");
    till.free_position = false;
    auto r = position(1);
    EXPECT_EQ(r.text("artikelnummer"), "FF02");
    EXPECT_EQ(r.text("text"), "Brot");
    EXPECT_DOUBLE_EQ(r.number("preis"), 8.4);
    EXPECT_EQ(r.number("mwst"), 7);
    // Empty price: nothing happens.
    till.free_position = true;
    fields.Edit2.clear();
    book("1", "FF02");
    till.free_position = false;
    EXPECT_EQ(positions(), 1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Booking, HappyHourBySwitchScheduleAndGroups) {
    db.execute("update material set listenpreis = 2 where artikelnummer = '30'");
    db.commit();
    struct Case {
        const char* label;
        bool lasttag_on;
        bool schedule;
        const char* wednesday_flag;
        const char* from;
        const char* to;
        const char* groups;  // Wednesday's entry
        int hour, minute, second;
        const char* article;
        const char* price;  // passed by the dispatcher
        double epreis;
    } cases[] = {
        {"switch, list price replaces price passed", true, false, "0", "", "", "", 14, 5, 0, "4", "3,00", 2.5},
        {"switch, no list price", true, false, "0", "", "", "", 14, 5, 0, "5", "", 3.9},
        {"off", false, false, "0", "", "", "", 14, 5, 0, "4", "", 3.5},
        {"schedule inside", false, true, "1", "14:00", "15:00", "", 14, 5, 0, "4", "", 2.5},
        {"schedule at its end", false, true, "1", "14:00", "15:00", "", 15, 0, 0, "4", "", 2.5},
        {"schedule after its end", false, true, "1", "14:00", "15:00", "", 15, 0, 1, "4", "", 3.5},
        {"schedule switches lasttag off", true, true, "1", "16:00", "17:00", "", 14, 5, 0, "4", "", 3.5},
        {"other day keeps lasttag", true, true, "0", "16:00", "17:00", "", 14, 5, 0, "4", "", 2.5},
        {"groups 3,5 and group 4", false, true, "1", "14:00", "15:00", "3,5", 14, 5, 0, "30", "", 2.9},
        {"groups 3,5 and group 4 with price passed", false, true, "1", "14:00", "15:00", "3,5", 14, 5, 0, "30", "5,00", 2.9},
        {"groups 4", false, true, "1", "14:00", "15:00", "4", 14, 5, 0, "30", "", 2.0},
        {"groups 3,4", false, true, "1", "14:00", "15:00", "3,4", 14, 5, 0, "30", "", 2.0},
    };
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.execute("update lasttag set happyhour = :h", {{"h", c.lasttag_on ? "1" : "0"}});
        db.commit();
        settings.happy_schedule = c.schedule;
        settings.happy_days = {"0", "0", c.wednesday_flag, "0", "0", "0", "0"};
        settings.happy_from = c.from;
        settings.happy_to = c.to;
        settings.happy_groups = {"", "", c.groups, "", "", "", ""};
        set_now(9, c.hour, c.minute, c.second);
        till = {};
        start(12);
        fields.Edit2.clear();
        book("1", c.article, c.price);
        EXPECT_DOUBLE_EQ(position(1).number("epreis"), c.epreis) << c.label;
    }
}

TEST_F(Booking, HappyHourSwitchOfTheConsoleHoldsUntilTheNextEnter) {
    booking.toggle_happy_hour();
    EXPECT_TRUE(till.happy_hour);
    EXPECT_EQ(fields.discount_caption, "Happy Hour");
    booking.set_happy_hour(false);
    EXPECT_FALSE(till.happy_hour);
    EXPECT_EQ(fields.discount_caption, "");
    booking.toggle_happy_hour();
    start(12);
    book("1", "4");
    // lasttag says off.
    EXPECT_FALSE(till.happy_hour);
    EXPECT_DOUBLE_EQ(position(1).number("epreis"), 3.5);
}

TEST_F(Booking, BusinessDateAndWeekdayRules) {
    db.execute("update material set listenpreis = 2 where artikelnummer = '30'");
    db.commit();
    struct Case {
        int day, hour, minute, second;
        const char* datum;
    } dates[] = {
        {10, 7, 59, 59, "09.12.2026"}, {10, 8, 0, 0, "10.12.2026"}, {10, 0, 0, 0, "09.12.2026"}, {9, 23, 59, 59, "09.12.2026"}};
    for (const auto& c : dates) {
        db.execute("delete from kasseb");
        db.commit();
        set_now(c.day, c.hour, c.minute, c.second);
        till = {};
        start(12);
        book("1", "11");
        EXPECT_EQ(tl::format_date(position(1).datetime("datum").date), c.datum) << c.hour << ":" << c.minute;
        EXPECT_EQ(tl::format_date(settings.business_date), c.datum);
    }

    // Thursday 10.12. 03:00 belongs to Wednesday 09.12.: the happy day is
    // the calendar's Thursday, the groups are Wednesday's.
    struct Rule {
        const char* label;
        const char* thursday_flag;
        const char* wednesday_flag;
        const char* wednesday_groups;
        const char* thursday_groups;
        double epreis;
    } rules[] = {
        {"Thursday on, Wednesday groups 4", "1", "0", "4", "3", 2.0},
        {"Thursday on, Wednesday groups 3", "1", "0", "3", "4", 2.9},
        {"Wednesday on only", "0", "1", "", "", 2.9},
    };
    settings.happy_schedule = true;
    settings.happy_from = "00:00";
    settings.happy_to = "23:59";
    for (const auto& r : rules) {
        db.execute("delete from kasseb");
        db.commit();
        settings.happy_days = {"0", "0", r.wednesday_flag, r.thursday_flag, "0", "0", "0"};
        settings.happy_groups = {"", "", r.wednesday_groups, r.thursday_groups, "", "", ""};
        set_now(10, 3, 0);
        till = {};
        start(12);
        book("1", "30");
        EXPECT_DOUBLE_EQ(position(1).number("epreis"), r.epreis) << r.label;
    }
}

TEST_F(Booking, TableDiscountOfTenPercent) {
    db.execute("insert into material (artikelnummer, text, verkaufspreis, listenpreis, artikelnrp, warengrp, vgruppe, mwst, "
               "kueche, stationsnr, lagerbestand) values ('T4', 'Hefeweizen', 4, 0, '', 2, 0, '1', '', 1, 0)");
    db.commit();
    settings.table_discount = true;
    start(40);
    fields.Edit1 = "T4";
    booking.lookup_key();
    EXPECT_EQ(fields.Edit2, "3,60");
    book("1", "T4");
    EXPECT_DOUBLE_EQ(position(1).number("epreis"), 3.6);
    tables.close_receipt();
    EXPECT_EQ(till.discount_percent, 0);
    EXPECT_EQ(fields.discount_caption, "");
    // Closing keeps the table's discount.
    EXPECT_EQ(table_row(40).number("rabatt"), 10);
}

TEST_F(Booking, PriceVariantsWithHappyHour) {
    struct Case {
        bool happy;
        long long vpos;
        double epreis;
        const char* text;
    } cases[] = {{false, 2, 9.2, "Maß"}, {true, 2, 7.0, "Maß"}, {false, 9, 4.8, "Maß"}};
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.execute("update lasttag set happyhour = :h", {{"h", c.happy ? "1" : "0"}});
        db.commit();
        till = {};
        start(12);
        till.variant_booking = true;
        till.variant_pos = c.vpos;
        fields.Edit5 = c.text;
        book("1", "11");
        EXPECT_DOUBLE_EQ(position(1).number("epreis"), c.epreis) << c.vpos;
        EXPECT_EQ(position(1).text("text"), c.text);
        EXPECT_FALSE(till.variant_booking);
    }
}

TEST_F(Booking, SurchargeIsAddedOnceAndConsumed) {
    start(12);
    till.surcharge = 0.5;
    book("2", "11");
    EXPECT_DOUBLE_EQ(position(1).number("epreis"), 5.3);
    EXPECT_DOUBLE_EQ(position(1).number("preis"), 10.6);
    EXPECT_EQ(till.surcharge, 0);
    EXPECT_EQ(fields.Edit2, "");
    book("1", "1");
    EXPECT_DOUBLE_EQ(position(2).number("epreis"), 2.6);
}

TEST_F(Booking, LinkedArticleFollowsWithTheMainQuantity) {
    db.execute("update material set verkaufspreis = 0.5, artikelnrp = '58' where artikelnummer = '57'");
    db.execute("update lasttag set happyhour = '1'");
    db.execute("update material set listenpreis = 0.3 where artikelnummer = '57'");
    db.commit();
    struct Case {
        const char* quantity;
        double linked_menge;
    } cases[] = {{"2", 2}, {"2,5", 2}, {"3,5", 4}};
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.commit();
        till = {};
        start(12);
        book(c.quantity, "56");
        ASSERT_EQ(positions(), 2) << c.quantity;
        EXPECT_EQ(position(1).text("artikelnummer"), "56");
        EXPECT_EQ(position(2).text("artikelnummer"), "57");
        EXPECT_EQ(position(2).number("menge"), c.linked_menge) << c.quantity;
        // Its sale price, not its happy-hour price.
        EXPECT_DOUBLE_EQ(position(2).number("epreis"), 0.5);
        EXPECT_EQ(position(2).text("text"), "Beilage Pommes frites");
        EXPECT_TRUE(till.linked_article_no.empty());
    }
}

TEST_F(Booking, LinkedArticleMissingIsReported) {
    db.execute("update material set artikelnrp = '4711' where artikelnummer = '11'");
    db.commit();
    start(12);
    book("1", "11");
    EXPECT_EQ(messages(), std::vector<std::string>{"Artikel nicht vorhanden !"});
    EXPECT_EQ(positions(), 1);
}

TEST_F(Booking, ClosedDayByLasttagOrKasse) {
    struct Case {
        const char* lasttag;
        const char* kasse;  // "" = no row
        const char* message;
    } cases[] = {
        {"09.12.2026", "", "Tagesabschluss wurde bereits durchgeführt, keine Buchung möglich"},
        {"10.12.2026", "", "Tagesabschluss wurde bereits durchgeführt, keine Buchung möglich"},
        {"08.12.2026", "09.12.2026", "Tagesabschluss bereits gebucht, kein speichern möglich"},
        {"08.12.2026", "08.12.2026", ""},
        {"08.12.2026", "", ""},
    };
    start(12);
    for (const auto& c : cases) {
        db.execute("delete from kasseb");
        db.execute("delete from kasse");
        db.execute("update tisch set status = 'F', belegnr = 0, summe = 0, statust = '1', bestellnr = 0 where tischnr = 12");
        db.execute("update lasttag set datum = :d", {{"d", c.lasttag}});
        if (*c.kasse) db.execute("insert into kasse (datum) values (:d)", {{"d", c.kasse}});
        db.commit();
        messages();
        book("1", "11");
        if (!*c.message) {
            EXPECT_EQ(positions(), 1) << c.lasttag << "/" << c.kasse;
            continue;
        }
        EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << c.lasttag << "/" << c.kasse;
        EXPECT_EQ(positions(), 0);
        EXPECT_EQ(table_row(12).text("status"), "F");
    }
}

TEST_F(Booking, StockIsTakenWhenKept) {
    settings.stock_keeping = true;
    start(12);
    book("3", "1");
    EXPECT_EQ(db.query_first("select lagerbestand from material where artikelnummer = '1'")->number("lagerbestand"), 197);
    settings.stock_keeping = false;
    book("3", "1");
    EXPECT_EQ(db.query_first("select lagerbestand from material where artikelnummer = '1'")->number("lagerbestand"), 197);
}

class RejectedInsert : public Booking {
protected:
    double stock() {
        return db.query_first("select lagerbestand from material where artikelnummer = '1'")->number("lagerbestand");
    }
};

TEST_F(RejectedInsert, RowOfAnotherProgramWithTheSameKeyLeavesEverythingUntouched) {
    settings.stock_keeping = true;
    start(12);
    book("1", "1");
    const long long receipt = till.receipt_no;
    db::Database other;
    open_other(other);
    other.execute("insert into kasseb (kassenr, datum, belegnr, posi, text) values (1, '09.12.2026', :b, 2, 'fremd')",
                  {{"b", receipt}});
    messages();
    book("2", "1");
    EXPECT_EQ(messages(), std::vector<std::string>{"Fehler beim Schreiben in Tabelle kasseb"});
    EXPECT_DOUBLE_EQ(table_row(12).number("summe"), 2.6);
    EXPECT_EQ(stock(), 199);
    EXPECT_EQ(bookings.entries().size(), 1u);
    EXPECT_EQ(till.item_count, 1);
    EXPECT_EQ(till.last_posi, 0);
    EXPECT_EQ(till.receipt_no, receipt);
    other.rollback();
    other.close();
    db.commit();
    EXPECT_EQ(positions(), 1);
    book("2", "1");
    EXPECT_EQ(position(2).number("menge"), 2);
    EXPECT_DOUBLE_EQ(table_row(12).number("summe"), 7.8);
}

TEST_F(RejectedInsert, FirstPositionOfAFreeTableLeavesTheTableFree) {
    db.execute_script("alter table kasseb add constraint ck_menge check (menge < 100)");
    settings.stock_keeping = true;
    start(12);
    messages();
    book("100", "1");
    EXPECT_EQ(messages(), std::vector<std::string>{"Fehler beim Schreiben in Tabelle kasseb"});
    auto t = table_row(12);
    EXPECT_EQ(t.text("status"), "F");
    EXPECT_EQ(t.integer("belegnr"), 0);
    EXPECT_EQ(t.number("summe"), 0);
    EXPECT_EQ(count("select count(*) anzahl from abbild where tischnr = 12 and status = 'F'"), 1);
    EXPECT_EQ(stock(), 200);
    EXPECT_TRUE(bookings.entries().empty());
    EXPECT_EQ(till.receipt_no, 0);
    EXPECT_EQ(positions(), 0);
    book("2", "1");
    EXPECT_EQ(positions(), 1);
    EXPECT_EQ(table_row(12).text("status"), "B");
}

TEST_F(RejectedInsert, InsideAJobsUnitTheEarlierBookingsStay) {
    db.execute_script("alter table kasseb add constraint ck_menge check (menge < 100)");
    start(12);
    book("1", "1");
    {
        db::UnitOfWork job(db);
        book("1", "11");
        book("100", "1");
        book("1", "10");
        job.commit();
    }
    db::Database other;
    open_other(other);
    EXPECT_EQ(other.scalar("select count(*) anzahl from kasseb", {}, "anzahl"), 3);
    EXPECT_DOUBLE_EQ(other.query_first("select summe from tisch where tischnr = 12")->number("summe"), 10.8);
    other.close();
}

}  // namespace
