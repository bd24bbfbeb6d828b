#include "tests/printing/printer_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QGuiApplication>

#include "catalogue/catalogue.h"

namespace tltest {

namespace {

// Qt's serial ports and printers want an application object, as in the
// server; the tests run without a display.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char arg0[] = "printing_tests";
        static char* argv[] = {arg0, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const qt_environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

void PrinterTest::SetUp() {
    ContextTest::SetUp();
    settings.parallel_line_pause_ms = 0;
    settings.serial_line_pause_ms = 0;
    printer = std::make_unique<tl::Printer>(ctx);
}

void PrinterTest::TearDown() {
    printer.reset();
    ContextTest::TearDown();
}

void PrinterTest::insert_profile(const Profile& p) {
    db.execute(
        "insert into drucker (pcnummer, druckernr, anschluss, baudrate, paritaet, datenbits, stopbits, "
        "sartk, sartp, sartb, sgrok, sgrop, sgrob, zhoek, zhoep, zhoeb, sart4, sgro4, shoe4, "
        "lrbeleg, lrbon, blattb, blatth, logob, logoh, logolehr, qrcode) values (:pc, :nr, :anschluss, :baud, "
        ":parity, :data, :stop, :font, :font, :font, :size, :size, :size, :height, :height, :height, :font, "
        ":size, :height, :lrbeleg, :lrbon, :blattb, 280, :logob, :logoh, :logolehr, :qrcode)",
        {{"pc", p.pc}, {"nr", p.nr}, {"anschluss", p.anschluss}, {"baud", p.baudrate}, {"parity", p.paritaet},
         {"data", p.datenbits}, {"stop", p.stopbits}, {"font", p.font}, {"size", p.size}, {"height", p.height},
         {"lrbeleg", p.lrbeleg}, {"lrbon", p.lrbon}, {"blattb", p.blattb}, {"logob", p.logob},
         {"logoh", p.logoh}, {"logolehr", p.logolehr}, {"qrcode", p.qrcode}});
    db.commit();
}

Pty::Pty() {
    char name[128] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
    name_ = name;
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

Pty::~Pty() {
    ::close(master_);
    ::close(slave_);
}

std::string Pty::read(std::size_t count) {
    std::string got;
    // The kernel hands the bytes to the master side a moment after the
    // write; wait for them, and briefly for any that should not be there.
    for (;;) {
        pollfd p{master_, POLLIN, 0};
        const int wait_ms = got.size() < count ? 3000 : 100;
        if (::poll(&p, 1, wait_ms) <= 0) break;
        char buf[256];
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

termios Pty::attributes() const {
    termios t{};
    ::tcgetattr(slave_, &t);
    return t;
}

}  // namespace tltest
