// The job queue and the dispatcher against the embedded engine: tablet
// messages inserted by a second attachment (the relay), polled, executed
// through the console's operations, each job committed together with the
// deletion of its row.
#include <gtest/gtest.h>

#include "db/database.h"
#include "jobs/dispatcher.h"
#include "jobs/job_queue.h"
#include "ledger/booking.h"
#include "ledger/tables.h"
#include "tests/support/till_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class Jobs : public tltest::TillTest {
protected:
    void SetUp() override {
        TillTest::SetUp();
        open_other(relay);
        tables = std::make_unique<tl::Tables>(ctx);
        booking = std::make_unique<tl::Booking>(ctx, *tables);
        dispatcher = std::make_unique<tl::Dispatcher>(ctx, *tables, *booking);
        queue = std::make_unique<tl::JobQueue>(ctx, *tables, *booking, *dispatcher);
    }
    void TearDown() override {
        relay.close();
        TillTest::TearDown();
    }
    // Inserts messages the way the relay does, each committed at once.
    void post(std::initializer_list<std::string> messages) {
        for (const auto& m : messages) {
            relay.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)",
                          {{"jobid", relay.generator("netjobid")}, {"puffer", m}});
            relay.commit();
        }
    }
    double queued() {
        relay.commit();
        return relay.scalar("select count(*) anzahl from netjob", {}, "anzahl");
    }
    // Quantity of article `art` on the open receipt of `table`, as another
    // program sees it.
    double booked(int table, const std::string& art) {
        relay.commit();
        return relay.scalar(
            "select sum(k.menge) anzahl from kasseb k join tisch t on t.belegnr = k.belegnr "
            "where t.tischnr = :tischnr and k.artikelnummer = :art and (k.status <> 'S' or k.status is null)",
            {{"tischnr", table}, {"art", art}}, "anzahl");
    }

    db::Database relay;
    std::unique_ptr<tl::Tables> tables;
    std::unique_ptr<tl::Booking> booking;
    std::unique_ptr<tl::Dispatcher> dispatcher;
    std::unique_ptr<tl::JobQueue> queue;
};

TEST(MessageSplit, FieldsAsTheTabletSendsThem) {
    struct Case {
        const char* puffer;
        int count;
        int n;
        const char* field_n;
    } cases[] = {
        {"D;12;2;11;3", 5, 4, "11"},
        {"K;5;;;3;", 6, 6, ""},          // a trailing ";" gives an empty last field
        {"", 1, 1, ""},
        {";", 2, 2, ""},
        {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15", 12, 12, "12"},  // fields beyond the twelfth are ignored
        {"D", 1, 5, ""},
    };
    for (const auto& c : cases) {
        auto m = tl::Message::split(c.puffer);
        EXPECT_EQ(m.field_count(), c.count) << c.puffer;
        EXPECT_EQ(m.field(c.n), c.field_n) << c.puffer;
    }
    EXPECT_EQ(tl::Message::split("D;;1;11;3").table(), "0");
    EXPECT_EQ(tl::Message::split("").command(), 0);
}

TEST(TabletText, Utf8UmlautsSharpSAndEuroBecomeWindows1252) {
    EXPECT_EQ(tl::tablet_text("K\xC3\xA4se \xC3\xBC \xC3\xB6 \xC3\x84 \xC3\x9C \xC3\x96 Ma\xC3\x9F 5\xE2\x82\xAC"),
              "Käse ü ö Ä Ü Ö Maß 5€");
    EXPECT_EQ(tl::tablet_text("ohne Zwiebeln"), "ohne Zwiebeln");
}

TEST_F(Jobs, MessagesAreBookedInJobidOrderAndDeleted) {
    post({"D;12;2;11;3", "D;12;1;40;3"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"Tisch 12 2*11 Pils 0,5l", "Tisch 12 1*40 Tomatensuppe"}));
    EXPECT_EQ(booked(12, "11"), 2);
    EXPECT_EQ(booked(12, "40"), 1);
    EXPECT_EQ(queued(), 0);
    auto posis = relay.query("select posi, artikelnummer from kasseb order by posi");
    ASSERT_EQ(posis.size(), 2u);
    EXPECT_EQ(posis[0].text("artikelnummer"), "11");
    EXPECT_EQ(posis[1].text("artikelnummer"), "40");
}

TEST_F(Jobs, SameWaiterAndTableAreNeitherLoggedInNorSelectedAgain) {
    post({"D;12;1;11;3"});
    queue->poll();
    // Were waiter 3 logged in again he would be refused as blocked; were table
    // 12 selected again it would be refused as another waiter's.
    relay.execute("update kellner set status = 'G' where kellnernr = 3");
    relay.execute("update tisch set kellnernr = 2 where tischnr = 12");
    relay.commit();
    take_trace();
    post({"D;12;2;11;3"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"Tisch 12 2*11 Pils 0,5l"}));
    EXPECT_EQ(booked(12, "11"), 3);
}

TEST_F(Jobs, PreambleRefusalsAsTraceLines) {
    struct Case {
        const char* message;
        Lines trace;
    } cases[] = {
        {"D;;1;11;3", {"falsche Tischnummer : 0"}},
        {"D;1x;1;11;3", {"ungültige Tischnummer: 1x"}},
        {"D;12;1;11;99", {"Kellner 99nicht gefunden"}},
        {"D;12;1;11;4", {"Kellner gesperrt !"}},
        {"D;20;1;11;3", {"Tisch gehört anderem Stammkellner !"}},
        {"D;-5;1;11;3", {"falsche Tischnummer : -5"}},
        {"D;99999999999;1;11;3", {"ungültige Tischnummer: 99999999999"}},
    };
    for (const auto& c : cases) {
        post({c.message});
        queue->poll();
        EXPECT_EQ(take_trace(), c.trace) << c.message;
        EXPECT_EQ(queued(), 0) << c.message;
    }
    EXPECT_EQ(count("select count(*) anzahl from kasseb"), 0);
}

TEST_F(Jobs, InvalidTableNumberOpensTableOneAndTheNextJobSelectsAfresh) {
    post({"D;1x;1;11;3", "D;1;1;11;3"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"ungültige Tischnummer: 1x", "Tisch 1 1*11 Pils 0,5l"}));
    EXPECT_EQ(booked(1, "11"), 1);
}

TEST_F(Jobs, UnknownWaiterLeavesNobodyLoggedIn) {
    post({"D;12;1;11;3", "D;12;1;11;99", "D;12;1;11;99"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"Tisch 12 1*11 Pils 0,5l", "Kellner 99nicht gefunden", "Kellner 99nicht gefunden"}));
    EXPECT_EQ(booked(12, "11"), 1);
    EXPECT_EQ(fields.Edit14, "");
    EXPECT_EQ(till.waiter_no, 0);
}

TEST_F(Jobs, FreePositions) {
    post({"F;12;1;Kuchen;3;3.80;1", "F;12;2;Brot;3;2.10;0", "F;12;1;Kaffee;3;abc;1"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"Tisch 12 1*Kuchen 3.80", "Tisch 12 2*Brot 2.10", "Tisch 12 abc Preis falsch"}));
    auto rows = relay.query("select artikelnummer, text, epreis, preis, mwst, menge from kasseb order by posi");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("artikelnummer"), "FF01");
    EXPECT_EQ(rows[0].text("text"), "Kuchen");
    EXPECT_DOUBLE_EQ(rows[0].number("epreis"), 3.80);
    EXPECT_DOUBLE_EQ(rows[0].number("mwst"), 19);
    EXPECT_EQ(rows[1].text("artikelnummer"), "FF02");
    EXPECT_DOUBLE_EQ(rows[1].number("preis"), 4.20);
    EXPECT_DOUBLE_EQ(rows[1].number("mwst"), 7);
}

TEST_F(Jobs, VariantTextsAreAppendedWithTheirSurcharges) {
    post({"D;12;1;52;3", "L;12;;mit K\xC3\xA4se;3", "L;12;;mit Bacon;3", "L;12;;extra scharf;3"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"Tisch 12 1*52 Käsespätzle", "Tisch 12 --> mit Käse", "Tisch 12 --> mit Bacon",
                                   "Tisch 12 --> extra scharf"}));
    auto dish = relay.query_first("select ktext, epreis, preis from kasseb where artikelnummer = '52'");
    ASSERT_TRUE(dish);
    EXPECT_EQ(dish->text("ktext"), "mit Käse\r\nmit Bacon\r\nextra scharf\r\n");
    EXPECT_DOUBLE_EQ(dish->number("epreis"), 13.50 + 1.00 + 1.50);
    EXPECT_DOUBLE_EQ(dish->number("preis"), 13.50 + 1.00 + 1.50);
}

TEST_F(Jobs, KMQAndHospitalityFormBookNothing) {
    post({"K;12;;;3", "M;12;;;3", "Q;12;;;3", "W;12;;;3", "Y;12;;;3"});
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"K-Telegramm erhalten", "Tisch 12 Bewirtungsnachweis"}));
    EXPECT_TRUE(dispatch.hospitality_form);
    EXPECT_EQ(dispatch.hospitality_lines, 8);
    EXPECT_EQ(count("select count(*) anzahl from kasseb"), 0);
    EXPECT_EQ(queued(), 0);
}

TEST_F(Jobs, GuestDataIsMergedIntoTheRegisterAndTheReceipt) {
    post({"D;12;1;11;3", "T;12;Meier;Hauptstr. 1;3;80331;München;089 1;2. OG;Allergie",
          "T;12;Meier;Hauptstr. 1;3;80331;München;0170 2;3. OG;Vegetarier",
          "T;12;Meier;Nebenstr. 2;3;80331;München;;;"});
    queue->poll();
    auto guests = relay.query("select gastnr, adresse2, telefon, adresse, infotext from gast where gastname = 'Meier' order by gastnr");
    ASSERT_EQ(guests.size(), 2u);
    EXPECT_EQ(guests[0].integer("gastnr"), 2);  // the demo register holds guest 1
    EXPECT_EQ(guests[0].text("telefon"), "089 1");
    EXPECT_EQ(guests[0].text("adresse"), "3. OG");
    EXPECT_EQ(guests[0].text("infotext"), "Vegetarier");
    EXPECT_EQ(guests[1].text("adresse2"), "Nebenstr. 2");
    auto pos = relay.query_first("select gastnr, gastname from kasseb");
    EXPECT_EQ(pos->integer("gastnr"), 3);
    EXPECT_EQ(pos->text("gastname"), "Meier");
}

// A job that fails for another reason is rolled back, reported and removed;
// the queue goes on.
TEST_F(Jobs, FailedJobIsRolledBackReportedAndRemoved) {
    dispatcher->register_command('X', [&](const tl::Message& m) {
        fields.Edit9 = "1";
        fields.Edit1 = "11";
        booking->article_enter();
        throw std::runtime_error("Feld " + m.field(3) + " ist keine Zahl");
    });
    post({"X;12;abc;;3", "L;2;;mit Zitrone;3", "D;12;1;40;3"});
    queue->poll();
    EXPECT_EQ(queued(), 0);
    EXPECT_EQ(booked(12, "11"), 0) << "the failed job's booking is rolled back";
    EXPECT_EQ(booked(12, "40"), 1);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0], "Feld abc ist keine Zahl");
    auto log = relay.query("select text from logbuch order by datum");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].text("text").find("\"X;12;abc;;3\": Feld abc ist keine Zahl"), std::string::npos) << log[0].text("text");
    EXPECT_NE(log[1].text("text").find("L;2;;mit Zitrone;3"), std::string::npos);
    EXPECT_EQ(count("select summe anzahl from tisch where tischnr = 12"), 5.50);
}

// A row held by another program: the job stays, order is kept, and the next
// poll goes on from it.
TEST_F(Jobs, LockConflictKeepsTheJobAndTheOrder) {
    post({"D;12;1;11;3"});
    queue->poll();
    take_trace();
    db::Database till2;
    open_other(till2);
    till2.execute("update tisch set text = text where tischnr = 12");  // holds the row, not committed
    post({"D;12;2;11;3", "D;1;1;40;3"});
    queue->poll();
    queue->poll();
    auto lines = take_trace();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("gesperrt, Job"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("gesperrt, Job"), std::string::npos) << lines[1];
    EXPECT_EQ(queued(), 2);
    EXPECT_EQ(booked(12, "11"), 1);
    EXPECT_EQ(booked(1, "40"), 0) << "a later job does not overtake the held one";
    till2.rollback();
    queue->poll();
    EXPECT_EQ(take_trace(), (Lines{"Tisch 12 2*11 Pils 0,5l", "Tisch 1 1*40 Tomatensuppe"}));
    EXPECT_EQ(booked(12, "11"), 3);
    EXPECT_EQ(booked(1, "40"), 1);
    EXPECT_EQ(queued(), 0);
}

// The server's attachment is cut off by the database (as when the database
// server restarts): the job stays and runs after the connection is back.
TEST_F(Jobs, LostConnectionKeepsTheJobAndReconnects) {
    post({"D;12;1;11;3"});
    queue->poll();
    const auto own = db.query_first("select current_connection id from rdb$database")->integer("id");
    relay.execute("delete from mon$attachments where mon$attachment_id = :id", {{"id", own}});
    relay.commit();
    post({"D;12;2;11;3"});
    take_trace();
    queue->poll();
    auto lines = take_trace();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("Datenbankverbindung unterbrochen"), std::string::npos) << lines.back();
    EXPECT_EQ(queued(), 1);
    queue->poll();
    lines = take_trace();
    EXPECT_EQ(lines, (Lines{"Datenbankverbindung wiederhergestellt", "Tisch 12 2*11 Pils 0,5l"}));
    EXPECT_EQ(booked(12, "11"), 3);
    EXPECT_EQ(queued(), 0);
}

TEST_F(Jobs, NoJobRunsInsideAConsoleOperation) {
    post({"D;12;1;11;3"});
    {
        db::UnitOfWork console(db);  // e.g. an input box of the console is open
        queue->poll();
        EXPECT_EQ(queued(), 1);
        console.commit();
    }
    queue->poll();
    EXPECT_EQ(queued(), 0);
    EXPECT_EQ(booked(12, "11"), 1);
}

TEST_F(Jobs, BadMessagesAreTracedAndTheQueueGoesOn) {
    const std::string binary = "\x01\xFF\x7F;12;\x80\x9F;;3";
    post({"", ";", std::string(300, 'D'), binary, "D;12;1;11' or '1'='1;3", "D;12;1;11;3 or 1=1",
          "D;12;1;11;3';drop table kasseb;--", "D;12;1;11;3"});
    queue->poll();
    EXPECT_EQ(queued(), 0);
    EXPECT_EQ(booked(12, "11"), 1);
    EXPECT_EQ(count("select count(*) anzahl from rdb$relations where rdb$relation_name = 'KASSEB'"), 1);
}

}  // namespace
