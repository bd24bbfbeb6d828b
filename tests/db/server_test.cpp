// The database layer against a Firebird server on loopback (remote mode of
// the till): the test starts a server of its own, with a private root, port
// and lock directory, on a copy of the system's security database.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>

#include "db/database.h"
#include "tests/support/fixture.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSystemRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";
const fs::path kServer = "/usr/sbin/firebird";
const fs::path kSecurity = "/var/lib/firebird/3.0/system/security3.fdb";

bool port_open(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// The SYSDBA password Debian set for the installed server.
std::string system_password() {
    std::ifstream in("/etc/firebird/3.0/SYSDBA.password");
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_search(line, m, std::regex("ISC_PASSWORD=\"?([^\"]*)\"?"))) return m[1];
    return {};
}

class Server : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new tltest::TempDir;
        const fs::path r = root->path();
        for (const char* n : {"plugins", "lib", "UDF", "firebird.msg", "plugins.conf"}) fs::create_symlink(kSystemRoot / n, r / n);
        fs::create_directories(r / "intl");
        fs::create_directories(r / "lock");
        for (const auto& e : fs::directory_iterator(kSystemRoot / "intl")) fs::copy_file(e.path(), r / "intl" / e.path().filename());
        fs::copy_file(kSecurity, r / "security3.fdb");
        port = 31000 + ::getpid() % 2000;
        std::ofstream(r / "firebird.conf") << "ServerMode = Super\nRemoteServicePort = " << port
                                           << "\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = " << (r / "security3.fdb").string() << "\n";
        pid = ::fork();
        if (pid == 0) {
            ::setenv("FIREBIRD", r.c_str(), 1);
            ::setenv("FIREBIRD_LOCK", (r / "lock").c_str(), 1);
            execl(kServer.c_str(), "firebird", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 500 && !port_open(port); ++i) ::usleep(20000);
    }
    static void TearDownTestSuite() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        delete root;
    }
    std::string remote_name() { return "127.0.0.1/" + std::to_string(port) + ":" + tltest::fresh_database(dir / "korvex.fdb"); }

    static tltest::TempDir* root;
    static int port;
    static pid_t pid;
    tltest::TempDir dir;
};

tltest::TempDir* Server::root = nullptr;
int Server::port = 0;
pid_t Server::pid = -1;

TEST_F(Server, WrongPasswordIsAClearError) {
    ASSERT_TRUE(port_open(port)) << "the test server did not start";
    db::Database database;
    database.set_name(remote_name());
    database.set_login({"SYSDBA", "falsch"});
    try {
        database.open();
        FAIL() << "opened with a wrong password";
    } catch (const db::Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("user name and password are not defined"), std::string::npos) << message;
        EXPECT_NE(message.find(std::to_string(port)), std::string::npos) << "names the database: " << message;
        EXPECT_FALSE(e.lock_conflict());
    }
    EXPECT_FALSE(database.is_open());
}

TEST_F(Server, RightPasswordOpensTheDatabaseThroughTheServer) {
    ASSERT_TRUE(port_open(port)) << "the test server did not start";
    const std::string password = system_password();
    if (password.empty()) GTEST_SKIP() << "the installed server's SYSDBA password is not readable here";
    db::Database database;
    database.set_name(remote_name());
    database.set_login({"SYSDBA", password});
    database.open();
    database.execute("insert into netjob (jobid, puffer) values (1, 'Grüße')");
    database.commit();
    EXPECT_EQ(database.query_first("select puffer from netjob")->text("puffer"), "Grüße");
}

// A server that goes away under an open connection: the next statement fails
// as a lost connection, which the job queue answers by opening it again.
TEST_F(Server, ServerGoneIsALostConnection) {
    ASSERT_TRUE(port_open(port)) << "the test server did not start";
    const std::string password = system_password();
    if (password.empty()) GTEST_SKIP() << "the installed server's SYSDBA password is not readable here";
    db::Database database;
    database.set_name(remote_name());
    database.set_login({"SYSDBA", password});
    database.open();
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
    try {
        database.query("select * from netjob");
        FAIL() << "a statement on a dead server succeeded";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.connection_lost()) << e.what();
    }
    EXPECT_THROW(database.reconnect(), db::Error);
}

}  // namespace
