// Settlement through the whole till: tablet messages booked, sent to the
// kitchen and settled, with the demo printers (receipt lpt1, kitchen lpt2,
// bar lpt3) mapped to files.
#include <gtest/gtest.h>

#include "db/database.h"
#include "jobs/bill_commands.h"
#include "jobs/dispatcher.h"
#include "jobs/job_queue.h"
#include "ledger/booking.h"
#include "ledger/settlement.h"
#include "ledger/tables.h"
#include "printing/guest_receipt.h"
#include "printing/kitchen_tickets.h"
#include "printing/printer.h"
#include "tests/support/till_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class Settle : public tltest::TillTest {
protected:
    void SetUp() override {
        TillTest::SetUp();
        map_demo_printers();
        settings.merge_positions = true;
        open_other(relay);
        tables = std::make_unique<tl::Tables>(ctx);
        booking = std::make_unique<tl::Booking>(ctx, *tables);
        printer = std::make_unique<tl::Printer>(ctx);
        kitchen = std::make_unique<tl::KitchenTickets>(ctx, *printer);
        receipt = std::make_unique<tl::GuestReceipt>(ctx, *printer);
        settlement = std::make_unique<tl::Settlement>(ctx, *tables, *booking, *printer, *kitchen, *receipt);
        dispatcher = std::make_unique<tl::Dispatcher>(ctx, *tables, *booking);
        tl::register_bill_commands(*dispatcher, ctx, *settlement, *kitchen, *receipt, *printer);
        queue = std::make_unique<tl::JobQueue>(ctx, *tables, *booking, *dispatcher);
        ctx.hooks.show_receipt = [this] { tables->show_receipt(); };
    }
    void TearDown() override {
        relay.close();
        TillTest::TearDown();
    }
    void run(std::initializer_list<std::string> messages) {
        for (const auto& m : messages) {
            relay.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)",
                          {{"jobid", relay.generator("netjobid")}, {"puffer", m}});
            relay.commit();
        }
        queue->poll();
    }
    Lines printed(const std::string& file) { return tltest::take_printed_lines(dir / file); }
    long long receipt_of(int table) {
        relay.commit();
        return relay.query_first("select belegnr from tisch where tischnr = :t", {{"t", table}})->integer("belegnr");
    }

    db::Database relay;
    std::unique_ptr<tl::Tables> tables;
    std::unique_ptr<tl::Booking> booking;
    std::unique_ptr<tl::Printer> printer;
    std::unique_ptr<tl::KitchenTickets> kitchen;
    std::unique_ptr<tl::GuestReceipt> receipt;
    std::unique_ptr<tl::Settlement> settlement;
    std::unique_ptr<tl::Dispatcher> dispatcher;
    std::unique_ptr<tl::JobQueue> queue;
};

TEST_F(Settle, TabletOrderIsSentPaidPrintedAndTheTableFreed) {
    run({"D;12;2;11;3", "D;12;1;40;3", "B;12;;;3"});
    const long long beleg = receipt_of(12);
    ASSERT_GT(beleg, 0);
    EXPECT_EQ(printed("bar.txt").size(), 4u);
    EXPECT_EQ(printed("kueche.txt").size(), 7u);
    take_trace();
    run({"R;12;4711;3,00;3;0"});
    EXPECT_EQ(take_trace(), (Lines{"Trinkgeld: 3,00", "Tisch 12 bar abgerechnet"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "kueche.txt")) << "nothing new for the kitchen";

    const Lines bon = printed("bon.txt");
    const std::string W(42, '-');
    const Lines expected_end = {"  2 Pils 0,5l                 4,80    9,60",
                                "  1 Tomatensuppe              5,50    5,50",
                                W,
                                "                        Summe EUR :  15,10",
                                W,
                                "Brutto 19,00%   15,10  ",
                                "Netto  19,00%   12,69  ",
                                "MWSt   19,00%    2,41  ",
                                W,
                                "TSE wurde deaktiviert",
                                W,
                                tl::umlaut("Es bediente Sie Jörg"),
                                "",
                                "."};
    ASSERT_GE(bon.size(), expected_end.size());
    EXPECT_EQ(Lines(bon.end() - expected_end.size(), bon.end()), expected_end);
    EXPECT_EQ(bon[2], "Waehrung: EUR  Beleg: " + std::to_string(beleg));

    relay.commit();
    EXPECT_EQ(relay.scalar("select count(*) anzahl from kasseb where belegnr = :b and (abgerechnet <> 'X' or abgerechnet is null)",
                           {{"b", beleg}}, "anzahl"),
              0);
    auto settled = relay.query_first("select datumk, kellnerk, uhrzeitk from kasseb where belegnr = :b and artikelnummer = '11'", {{"b", beleg}});
    EXPECT_EQ(settled->datetime("datumk").date, (tl::Date{2026, 12, 9}));
    EXPECT_EQ(settled->integer("kellnerk"), 3);
    EXPECT_EQ(settled->text("uhrzeitk"), "14:05:00");
    EXPECT_EQ(relay.scalar("select count(*) anzahl from beleg where belegnr = :b and splittnr = 0 and statusb = '0'", {{"b", beleg}}, "anzahl"), 1);
    auto tips = relay.query("select text, preis, zahlart, buart, anzeige, bestellnr from kasseb where belegnr = :b and buart = 'D' order by posi", {{"b", beleg}});
    ASSERT_EQ(tips.size(), 2u);
    EXPECT_EQ(tips[0].text("text"), "TrinkgeldAN");
    EXPECT_DOUBLE_EQ(tips[0].number("preis"), 3.00);
    EXPECT_EQ(tips[1].text("text"), "Entnahme TrinkgeldAN");
    EXPECT_DOUBLE_EQ(tips[1].number("preis"), -3.00);
    EXPECT_EQ(tips[1].text("zahlart"), "B");
    auto table = relay.query_first("select status, belegnr, summe, kellnernr from tisch where tischnr = 12");
    EXPECT_EQ(table->text("status"), "F");
    EXPECT_EQ(table->integer("belegnr"), 0);
    EXPECT_EQ(relay.query_first("select status from abbild where tischnr = 12")->text("status"), "F");
}

TEST_F(Settle, TipPaidByCardIsBookedInOrdersOfTheirOwn) {
    run({"D;12;1;11;3", "A;12;4711;3,00;3;0"});
    EXPECT_EQ(take_trace().back(), "Tisch 12 EC-Karte abgerechnet");
    auto rows = relay.query("select belegnr, text, preis, zahlart, buart, anzeige, bestellnr from kasseb order by posi");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text("zahlart"), "K");
    EXPECT_EQ(rows[1].text("zahlart"), "K");
    EXPECT_DOUBLE_EQ(rows[1].number("preis"), 3.00);
    EXPECT_EQ(rows[2].text("zahlart"), "B");
    EXPECT_DOUBLE_EQ(rows[2].number("preis"), -3.00);
    for (int i : {1, 2}) {
        EXPECT_EQ(rows[i].text("buart"), "D");
        EXPECT_EQ(rows[i].text("anzeige"), "N");
    }
    EXPECT_EQ(rows[1].integer("bestellnr"), 2);
    EXPECT_EQ(rows[2].integer("bestellnr"), 3);
    EXPECT_EQ(relay.scalar("select count(*) anzahl from bestellung where belegnr = :b", {{"b", rows[0].integer("belegnr")}}, "anzahl"), 3);
    const Lines bon = printed("bon.txt");
    EXPECT_NE(std::find(bon.begin(), bon.end(), "                        Summe EUR :   4,80"), bon.end())
        << "tips are not on the guest receipt";
}

TEST_F(Settle, BillWithNothingOpenPrintsNothingAndDoesNotClose) {
    run({"D;12;1;11;3"});
    relay.execute("update kasseb set status = 'S'");
    relay.commit();
    run({"R;12;4711;;3;0"});
    EXPECT_FALSE(std::filesystem::exists(dir / "bon.txt"));
    EXPECT_EQ(relay.query_first("select status from tisch where tischnr = 12")->text("status"), "B");
    EXPECT_EQ(relay.scalar("select count(*) anzahl from beleg", {}, "anzahl"), 0);
}

TEST_F(Settle, RebookingAnotherAmountAndBalancesWithCancelledPositions) {
    run({"D;12;2;50;3", "D;12;1;11;3"});
    relay.execute("update kasseb set status = 'S' where artikelnummer = '11'");
    relay.commit();
    auto before = settlement->balances();
    EXPECT_DOUBLE_EQ(before[0], 2 * 18.90 + 4.80) << "the balance has no status condition";
    settlement->umbuchung(tl::Settlement::RebookMode::other_amount, "B", "K", "10,00", 0);
    EXPECT_EQ(take_trace().back(), "Betrag umgebucht");
    auto after = settlement->balances();
    EXPECT_DOUBLE_EQ(after[0], before[0] - 10);
    EXPECT_DOUBLE_EQ(after[1], before[1] + 10);
    auto rows = db.query("select text, preis, zahlart, status from kasseb where status = 'U' order by posi");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("text"), "Umbuchung B-");
    EXPECT_DOUBLE_EQ(rows[0].number("preis"), -10);
    EXPECT_EQ(rows[1].text("text"), "Umbuchung K+");
    EXPECT_EQ(rows[1].text("zahlart"), "K");
    settlement->umbuchung(tl::Settlement::RebookMode::other_amount, "B", "K", "zehn", 0);
    EXPECT_EQ(take_trace().back(), "Betrag zehn unzulässig");
}

TEST_F(Settle, NonNumericFieldsOfBillCommandsLeaveTheTableAsItWas) {
    run({"D;12;1;11;3"});
    const long long beleg = receipt_of(12);
    take_trace();
    run({"R;12;x1;;3;0", "C;12;abc;0;3;0", "C;12;" + std::to_string(beleg) + ";x;3;0"});
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(relay.query_first("select status from tisch where tischnr = 12")->text("status"), "B");
    EXPECT_EQ(relay.scalar("select count(*) anzahl from kasseb where abgerechnet = 'X'", {}, "anzahl"), 0);
    EXPECT_EQ(relay.scalar("select count(*) anzahl from netjob", {}, "anzahl"), 0);
    EXPECT_EQ(relay.scalar("select count(*) anzahl from logbuch", {}, "anzahl"), 3);
}

TEST_F(Settle, PrintCommandPrintsTheNamedBill) {
    run({"D;12;1;11;3", "R;12;4711;;3;0"});
    printed("bon.txt");
    relay.commit();
    const long long beleg = relay.query_first("select max(belegnr) anzahl from kasseb")->integer("anzahl");
    run({"CXXXXX;12;" + std::to_string(beleg) + ";0;3;4711;;"});
    EXPECT_EQ(take_trace().back(), "Beleg " + std::to_string(beleg) + "/0 T12 Rechnung gedruckt ");
    const Lines bon = printed("bon.txt");
    EXPECT_NE(std::find(bon.begin(), bon.end(), "Waehrung: EUR  Beleg: " + std::to_string(beleg)), bon.end());
}

}  // namespace
