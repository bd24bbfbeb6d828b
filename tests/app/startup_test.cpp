#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/server.h"
#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "tests/support/fixture.h"

namespace {

namespace fs = std::filesystem;

TEST(DatabaseName, FromAngebotDb) {
    struct Case {
        const char* what;
        std::vector<std::string> angebot;
        bool nolocalhost;
        std::string expected;
    };
    const Case cases[] = {
        {"remote, Windows directory", {"", "", "", "", "", "d:\\data", "server", "1"}, false,
         "server/3050:d:\\data\\korvex.fdb"},
        {"remote, POSIX directory", {"", "", "", "", "", "/srv/kasse", "127.0.0.1", "1"}, false,
         "127.0.0.1/3050:/srv/kasse/korvex.fdb"},
        {"local", {"", "", "", "", "", "d:\\data", "server", "0"}, false, "localhost:/kasse/korvex.fdb"},
        {"local with nolocalhost.txt", {"", "", "", "", "", "d:\\data", "server", "0"}, true, "/kasse/korvex.fdb"},
        {"mode neither 0 nor 1", {"", "", "", "", "", "d:\\data", "server", "2"}, false, ""},
        {"shorter than 8 lines", {"1", "2", "3"}, false, ""},
        {"empty file", {}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(tl::database_name(c.angebot, "/kasse", c.nolocalhost), c.expected);
    }
}

TEST(StartupFiles, LinesEndWithCrLfLfOrCr) {
    tltest::TempDir dir;
    tltest::write_file(dir / "a", "eins\r\nzwei\ndrei\rvier");
    EXPECT_EQ(*tl::read_text_lines(dir / "a"), (std::vector<std::string>{"eins", "zwei", "drei", "vier"}));
    EXPECT_FALSE(tl::read_text_lines(dir / "fehlt").has_value());
}

TEST(StartupFiles, ConsoleOptionsOfPda3Ini) {
    tltest::TempDir dir;
    const tl::ConsoleOptions read = tl::read_console_options({"0", "0", "0", "0", "1", "1"});
    EXPECT_TRUE(read.ohne_storno);
    EXPECT_TRUE(read.nur_einzelbon);
    EXPECT_TRUE(read.einzelpos);
    ASSERT_TRUE(tl::write_console_options(dir / "pda3.ini", tl::ConsoleOptions{true, false, true}));
    EXPECT_EQ(tltest::read_file(dir / "pda3.ini"), "0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n");
}

TEST(StartupMessages, MissingDatabaseAndConnectionFailure) {
    tl::set_catalogue_language(1);
    EXPECT_EQ(tl::missing_database_message(),
              "Die Datenbank wurde nicht gefunden.\rDie Datei korvex.fdb muss sich im aktuellen\r"
              "Korvex-Verzeichnis befinden, das ist nicht der Fall !\r\rAm besten installieren Sie die Software neu !");
    EXPECT_EQ(tl::connection_failure_message("server/3050:d:\\data\\korvex.fdb"),
              "Die Datenbankverbindung ist fehlgeschlagen !\n"
              "\n"
              "Das kann folgende Ursachen haben:\n"
              "\n"
              "- der Datenbankrechner ist nicht gestartet\n"
              "- auf dem Datenbankrechner ist Firebird nicht gestartet\n"
              "- das Netzwerk ist nicht funktionsfähig\n"
              "- ein Firewall blockiert Port 3050\n"
              "- die Netzwerkeinstellungen sind nicht richtig\n"
              "\n"
              "Datenbank: server/3050:d:\\data\\korvex.fdb");
}

TEST(InstanceLock, ASecondHolderIsRefusedUntilTheFirstEnds) {
    tltest::TempDir dir;
    auto first = tl::InstanceLock::acquire(dir / "tablinker.lock");
    ASSERT_TRUE(first);
    EXPECT_FALSE(tl::InstanceLock::acquire(dir / "tablinker.lock"));
    first.reset();
    EXPECT_TRUE(tl::InstanceLock::acquire(dir / "tablinker.lock"));
}

// Waits for a file a started program writes; the bound only keeps a broken
// start from hanging the test.
bool appears(const fs::path& file) {
    for (int i = 0; i < 500 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(file);
}

void write_script(const fs::path& file, const fs::path& marker) {
    tltest::write_file(file, "#!/bin/sh\npwd > '" + marker.string() + ".tmp' && mv '" + marker.string() + ".tmp' '" +
                                 marker.string() + "'\n");
    fs::permissions(file, fs::perms::owner_all);
}

TEST(Siblings, StartFromTheWorkingDirectoryWithOrWithoutExeElseFromPath) {
    tltest::TempDir dir, bin;
    write_script(dir / "netrelay", dir / "relay.started");
    write_script(dir / "signhost.exe", dir / "sign.started");
    write_script(bin / "tablinker-test-sibling", dir / "path.started");

    EXPECT_TRUE(tl::start_sibling(dir.path(), "netrelay"));
    EXPECT_TRUE(tl::start_sibling(dir.path(), "signhost"));
    const std::string old_path = std::getenv("PATH");
    ::setenv("PATH", (bin.path().string() + ":" + old_path).c_str(), 1);
    EXPECT_TRUE(tl::start_sibling(dir.path(), "tablinker-test-sibling"));
    ::setenv("PATH", old_path.c_str(), 1);
    EXPECT_FALSE(tl::start_sibling(dir.path(), "gibt-es-nicht"));

    ASSERT_TRUE(appears(dir / "relay.started"));
    ASSERT_TRUE(appears(dir / "sign.started"));
    ASSERT_TRUE(appears(dir / "path.started"));
    EXPECT_EQ(tltest::read_file(dir / "relay.started"), dir.path().string() + "\n");
    EXPECT_EQ(tltest::read_file(dir / "path.started"), dir.path().string() + "\n");
}

class ServerTest : public tltest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db.close();
    }
    tl::FixedClock clock;
    tl::ScriptedDialogs dialogs;
};

TEST_F(ServerTest, UnknownConfigurationKeysAreTracedOnce) {
    tltest::write_file(dir / "tablinker.conf", "db.password=masterkey\nfarbe=blau\nport.lpt1=bon.txt\nkaputt\n");
    tl::Server server(dir.path(), clock, dialogs);
    ASSERT_FALSE(server.start().ended);
    server.reload_station_settings();
    server.reload_station_settings();
    const auto& m = server.trace().messages();
    EXPECT_EQ(std::count(m.begin(), m.end(), "tablinker.conf: unbekannter Schlüssel farbe"), 1);
    EXPECT_EQ(std::count(m.begin(), m.end(), "tablinker.conf: Zeile ohne Schlüssel=Wert: kaputt"), 1);
    EXPECT_TRUE(dialogs.messages.empty());
    server.finish();
}

TEST_F(ServerTest, AStationFileErrorIsShownOnceNotAtEveryActivation) {
    tltest::write_file(dir / "tillset4.ini", "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nsechs\r\n");
    tl::Server server(dir.path(), clock, dialogs);
    ASSERT_FALSE(server.start().ended);
    server.reload_station_settings();
    server.reload_station_settings();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"'sechs' ist kein gültiger Integerwert"});
    const auto& m = server.trace().messages();
    EXPECT_EQ(std::count(m.begin(), m.end(), "'sechs' ist kein gültiger Integerwert"), 2);

    tltest::write_file(dir / "tillset4.ini", "");
    EXPECT_TRUE(server.reload_station_settings().completed);
    tltest::write_file(dir / "tillset4.ini", "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nsechs\r\n");
    server.reload_station_settings();
    EXPECT_EQ(dialogs.messages.size(), 2u);
    server.finish();
}

TEST_F(ServerTest, TseRowStartsTheSigningService) {
    db.open();
    db.execute("insert into tse (tse_aktiv) values ('1')");
    db.commit();
    db.close();
    write_script(dir / "signhost", dir / "sign.started");
    tl::Server server(dir.path(), clock, dialogs);
    ASSERT_FALSE(server.start().ended);
    EXPECT_TRUE(server.tse_active());
    EXPECT_TRUE(appears(dir / "sign.started"));
    server.finish();
}

}  // namespace
