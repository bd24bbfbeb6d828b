// Shared by the printing tests: a server context around a fresh database
// and a temporary working directory, printer profiles in table `drucker`,
// and a pseudo-terminal standing in for a serial device.
#pragma once

#include <termios.h>

#include <memory>
#include <string>

#include "core/context.h"
#include "printing/printer.h"
#include "tests/support/till_fixture.h"

namespace tltest {

struct Profile {
    int pc = 1;
    int nr = 1;
    std::string anschluss = "lpt1";
    std::string baudrate = "9600";
    std::string paritaet = "none";
    int datenbits = 8;
    int stopbits = 1;
    std::string font = "Courier";
    int size = 10;
    int height = 4;
    int lrbeleg = 5;
    int lrbon = 0;
    int blattb = 200;
    int logob = 300;
    int logoh = 300;
    int logolehr = 11;
    std::string qrcode = "0";
};

class PrinterTest : public ContextTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void insert_profile(const Profile& p);
    // Maps a port name of the settings to a device path (tablinker.conf).
    void map_port(const std::string& port, const std::string& path) { config.values["port." + port] = path; }

    std::unique_ptr<tl::Printer> printer;
};

// A pseudo-terminal in raw mode; the test reads on the master side what the
// server writes to the slave device.
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    const std::string& device() const { return name_; }
    // Reads until `count` bytes arrived (or nothing more comes), then
    // returns them; anything beyond `count` that is already there is
    // returned too.
    std::string read(std::size_t count);
    termios attributes() const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string name_;
};

}  // namespace tltest
