// The port devices under the printer: where a port name of the station file
// or a printer profile ("lpt1", "com2") lives on this machine, the parallel
// port written as an appended device file, and one serial line over
// QSerialPort. Every port is opened for one use and closed at once; nothing
// here keeps a device open between calls. The header is plain C++ so the
// printer itself never sees Qt.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tl {

struct Config;

// The device path of a port name: `port.<name>` of tablinker.conf (a
// relative path is taken in `workdir`), else /dev/lp0.. for lpt1.. and
// /dev/ttyS0.. for com1... Empty when the name has no device (an empty map
// entry, a name without a port number).
std::filesystem::path port_device(const Config& config, const std::filesystem::path& workdir,
                                  const std::string& port);

// Opens the device for appending, writes the bytes, closes it. False when it
// could not be opened or written. Never blocks on opening: a FIFO without a
// reader or a device that is not there fails at once. Regular files are
// created when missing, except under /dev (a missing printer device must not
// turn into a file).
bool append_to_device(const std::filesystem::path& device, std::string_view bytes);

// The settings a serial line keeps between uses, like the serial component
// of a till station: starting from 9600 8N1, each setting is replaced only
// by a text from its value set.
struct SerialConfig {
    enum class Parity { none, even, odd };
    int baud = 9600;
    int data_bits = 8;
    Parity parity = Parity::none;
    int stop_bits = 1;
    bool dtr = false;
    bool rts = false;

    // Texts as the station file and the printer profiles hold them:
    // baud "300".."115200", parity "even"/"odd"/"none", data bits "7"/"8",
    // stop bits "1"/"2". A text outside its set leaves that setting as it was.
    void apply(const std::string& baud_text, const std::string& parity_text, const std::string& data_bits_text,
               const std::string& stop_bits_text);
};

// One serial line: opened read/write and exclusive, without flow control,
// with the line settings and DTR/RTS applied. Writes block until the bytes
// are out. A line that cannot be opened ignores writes.
class SerialLine {
public:
    SerialLine();
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    bool open(const std::filesystem::path& device, const SerialConfig& config);
    bool is_open() const;
    void write(std::string_view bytes);
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

void pause_ms(int ms);

}  // namespace tl
