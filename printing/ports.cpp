// Port devices: the device map, the appended parallel port, the serial line.
#include "printing/ports.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QSerialPort>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <thread>

#include "core/config.h"

namespace tl {

namespace {

// "lpt1" -> 1; 0 when the name carries no port number.
int port_number(const std::string& port) {
    if (port.size() <= 3) return 0;
    int n = 0;
    const char* first = port.data() + 3;
    const char* last = port.data() + port.size();
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || end != last || n < 1) return 0;
    return n;
}

bool under_dev(const std::filesystem::path& path) {
    auto it = path.begin();
    if (it == path.end() || *it != "/") return false;
    ++it;
    return it != path.end() && *it == "dev";
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::filesystem::path port_device(const Config& config, const std::filesystem::path& workdir,
                                  const std::string& port) {
    const std::string key = "port." + port;
    if (config.has(key)) {
        std::filesystem::path mapped = config.get(key);
        if (mapped.empty()) return {};
        return mapped.is_absolute() ? mapped : workdir / mapped;
    }
    const int n = port_number(port);
    if (n == 0) return {};
    if (port.starts_with("lpt")) return "/dev/lp" + std::to_string(n - 1);
    if (port.starts_with("com")) return "/dev/ttyS" + std::to_string(n - 1);
    return {};
}

bool append_to_device(const std::filesystem::path& device, std::string_view bytes) {
    if (device.empty()) return false;
    int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (!under_dev(device)) flags |= O_CREAT;
    int fd = ::open(device.c_str(), flags, 0644);
    if (fd < 0) return false;
    // Non-blocking only for the open; the line itself is written whole.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = write_all(fd, bytes);
    return ::close(fd) == 0 && written;
}

void SerialConfig::apply(const std::string& baud_text, const std::string& parity_text,
                         const std::string& data_bits_text, const std::string& stop_bits_text) {
    static const char* const rates[] = {"300",  "600",   "1200",  "2400",  "4800",
                                        "9600", "19200", "38400", "57600", "115200"};
    for (const char* r : rates) {
        if (baud_text == r) baud = std::stoi(baud_text);
    }
    if (parity_text == "even") parity = Parity::even;
    if (parity_text == "odd") parity = Parity::odd;
    if (parity_text == "none") parity = Parity::none;
    if (data_bits_text == "7") data_bits = 7;
    if (data_bits_text == "8") data_bits = 8;
    if (stop_bits_text == "1") stop_bits = 1;
    if (stop_bits_text == "2") stop_bits = 2;
}

struct SerialLine::Impl {
    // A new port object per use: Qt applies an object's earlier settings
    // while opening, and a line that refused one of them (a pseudo-terminal
    // has no parity) would then not open again.
    std::unique_ptr<QSerialPort> port;
    int baud = 9600;
};

SerialLine::SerialLine() : impl_(std::make_unique<Impl>()) {}

SerialLine::~SerialLine() { close(); }

bool SerialLine::open(const std::filesystem::path& device, const SerialConfig& config) {
    close();
    if (device.empty()) return false;
    impl_->port = std::make_unique<QSerialPort>();
    QSerialPort& port = *impl_->port;
    port.setPortName(QString::fromStdString(device.string()));
    if (!port.open(QIODevice::ReadWrite)) {
        impl_->port.reset();
        return false;
    }
    port.setBaudRate(config.baud);
    port.setDataBits(config.data_bits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
    switch (config.parity) {
    case SerialConfig::Parity::none: port.setParity(QSerialPort::NoParity); break;
    case SerialConfig::Parity::even: port.setParity(QSerialPort::EvenParity); break;
    case SerialConfig::Parity::odd: port.setParity(QSerialPort::OddParity); break;
    }
    port.setStopBits(config.stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    // Lines without modem-control signals (a pseudo-terminal, some adapters)
    // refuse DTR and RTS; the data still goes out.
    port.setDataTerminalReady(config.dtr);
    port.setRequestToSend(config.rts);
    port.clearError();
    impl_->baud = config.baud;
    return true;
}

bool SerialLine::is_open() const { return impl_->port && impl_->port->isOpen(); }

void SerialLine::write(std::string_view bytes) {
    if (!is_open() || bytes.empty()) return;
    QSerialPort& port = *impl_->port;
    port.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // No flow control: the bytes leave at line speed. The bound only stops a
    // dead line (a full buffer nobody reads) from holding the server.
    const int ms = 1000 + static_cast<int>(bytes.size() * 11 * 1000 / std::max(impl_->baud, 300));
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(ms)) break;
    }
}

void SerialLine::close() {
    if (!is_open()) {
        impl_->port.reset();
        return;
    }
    QSerialPort& port = *impl_->port;
    // Qt puts back the settings it found when it closes the port, at once.
    // The line first drains, so the last bytes of a line do not leave at
    // the restored speed, and then keeps the till's settings, as the ports
    // of the till's own platform do: a device between two lines sees one
    // steady line, and the settings can be read back on the line.
    const int fd = static_cast<int>(port.handle());
    termios applied{};
    const bool have = fd >= 0 && ::tcdrain(fd) == 0 && ::tcgetattr(fd, &applied) == 0;
    const int keep = have ? ::dup(fd) : -1;
    port.close();
    impl_->port.reset();
    if (keep < 0) return;
    ::tcsetattr(keep, TCSANOW, &applied);
    ::close(keep);
}

void pause_ms(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace tl
