// The till end to end: the real tablinker binary runs headless on the demo
// working directory (demo master data, demo station file, the receipt,
// kitchen and bar printers mapped to files) while a second attachment puts
// tablet messages into the job queue, as the relay does.
#include <gtest/gtest.h>

#include <signal.h>

#include "core/format.h"
#include "db/database.h"
#include "tests/support/fixture.h"
#include "tests/support/server_process.h"
#include "tools/dev_data.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class TillRun : public ::testing::Test {
protected:
    void SetUp() override {
        db_path = tltest::fresh_database(dir / "korvex.fdb", true);
        tl::devdata::write_demo_station_files(dir.path().string());
        relay.set_name(db_path);
        relay.open();
    }
    void TearDown() override {
        server.reset();
        relay.close();
    }
    void start() {
        server = std::make_unique<tltest::ServerProcess>(TABLINKER_BINARY, dir.path(), runtime.path() / "run", "server" + std::to_string(++runs));
        ASSERT_TRUE(tltest::eventually([&] {
            return server->running() && count("select count(*) anzahl from logbuch where text starting with 'Start PDA-Server'") >= runs;
        })) << server->err();
    }
    void post(const std::vector<std::string>& messages) {
        for (const auto& m : messages)
            relay.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)", {{"jobid", relay.generator("netjobid")}, {"puffer", m}});
        relay.commit();
    }
    double count(const std::string& sql, const db::Params& params = {}) {
        relay.commit();
        return relay.scalar(sql, params, "anzahl");
    }
    bool queue_empty(int seconds = 30) {
        return tltest::eventually([&] { return count("select count(*) anzahl from netjob") == 0; }, seconds);
    }
    Lines printed(const std::string& file) { return tltest::printed_lines(dir / file); }

    tltest::TempDir dir;
    tltest::TempDir runtime;
    std::string db_path;
    db::Database relay;
    std::unique_ptr<tltest::ServerProcess> server;
    int runs = 0;
};

TEST_F(TillRun, MessagesOfTheRelayAreBookedByTheNextPoll) {
    start();
    post({"D;12;2;11;3"});
    ASSERT_TRUE(queue_empty(10)) << server->err();
    EXPECT_EQ(count("select sum(menge) anzahl from kasseb where artikelnummer = '11' and tischnr = 12"), 2);
    EXPECT_NE(server->out().find("Tisch 12 2*11 Pils 0,5l"), std::string::npos) << server->out();
}

// Each job is committed together with the deletion of its row: whenever the
// server dies, every job is either booked and gone or unbooked and queued.
TEST_F(TillRun, KilledInTheMiddleOfABatchEveryJobIsBookedExactlyOnce) {
    constexpr int kJobs = 3000;
    std::vector<std::string> messages;
    // Tables 1..5 in turn, each always served by its own waiter (1, 2, 3, 1, 2).
    for (int i = 0; i < kJobs; ++i) {
        const int table = 1 + i % 5;
        messages.push_back("D;" + std::to_string(table) + ";1;11;" + std::to_string(1 + (table - 1) % 3));
    }
    post(messages);
    start();
    ASSERT_TRUE(tltest::eventually([&] { return count("select count(*) anzahl from netjob") <= kJobs - 300; }, 60));
    server->signal(SIGKILL);
    server->wait();
    const double left = count("select count(*) anzahl from netjob");
    const double booked = count("select sum(menge) anzahl from kasseb where artikelnummer = '11'");
    EXPECT_GT(left, 0) << "the kill came after the batch";
    EXPECT_EQ(booked + left, kJobs);
    start();
    ASSERT_TRUE(queue_empty(60)) << server->err();
    EXPECT_EQ(count("select sum(menge) anzahl from kasseb where artikelnummer = '11'"), kJobs);
    for (int table = 1; table <= 5; ++table)
        EXPECT_EQ(count("select sum(menge) anzahl from kasseb where artikelnummer = '11' and tischnr = :t", {{"t", table}}), kJobs / 5);
}

TEST_F(TillRun, OrderRoundPrintsKitchenAndBarTicketsOnce) {
    start();
    post({"D;12;2;40;3", "D;12;1;11;3", "B;12;;;3"});
    ASSERT_TRUE(queue_empty(10)) << server->err();
    const Lines kitchen = printed("kueche.txt");
    const Lines bar = printed("bar.txt");
    ASSERT_EQ(kitchen.size(), 8u) << server->err();
    EXPECT_EQ(kitchen[1], "Tisch: 12");
    EXPECT_EQ(kitchen[2], "Bestellung # 1");
    EXPECT_EQ(kitchen.back(), "2 X 40 Tomatensuppe            ");
    ASSERT_EQ(bar.size(), 5u);
    EXPECT_EQ(bar.back(), "1 X 11 Pils 0,5l               ");
    post({"B;12;;;3"});
    ASSERT_TRUE(queue_empty(10));
    EXPECT_EQ(printed("kueche.txt"), kitchen) << "a second round without new positions prints nothing";
    EXPECT_EQ(printed("bar.txt"), bar);
}

TEST_F(TillRun, BillIsPrintedSettledAndTheTableFreed) {
    start();
    post({"D;12;2;40;3", "D;12;1;11;3", "B;12;;;3"});
    ASSERT_TRUE(queue_empty(10));
    const long long beleg = static_cast<long long>(count("select belegnr anzahl from tisch where tischnr = 12"));
    post({"R;12;4711;3,00;3;0"});
    ASSERT_TRUE(queue_empty(10)) << server->err();
    const Lines bon = printed("bondrucker.txt");
    ASSERT_FALSE(bon.empty()) << server->err();
    EXPECT_EQ(bon.front(), "Gasthaus Zur Linde");
    double total = 0, gross = 0;
    for (const auto& l : bon) {
        if (l.find("Summe EUR :") != std::string::npos) total = tl::number_or_zero(l.substr(l.find(':') + 1));
        if (l.rfind("Brutto ", 0) == 0) gross += tl::number_or_zero(l.substr(l.find('%') + 1));
    }
    EXPECT_DOUBLE_EQ(total, 2 * 5.50 + 4.80);
    EXPECT_DOUBLE_EQ(gross, total) << "the VAT lines add up to the total";
    EXPECT_NE(std::find(bon.begin(), bon.end(), "Betrag in Bar erhalten"), bon.end());
    EXPECT_EQ(count("select count(*) anzahl from kasseb where belegnr = :b and (abgerechnet <> 'X' or abgerechnet is null)", {{"b", beleg}}), 0);
    EXPECT_EQ(count("select count(*) anzahl from kasseb where belegnr = :b and datumk is not null and kellnerk = 3 and uhrzeitk <> ''", {{"b", beleg}}), 4);
    EXPECT_EQ(count("select count(*) anzahl from beleg where belegnr = :b", {{"b", beleg}}), 1);
    EXPECT_EQ(count("select count(*) anzahl from tisch where tischnr = 12 and status = 'F' and belegnr = 0"), 1);
}

}  // namespace
