// The station file tillset4.ini and the rest of the station-settings load:
// the company row `firma`, the VAT preset of the till state, the console
// captions and help text, and the business date. The file is 493 lines of
// Windows-1252 bytes read by position; its decoding is a pure function over
// the bytes, the load around it is thin.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"

namespace tl {

constexpr int kStationFileLines = 493;

// Splits the file's bytes into exactly 493 lines. CR LF, a lone LF and a
// lone CR each end a line; missing lines are empty, lines past 493 are
// dropped; every other byte (NUL included) stays part of its line.
std::vector<std::string> station_file_lines(std::string_view bytes);

// Applies the lines to `s` in line order. Returns the conversion error text
// when a line stops the load (lines 9, 10, 11, 26); the lines before it are
// applied, the ones after it are not. Empty when every line was applied.
std::string apply_station_file(const std::vector<std::string>& lines, StationSettings& s);

// What the window shows after a load: the captions of the console and the
// help memo, texts as the catalogue gives them.
struct ConsoleCaptions {
    std::string help_menu;
    std::string menu_text, menu_search, menu_printer;
    std::string label_article, label_quantity, label_price;
    std::string label_sum;
    std::string label_receipt_no;
    std::string label_text, label_vat;
    std::string label_positions, label_password, label_table;
    std::string button_book, button_storno, button_bill;
    std::string button_close;
    std::string button_show;
    std::string button_functions, button_receipts, button_ticket;
    std::vector<std::string> help_lines;
};

ConsoleCaptions console_captions();

struct StationLoad {
    bool file_read = false;     // tillset4.ini existed and was read
    bool captions_set = false;  // the load got as far as the captions
    bool completed = false;     // business date computed, nothing stopped the load
    std::string error;          // the message shown when the load stopped
    ConsoleCaptions captions;
    std::string vat_caption;    // the preset rate with two decimals
};

// The whole load in its order: station file, company row, VAT preset,
// captions, business date. A stopping error is shown through ctx.dialogs
// and returned. The file is ctx.workdir / "tillset4.ini".
StationLoad load_station_settings(Context& ctx);

}  // namespace tl
