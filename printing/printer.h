// The printer of the running server: printer profiles (table `drucker`),
// the one line-output operation `drucke` with its targets (parallel port,
// serial port, system printer, e-receipt page), the font slots, the
// document end codes, and the device functions beside printing: code page
// 437 conversion, the three serial lines, the customer display, the cash
// drawer, continuation lines of article texts and the printer on/off switch.
//
// Every document producer (kitchen tickets, cancellation tickets, the guest
// receipt, reports) works the same way: lade_drucker for its profile,
// use_font for a slot, drucke per line, then the end-code blocks it needs
// and end_print_document. Ports are opened and closed within each line; a
// system-printer document stays open from its first line to
// end_print_document. Single-threaded; nothing here is re-entrant.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/context.h"
#include "printing/ports.h"
#include "printing/system_printer.h"

namespace tl {

// A size, line height or count of the printer settings that is not a
// number. The document being produced is abandoned; the calling event shows
// the message.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Code page 437 for the printers: the German umlauts, ß and é è ê move to
// their 437 positions, every other byte stays.
std::string umlaut(std::string_view text);

// A number of the printer settings held as decimal text ("10", "4").
// Throws PrintError with the German conversion message otherwise.
int print_number(const std::string& text);

class Printer {
public:
    explicit Printer(Context& ctx);
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Printer state.
    bool append_crlf = true;   // serial printer: CR LF after the next line
    bool print_logo = false;   // draw logo.bmp when the next document opens
    std::string current_font_name;
    int current_font_size = 10;    // points
    int current_line_height = 4;   // millimetres
    // Page state of the open system-printer document, in device dots.
    int dots_per_mm_x = 0;
    int dots_per_mm_y = 0;
    int line_height_dots = 0;
    int print_y = 0;
    int page_height_dots = 0;
    std::string margin_prefix;
    // Job title of the next system-printer document.
    std::string document_name = "tablinker";
    // Receives the lines of e-receipt mode once the e-receipt page exists;
    // while it is empty those lines go to the device as on paper.
    std::function<void(const std::string& line)> ebon_page_line;

    // Loads profile (`pcnummer`, `druckernr`) into the station settings; a
    // missing profile changes nothing.
    void lade_drucker(int pc_number, int printer_number);
    // Slot 'k', 'p', 'b' or '4' becomes the current font. Throws PrintError
    // (and ends an open system-printer document there) when a size is no number.
    void use_font(char slot);
    // One line on the current target. Device failures lose the line
    // silently; only a settings text that is no number throws PrintError.
    void drucke(const std::string& line);
    bool document_open() const { return document_.is_open(); }

    // Document end codes, each under its own station switch.
    void form_feed();
    void end_sequence();
    void driver_end_code();
    void end_print_document();

    // Serial lines: receipt printer, customer display, cash drawer.
    void open_com();
    void close_com();
    void open_com2();
    void close_com2();
    void open_com3();
    void close_com3();

    // Text on the customer display, row 1 or 2, at most 20 characters.
    void kundis(const std::string& text, int row);
    // Opens the cash drawer through its own serial line.
    void ladecom();
    // The console's open-drawer command (Ctrl+F10).
    void open_drawer();
    // Continuation lines of the article text of `article_no`.
    void print_mehrzeil(const std::string& article_no);
    // The console's printer on/off command (Ctrl+D); returns the new caption
    // of the menu item.
    std::string toggle_printer_on();

private:
    void drucke_system(const std::string& line);
    void drucke_port(const std::string& line);
    void drucke_ebon(const std::string& line);
    bool open_document();
    void draw_logo();
    std::filesystem::path device_of(const std::string& port) const;
    void open_line(SerialLine& line, SerialConfig& config, const std::string& port);

    Context& ctx_;
    SystemPrinterDocument document_;
    SerialConfig printer_line_config_, display_line_config_, drawer_line_config_;
    SerialLine printer_line_, display_line_, drawer_line_;
    bool no_printer_reported_ = false;
};

}  // namespace tl
