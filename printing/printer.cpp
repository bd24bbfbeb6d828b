// Printer profiles, line output on every target, end codes and the device
// functions beside printing.
#include "printing/printer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "catalogue/catalogue.h"
#include "db/database.h"

namespace tl {

namespace {

// Restores a flag when the scope is left, also by an exception.
class FlagRestore {
public:
    FlagRestore(bool& flag, bool value) : flag_(flag), value_(value) {}
    ~FlagRestore() { flag_ = value_; }
    FlagRestore(const FlagRestore&) = delete;
    FlagRestore& operator=(const FlagRestore&) = delete;

private:
    bool& flag_;
    bool value_;
};

bool is_port_name(const std::string& anschluss) {
    return anschluss.starts_with("com") || anschluss.starts_with("lpt");
}

int dots_per_mm(int dots_per_inch) { return static_cast<int>(std::lround(dots_per_inch / 25.4)); }

constexpr std::string_view kDrawerSignal = "Xqaxde dsdvt fjkj";

}  // namespace

std::string umlaut(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE4: c = '\x84'; break;  // ä
        case 0xFC: c = '\x81'; break;  // ü
        case 0xF6: c = '\x94'; break;  // ö
        case 0xC4: c = '\x8E'; break;  // Ä
        case 0xDC: c = '\x9A'; break;  // Ü
        case 0xD6: c = '\x99'; break;  // Ö
        case 0xDF: c = '\xE1'; break;  // ß
        case 0xE9: c = '\x82'; break;  // é
        case 0xE8: c = '\x8A'; break;  // è
        case 0xEA: c = '\x88'; break;  // ê
        default: break;
        }
    }
    return out;
}

int print_number(const std::string& text) {
    std::string_view s = text;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) {
        throw PrintError("'" + text + "' ist kein gültiger Integerwert");
    }
    return value;
}

Printer::Printer(Context& ctx) : ctx_(ctx) {}

Printer::~Printer() { end_print_document(); }

void Printer::lade_drucker(int pc_number, int printer_number) {
    auto row = ctx_.db.query_first("select * from drucker where pcnummer = :pc and druckernr = :nr",
                                   {{"pc", pc_number}, {"nr", printer_number}});
    if (!row) return;
    StationSettings& s = ctx_.settings;
    s.printer_port = row->text("anschluss");
    s.use_system_printer = !is_port_name(s.printer_port);
    if (s.use_system_printer) {
        const auto names = installed_printer_names();
        auto it = std::find(names.begin(), names.end(), s.printer_port);
        s.system_printer_index = it == names.end() ? 0 : static_cast<int>(it - names.begin());
    }
    s.serial_baud = row->text("baudrate");
    s.serial_parity = row->text("paritaet");
    s.serial_data_bits = row->text("datenbits");
    s.serial_stop_bits = row->text("stopbits");
    s.serial_set_dtr = false;
    s.serial_set_rts = false;
    s.sartk = row->text("sartk");
    s.sgrok = row->text("sgrok");
    s.zhoek = row->text("zhoek");
    s.sartp = row->text("sartp");
    s.sgrop = row->text("sgrop");
    s.zhoep = row->text("zhoep");
    s.sartb = row->text("sartb");
    s.sgrob = row->text("sgrob");
    s.zhoeb = row->text("zhoeb");
    s.sart4 = row->text("sart4");
    s.sgro4 = row->text("sgro4");
    s.shoe4 = row->text("shoe4");
    s.lrbeleg = row->text("lrbeleg");
    s.lrbon = static_cast<int>(row->integer("lrbon"));
    s.blattb = static_cast<int>(row->integer("blattb"));
    s.blatth = static_cast<int>(row->integer("blatth"));
    s.logob = row->text("logob");
    s.logoh = row->text("logoh");
    s.logolehr = row->text("logolehr");
    s.print_fiscal_qr = row->text("qrcode") == "1";
}

void Printer::use_font(char slot) {
    const StationSettings& s = ctx_.settings;
    const std::string* name = &s.sartp;
    const std::string* size = &s.sgrop;
    const std::string* height = &s.zhoep;
    switch (slot) {
    case 'k': name = &s.sartk; size = &s.sgrok; height = &s.zhoek; break;
    case 'b': name = &s.sartb; size = &s.sgrob; height = &s.zhoeb; break;
    case '4': name = &s.sart4; size = &s.sgro4; height = &s.shoe4; break;
    default: break;
    }
    int font_size = 0;
    int line_height = 0;
    try {
        font_size = print_number(*size);
        line_height = print_number(*height);
    } catch (const PrintError&) {
        // The document is abandoned here. What was drawn is released, as a
        // port printer has printed its lines by now; the next document must
        // not run on in the same pages.
        document_.end();
        throw;
    }
    current_font_name = *name;
    current_font_size = font_size;
    current_line_height = line_height;
}

void Printer::drucke(const std::string& line) {
    if (ctx_.settings.printer_on != "1") return;
    if (ctx_.dispatch.ebon_mode) {
        drucke_ebon(line);
        return;
    }
    if (ctx_.settings.use_system_printer) {
        drucke_system(line);
        return;
    }
    drucke_port(line);
}

// The one place of e-receipt output. Until the e-receipt page is attached,
// the receipt is printed on paper instead of being lost.
void Printer::drucke_ebon(const std::string& line) {
    if (ebon_page_line) {
        ebon_page_line(line);
        return;
    }
    if (ctx_.settings.use_system_printer) {
        drucke_system(line);
        return;
    }
    drucke_port(line);
}

bool Printer::open_document() {
    const StationSettings& s = ctx_.settings;
    const int count = static_cast<int>(installed_printer_names().size());
    const int index = s.system_printer_index >= 0 && s.system_printer_index < count ? s.system_printer_index : 0;
    if (!document_.begin(index, document_name)) {
        if (!no_printer_reported_) ctx_.meldung("Systemdrucker nicht bereit: " + s.printer_port);
        no_printer_reported_ = true;
        return false;
    }
    no_printer_reported_ = false;
    print_y = 0;
    dots_per_mm_x = dots_per_mm(document_.dpi_x());
    dots_per_mm_y = dots_per_mm(document_.dpi_y());
    line_height_dots = 4 * dots_per_mm_y;
    page_height_dots = document_.page_height();
    if (print_logo && std::filesystem::exists(ctx_.workdir / "logo.bmp")) {
        try {
            draw_logo();
        } catch (const PrintError&) {
            document_.end();
            throw;
        }
    }
    margin_prefix.assign(static_cast<std::size_t>(std::max(s.lrbon, 0)), ' ');
    return true;
}

void Printer::draw_logo() {
    const StationSettings& s = ctx_.settings;
    try {
        const int width = print_number(s.logob);
        const int height = print_number(s.logoh);
        document_.draw_image(ctx_.workdir / "logo.bmp", s.blattb, 0, s.blattb + width, height);
    } catch (const PrintError&) {
        // A logo that cannot be drawn is left out; the receipt goes on.
    }
    line_height_dots = current_line_height * dots_per_mm_y;
    print_y = print_number(s.logolehr) * line_height_dots;
}

void Printer::drucke_system(const std::string& line) {
    if (!document_.is_open() && !open_document()) return;
    document_.set_font(current_font_name, current_font_size, true);
    line_height_dots = current_line_height * dots_per_mm_y;
    if (current_font_name.empty()) use_font('p');
    document_.draw_text(0, print_y, margin_prefix + line);
    print_y += line_height_dots;
    if (print_y >= page_height_dots - 10 * dots_per_mm_y) {
        document_.new_page();
        print_y = dots_per_mm_y;
    }
}

void Printer::drucke_port(const std::string& line) {
    const StationSettings& s = ctx_.settings;
    const std::string bytes = umlaut(line);
    if (s.printer_port.starts_with("lpt")) {
        append_to_device(device_of(s.printer_port), bytes + "\r\n");
        pause_ms(s.parallel_line_pause_ms);
        return;
    }
    if (!s.printer_port.starts_with("com")) return;
    open_com();
    printer_line_.write(bytes);
    pause_ms(s.serial_line_pause_ms);
    if (append_crlf) printer_line_.write("\r\n");
    append_crlf = true;
    close_com();
}

std::filesystem::path Printer::device_of(const std::string& port) const {
    return port_device(ctx_.config, ctx_.workdir, port);
}

void Printer::form_feed() {
    if (ctx_.settings.form_feed_at_end) drucke(std::string(1, '\x0C'));
}

void Printer::end_sequence() {
    if (!ctx_.settings.send_end_sequence) return;
    append_crlf = false;
    FlagRestore restore(append_crlf, true);
    drucke(ctx_.settings.end_sequence);
}

// The end code of the Windows drivers is drawn in their device font
// "Control". CUPS drivers have no such font: the text "PEe" would come out
// as three letters at the top of the page, or as a page of its own. So on
// this platform the driver end code sends nothing; cutting and drawer
// opening come from the printer's PPD options and from `end_sequence`.
void Printer::driver_end_code() {}

void Printer::end_print_document() { document_.end(); }

// Each line keeps its own settings between uses; DTR and RTS follow the
// printer line's switches on all three.
void Printer::open_line(SerialLine& line, SerialConfig& config, const std::string& port) {
    config.dtr = ctx_.settings.serial_set_dtr;
    config.rts = ctx_.settings.serial_set_rts;
    line.open(device_of(port), config);
}

void Printer::open_com() {
    const StationSettings& s = ctx_.settings;
    printer_line_config_.apply(s.serial_baud, s.serial_parity, s.serial_data_bits, s.serial_stop_bits);
    open_line(printer_line_, printer_line_config_, s.printer_port);
}

void Printer::close_com() { printer_line_.close(); }

void Printer::open_com2() {
    const StationSettings& s = ctx_.settings;
    display_line_config_.apply(s.display_baud, s.display_parity, s.display_data_bits, s.display_stop_bits);
    open_line(display_line_, display_line_config_, s.display_port);
}

void Printer::close_com2() { display_line_.close(); }

void Printer::open_com3() {
    drawer_line_config_.apply("9600", "none", "8", "2");
    open_line(drawer_line_, drawer_line_config_, ctx_.settings.drawer_port);
}

void Printer::close_com3() { drawer_line_.close(); }

void Printer::kundis(const std::string& text, int row) {
    const std::string shown = text.substr(0, 20);
    open_com2();
    if (row == 1) display_line_.write("\x0C");
    if (row == 2) display_line_.write("\x1F\x24\x01\x02");
    for (char c : shown) {
        display_line_.write(std::string_view(&c, 1));
        pause_ms(5);
    }
    close_com2();
}

void Printer::ladecom() {
    open_com3();
    for (char c : kDrawerSignal) {
        drawer_line_.write(std::string_view(&c, 1));
        pause_ms(5);
    }
    close_com3();
}

void Printer::open_drawer() {
    StationSettings& s = ctx_.settings;
    if (s.drawer_via_printer) {
        lade_drucker(s.pc_number, s.receipt_printer_number);
        append_crlf = false;
        FlagRestore crlf(append_crlf, true);
        FlagRestore ebon(ctx_.dispatch.ebon_mode, ctx_.dispatch.ebon_mode);
        ctx_.dispatch.ebon_mode = false;
        drucke(s.drawer_sequence);
    }
    if (s.drawer_serial) ladecom();
}

void Printer::print_mehrzeil(const std::string& article_no) {
    auto row = ctx_.db.query_first("select text from material where artikelnummer = :nr", {{"nr", article_no}});
    if (!row) return;
    const std::string text = row->text("text");
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pieces.size() < 10) {
        const std::size_t cr = text.find('\r', pos);
        if (cr == std::string::npos) break;
        pieces.push_back(text.substr(pos, cr - pos));
        pos = cr + 2;
    }
    if (pieces.size() < 2) return;
    const std::string indent(static_cast<std::size_t>(std::max(ctx_.settings.price_width - 1, 0)), ' ');
    for (std::size_t i = 1; i < pieces.size(); ++i) drucke(indent + pieces[i]);
}

std::string Printer::toggle_printer_on() {
    StationSettings& s = ctx_.settings;
    if (s.printer_on != "1") {
        s.printer_on = "1";
        return catalogue_text(1005);
    }
    s.printer_on = "0";
    return catalogue_text(1006);
}

}  // namespace tl
