// The real tablinker binary, run headless in a temporary working directory
// with a fresh database. Each run has its own XDG_RUNTIME_DIR, so its
// single-instance lock is its own; waits are bounded only so that a broken
// binary cannot hang the suite.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

#include "core/win1252.h"
#include "db/database.h"
#include "tests/support/fixture.h"
#include "tests/support/server_process.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

using tltest::ServerProcess;

class TablinkerRun : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }

    // A working directory holding a fresh korvex.fdb.
    void with_database() {
        db_path = tltest::fresh_database(dir / "korvex.fdb");
        watcher.set_name(db_path);
    }
    long long log_rows(const std::string& text) {
        if (!watcher.is_open()) watcher.open();
        return static_cast<long long>(watcher.scalar("select count(*) as n from logbuch where text = :text",
                                                     {{"text", text}}, "n"));
    }
    bool log_row_appears(const std::string& text, ServerProcess& run) {
        for (int i = 0; i < 3000 && run.running(); ++i) {
            if (log_rows(text) > 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return log_rows(text) > 0;
    }

    tltest::TempDir dir;
    tltest::TempDir runtime_dir;
    fs::path runtime = runtime_dir / "run";
    std::string db_path;
    db::Database watcher;
};

TEST_F(TablinkerRun, StartWritesTheLogBookRowAndEmptiesTheLogfile) {
    with_database();
    tltest::write_file(dir / "logfile.txt", "11.12.2026 10:00:00        D;12;2;4711;3\r\n");
    ServerProcess server(TABLINKER_BINARY, dir.path(), runtime, "server");
    ASSERT_TRUE(log_row_appears("Start PDA-Server Version 20.22.12", server)) << server.err();
    EXPECT_EQ(tltest::read_file(dir / "logfile.txt"), "");
    EXPECT_TRUE(server.running());
    server.signal(SIGINT);
    EXPECT_EQ(server.wait(), 0);
}

TEST_F(TablinkerRun, ASecondCopyEndsAtOnceAndLeavesTheFirstRunning) {
    with_database();
    ServerProcess first(TABLINKER_BINARY, dir.path(), runtime, "first");
    ASSERT_TRUE(log_row_appears("Start PDA-Server Version 20.22.12", first)) << first.err();
    ServerProcess second(TABLINKER_BINARY, dir.path(), runtime, "second");
    EXPECT_EQ(second.wait(), 0);
    EXPECT_EQ(second.out(), "");
    EXPECT_EQ(second.err(), "");
    EXPECT_TRUE(first.running());
    EXPECT_EQ(log_rows("Start PDA-Server Version 20.22.12"), 1);
    first.signal(SIGTERM);
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(log_rows("Ende PDA-Server Version 20.22.12"), 1);
}

TEST_F(TablinkerRun, ClosingWritesPda3IniAndTheEndRow) {
    with_database();
    tltest::write_file(dir / "pda3.ini", "0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n");
    ServerProcess server(TABLINKER_BINARY, dir.path(), runtime, "server");
    ASSERT_TRUE(log_row_appears("Start PDA-Server Version 20.22.12", server)) << server.err();
    EXPECT_EQ(log_rows("Ende PDA-Server Version 20.22.12"), 0);
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait(), 0);
    EXPECT_EQ(tltest::read_file(dir / "pda3.ini"), "0\r\n0\r\n0\r\n1\r\n1\r\n0\r\n");
    EXPECT_EQ(log_rows("Ende PDA-Server Version 20.22.12"), 1) << server.err() << server.out();
}

TEST_F(TablinkerRun, LocalModeWithoutKorvexFdbShowsTheMissingDatabaseMessageAndEnds) {
    tltest::write_file(dir / "angebot.db", "\r\n\r\n\r\n\r\n\r\nd:\\data\r\nserver\r\n0\r\n");
    tltest::write_file(dir / "logfile.txt", "alt\r\n");
    ServerProcess server(TABLINKER_BINARY, dir.path(), runtime, "server");
    EXPECT_EQ(server.wait(), 1);
    EXPECT_NE(server.err().find("Die Datenbank wurde nicht gefunden.\n"
                                "Die Datei korvex.fdb muss sich im aktuellen\n"
                                "Korvex-Verzeichnis befinden, das ist nicht der Fall !\n"
                                "\n"
                                "Am besten installieren Sie die Software neu !\n"),
              std::string::npos)
        << server.err();
    EXPECT_FALSE(fs::exists(dir / "pda3.ini"));
}

TEST_F(TablinkerRun, AnUnreachableServerShowsTheConnectionFailureAndEnds) {
    // Nothing listens on port 3050 of the loopback: the attachment is
    // refused at once.
    tltest::write_file(dir / "angebot.db", "\r\n\r\n\r\n\r\n\r\n/nirgends\r\n127.0.0.1\r\n1\r\n");
    ServerProcess server(TABLINKER_BINARY, dir.path(), runtime, "server");
    EXPECT_EQ(server.wait(), 1);
    EXPECT_NE(server.out().find("127.0.0.1/3050:/nirgends/korvex.fdb"), std::string::npos) << server.out();
    EXPECT_NE(server.err().find("Die Datenbankverbindung ist fehlgeschlagen !\n"
                                "\n"
                                "Das kann folgende Ursachen haben:\n"
                                "\n"
                                "- der Datenbankrechner ist nicht gestartet\n"
                                "- auf dem Datenbankrechner ist Firebird nicht gestartet\n"
                                "- das Netzwerk ist nicht funktionsfähig\n"
                                "- ein Firewall blockiert Port 3050\n"
                                "- die Netzwerkeinstellungen sind nicht richtig\n"
                                "\n"
                                "Datenbank: 127.0.0.1/3050:/nirgends/korvex.fdb\n"),
              std::string::npos)
        << server.err();
    EXPECT_FALSE(fs::exists(dir / "pda3.ini"));
}

}  // namespace
