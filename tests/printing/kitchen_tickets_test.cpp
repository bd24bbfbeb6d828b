// Kitchen tickets against the embedded engine, with the kitchen (lpt2) and
// bar (lpt3) printers of the demo profiles mapped to files: the tickets are
// compared line by line as they arrive on the printer.
#include <gtest/gtest.h>

#include "db/database.h"
#include "printing/kitchen_tickets.h"
#include "printing/printer.h"
#include "tests/support/till_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class Kitchen : public tltest::TillTest {
protected:
    void SetUp() override {
        TillTest::SetUp();
        map_demo_printers();
        till.waiter_no = 3;
        till.waiter_name = "Jörg";
        till.table_no = 12;
        till.receipt_no = 100;
        db.execute("update tisch set status = 'B', belegnr = 100, kellnernr = 3, bestellnr = 1, statust = '0' where tischnr = 12");
        // An article of a group without tickets and one without any group.
        db.execute("insert into material (artikelnummer, text, verkaufspreis, warengrp, mwst) values ('T0', 'Tischdeko', 1, 8, '1')");
        db.execute("update material set kein_abon = '' where artikelnummer = 'T0'");
        db.execute("insert into material (artikelnummer, text, verkaufspreis, mwst) values ('NG', 'Tagesgericht', 9.5, '1')");
        db.commit();
        printer = std::make_unique<tl::Printer>(ctx);
        kitchen = std::make_unique<tl::KitchenTickets>(ctx, *printer);
    }

    // A position as the booking writes it.
    void position(int posi, const std::string& art, double menge, double epreis, const std::string& text,
                  const std::string& ktext = "", int bestellnr = 1) {
        db.execute(
            "insert into kasseb (kassenr, datum, belegnr, splittnr, bestellnr, posi, artikelnummer, preis, mwst, kassierer, "
            "menge, epreis, text, tischnr, status, zahlart, menged, ktext, buart, inhaus) values (1, :datum, 100, 0, "
            ":bestellnr, :posi, :art, :preis, 19, '3', :menge, :epreis, :text, 12, '1', 'B', 0, :ktext, 'U', '1')",
            {{"datum", settings.business_date}, {"bestellnr", bestellnr}, {"posi", posi}, {"art", art},
             {"preis", menge * epreis}, {"menge", menge}, {"epreis", epreis}, {"text", text}, {"ktext", ktext}});
        db.commit();
    }
    Lines printed(const std::string& file) { return tltest::take_printed_lines(dir / file); }
    double menged(int posi) {
        return db.scalar("select menged anzahl from kasseb where belegnr = 100 and posi = :posi", {{"posi", posi}}, "anzahl");
    }
    // Lines as the printer receives them (code page 437).
    static Lines cp437(Lines lines) {
        for (auto& l : lines) l = tl::umlaut(l);
        return lines;
    }

    std::unique_ptr<tl::Printer> printer;
    std::unique_ptr<tl::KitchenTickets> kitchen;
};

const std::string kDash32(32, '-');

TEST_F(Kitchen, OrderRoundGoesToKitchenAndBarAndIsRegistered) {
    position(1, "40", 2, 5.50, "Tomatensuppe");
    position(2, "11", 1, 4.80, "Pils 0,5l");
    kitchen->bon();
    EXPECT_EQ(printed("kueche.txt"), cp437({"09.12.2026 14:05     Jörg", "Tisch: 12", "", kDash32, "          Vorspeise", kDash32,
                                            "2 X 40 Tomatensuppe            "}));
    EXPECT_EQ(printed("bar.txt"), cp437({"09.12.2026 14:05     Jörg", "Tisch: 12", "", "1 X 11 Pils 0,5l               "}));
    EXPECT_EQ(menged(1), 2);
    EXPECT_EQ(menged(2), 1);
    EXPECT_EQ(count("select count(*) anzahl from bestellung where belegnr = 100 and bestellnr = 1 and statusb = '0'"), 1);
    EXPECT_EQ(count("select count(*) anzahl from tisch where tischnr = 12 and statust = '1' and bestellnr = 1"), 1);
    EXPECT_EQ(till.order_no, 2);
    EXPECT_EQ(count("select count(*) anzahl from job"), 0) << "no signing request while signing is off";
}

TEST_F(Kitchen, SecondRoundPrintsOnlyWhatWasAdded) {
    position(1, "40", 2, 5.50, "Tomatensuppe");
    kitchen->bon();
    printed("kueche.txt");
    position(2, "40", 1, 5.50, "Tomatensuppe", "", 2);
    db.execute("update tisch set statust = '0', bestellnr = 2 where tischnr = 12");
    db.commit();
    kitchen->bon();
    auto lines = printed("kueche.txt");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[6], "1 X 40 Tomatensuppe            ");
    kitchen->bon();
    EXPECT_TRUE(printed("kueche.txt").empty()) << "nothing new, nothing printed";
}

TEST_F(Kitchen, SigningRequestForTheRoundWhenSigningIsActive) {
    settings.tse_active = true;
    position(1, "11", 1, 4.80, "Pils 0,5l");
    kitchen->bon();
    auto job = db.query_first("select * from job");
    ASSERT_TRUE(job);
    EXPECT_EQ(job->integer("tasknr"), 5);
    EXPECT_EQ(job->integer("belegnr"), 100);
    EXPECT_EQ(job->integer("splittnr"), 0);
    EXPECT_EQ(job->integer("bestellnr"), 1);
    EXPECT_EQ(job->integer("pcnr"), 1);
}

TEST_F(Kitchen, GroupWithoutTicketsAndArticleWithoutGroup) {
    position(1, "T0", 1, 1, "Tischdeko");
    position(2, "NG", 1, 9.5, "Tagesgericht");
    kitchen->bon();
    EXPECT_EQ(printed("kueche.txt"), cp437({"09.12.2026 14:05     Jörg", "Tisch: 12", "", "1 X NG Tagesgericht            "}));
    EXPECT_EQ(menged(1), 1) << "a group with shop '0' prints nothing and is still marked sent";
}

TEST_F(Kitchen, QuantitiesCoursesRemarksAndIngredients) {
    settings.ticket_hide_date = true;
    position(1, "51", 0.5, 15.90, "Schweinebraten", "ohne Kraut\r\nextra Soße");
    position(2, "50", 2, 18.90, "Wiener Schnitzel");
    position(3, "60", 1, 6.90, "Apfelstrudel");
    position(4, "56", 1, 16.50, "Burger");
    kitchen->bon();
    EXPECT_EQ(printed("kueche.txt"),
              cp437({"     Jörg", "Tisch: 12", "", kDash32, "          Hauptspeise", kDash32,
                     "0,50 X 51 Schweinebraten          ", "ohne Kraut", "extra Soße",
                     "2 X 50 Wiener Schnitzel        ", "1 X 56 Burger                  ",
                     "-------- Zutatenliste: --------", "1 St Rinderpatty 180g", "1 St Brioche-Bun", "2 Sch Cheddar",
                     std::string(31, '-'), "", kDash32, "          Nachspeise", kDash32, "1 X 60 Apfelstrudel            "}));
}

TEST_F(Kitchen, SortOrders) {
    // Course 2 before course 1 by position; VAT 7 % on the salad.
    position(1, "50", 1, 18.90, "Wiener Schnitzel");
    position(2, "42", 1, 6.50, "Gemischter Salat");
    position(3, "40", 1, 5.50, "Tomatensuppe");
    db.execute("update kasseb set mwst = 7 where posi = 2");
    db.commit();
    settings.no_course_headings = true;
    settings.ticket_hide_date = settings.ticket_hide_waiter_table = true;
    struct Case {
        bool vat, article, position;
        Lines order;
    } cases[] = {
        {true, true, false, {"40", "50", "42"}},  {true, false, true, {"50", "40", "42"}},
        {true, false, false, {"40", "50", "42"}}, {false, true, false, {"40", "42", "50"}},
        {false, true, true, {"40", "42", "50"}},  {false, false, true, {"50", "42", "40"}},
        {false, false, false, {"42", "40", "50"}},
    };
    for (const auto& c : cases) {
        settings.ticket_sort_by_vat = c.vat;
        settings.ticket_sort_by_article = c.article;
        settings.ticket_sort_by_position = c.position;
        db.execute("update kasseb set menged = 0");
        db.commit();
        kitchen->bon();
        Lines articles;
        for (const auto& l : printed("kueche.txt"))
            if (l.size() > 4 && l.substr(0, 4) == "1 X ") articles.push_back(l.substr(4, 2));
        EXPECT_EQ(articles, c.order) << c.vat << c.article << c.position;
    }
}

TEST_F(Kitchen, HeaderSwitchesAndTailFeed) {
    settings.ticket_number_on_table_line = true;
    settings.ticket_table_text = true;
    settings.ticket_receipt_number = true;
    settings.ticket_extra_line_1 = "Bitte zügig";
    settings.ticket_head_feed = 1;
    settings.ticket_tail_feed = 3;
    settings.head_feed = 1;
    position(1, "11", 1, 4.80, "Pils 0,5l");
    kitchen->bon();
    EXPECT_EQ(printed("bar.txt"), cp437({"", " ", "09.12.2026 14:05     Jörg", "Tisch: 12  #1", "", "Terrasse 2",
                                         "Beleg: 100", "", "Bitte zügig", "", "1 X 11 Pils 0,5l               ", " ", " ",
                                         "."}));
    settings.ticket_number_on_table_line = false;
    settings.ticket_round_line = true;
    settings.ticket_table_text = settings.ticket_receipt_number = false;
    settings.ticket_extra_line_1.clear();
    settings.ticket_head_feed = settings.ticket_tail_feed = settings.head_feed = 0;
    position(2, "11", 1, 4.80, "Pils 0,5l");
    kitchen->bon();
    EXPECT_EQ(printed("bar.txt"), cp437({"09.12.2026 14:05     Jörg", "Tisch: 12", "Bestellung # 2", "",
                                         "1 X 11 Pils 0,5l               "}));
}

TEST_F(Kitchen, SingleTicketsPerUnit) {
    settings.single_tickets = true;
    settings.ticket_per_unit = true;
    settings.ticket_hide_date = true;
    position(1, "11", 3, 4.80, "Pils 0,5l");
    kitchen->bon();
    const Lines one = cp437({"     Jörg", "Tisch: 12", "", "1 X 11 Pils 0,5l               "});
    Lines three;
    for (int i = 0; i < 3; ++i) three.insert(three.end(), one.begin(), one.end());
    EXPECT_EQ(printed("bar.txt"), three);
    EXPECT_EQ(menged(1), 3);
    EXPECT_TRUE(printer->print_logo);
}

// Which runs mark the receipt as sent, checked on `menged` after the runs.
TEST_F(Kitchen, MarkingRuleOfEachRunKind) {
    struct Case {
        const char* name;
        void (*setup)(tl::StationSettings&);
        void (tl::KitchenTickets::*run)(int);
        int set;
        bool marked;
    } cases[] = {
        {"collective 1", [](tl::StationSettings&) {}, &tl::KitchenTickets::drucke_arbeitsbon, 1, true},
        {"collective 1, also_route_second", [](tl::StationSettings& s) { s.also_route_second = true; }, &tl::KitchenTickets::drucke_arbeitsbon, 1, false},
        {"collective 1, also_route_second_2", [](tl::StationSettings& s) { s.also_route_second_2 = true; }, &tl::KitchenTickets::drucke_arbeitsbon, 1, false},
        {"collective 1, both_ticket_kinds", [](tl::StationSettings& s) { s.both_ticket_kinds = true; }, &tl::KitchenTickets::drucke_arbeitsbon, 1, false},
        {"collective 2", [](tl::StationSettings&) {}, &tl::KitchenTickets::drucke_arbeitsbon, 2, true},
        {"collective 2, also_route_second", [](tl::StationSettings& s) { s.also_route_second = true; }, &tl::KitchenTickets::drucke_arbeitsbon, 2, true},
        {"collective 2, also_route_second_2", [](tl::StationSettings& s) { s.also_route_second_2 = true; }, &tl::KitchenTickets::drucke_arbeitsbon, 2, false},
        {"collective 2, both_ticket_kinds", [](tl::StationSettings& s) { s.both_ticket_kinds = true; }, &tl::KitchenTickets::drucke_arbeitsbon, 2, false},
        {"single 1", [](tl::StationSettings&) {}, &tl::KitchenTickets::drucke_einzelarbeitsbon, 1, true},
        {"single 1, also_route_second_2", [](tl::StationSettings& s) { s.also_route_second_2 = true; }, &tl::KitchenTickets::drucke_einzelarbeitsbon, 1, false},
        {"single 2, also_route_second_2", [](tl::StationSettings& s) { s.also_route_second_2 = true; }, &tl::KitchenTickets::drucke_einzelarbeitsbon, 2, true},
    };
    position(1, "11", 1, 4.80, "Pils 0,5l");
    for (const auto& c : cases) {
        tl::StationSettings fresh = settings;
        c.setup(settings);
        db.execute("update kasseb set menged = 0");
        db.commit();
        (kitchen.get()->*c.run)(c.set);
        EXPECT_EQ(menged(1), c.marked ? 1 : 0) << c.name;
        settings = fresh;
        printed("bar.txt");
    }
}

TEST_F(Kitchen, BadPrinterNumbersStopTheRunAndKeepPositionsUnsent) {
    position(1, "NG", 1, 9.5, "Tagesgericht");
    settings.default_kitchen_printer = "";
    EXPECT_THROW(kitchen->bon(), std::exception);
    EXPECT_EQ(menged(1), 0);
    db.execute("update warengrp set shop = 'x' where warengrp = 2");
    db.execute("update material set warengrp = 2 where artikelnummer = 'NG'");
    db.commit();
    EXPECT_THROW(kitchen->drucke_arbeitsbon(1), std::exception);
    EXPECT_EQ(menged(1), 0);
    // A printer number without a profile prints with the settings in force.
    db.execute("update warengrp set shop = '7' where warengrp = 2");
    db.commit();
    printer->lade_drucker(1, 3);
    kitchen->drucke_arbeitsbon(1);
    EXPECT_EQ(printed("bar.txt").size(), 4u);
    EXPECT_EQ(menged(1), 1);
}

}  // namespace
