// StationSettings: the one in-memory record of the station's values. The
// station file tillset4.ini fills most fields (its loader lives in app/), the
// company row `firma` gives rates and currency, the business-date check keeps
// `business_date`, and the printer-profile loader (printing/) overwrites the
// printer fields before each document. Everyone else only reads it.
//
// Kinds follow the station file: switches are bools, texts keep the line as
// it stood (sizes and counts that are converted only when used stay texts).
#pragma once

#include <array>
#include <string>

#include "datetime.h"

namespace tl {

struct StationSettings {
    // Receipt printer and its serial line.
    std::string printer_port;  // "lpt1".."com4", or a system printer name
    std::string serial_baud;
    std::string serial_parity;     // "even", "odd", "none"
    std::string serial_data_bits;  // "7", "8"
    std::string serial_stop_bits;  // "1", "2"
    bool serial_set_dtr = false;
    bool serial_set_rts = false;
    bool use_system_printer = false;
    int system_printer_index = 0;
    std::string printer_on = "1";
    bool form_feed_at_end = false;
    bool send_end_sequence = false;
    bool drawer_via_printer = false;
    std::string drawer_sequence;  // raw bytes, spaces removed
    std::string end_sequence;     // raw bytes, spaces removed
    bool no_driver_end_code = false;
    int serial_line_pause_ms = 5;
    int parallel_line_pause_ms = 100;

    // Fonts of system printers: slots k, p, b and 4 (name, size, line height
    // in millimetres), and the logo geometry in printer dots.
    std::string sartk = "Courier", sgrok = "10", zhoek = "4";
    std::string sartp = "Courier", sgrop = "10", zhoep = "4";
    std::string sartb = "Courier", sgrob = "10", zhoeb = "4";
    std::string sart4, sgro4, shoe4;
    std::string lrbeleg = "5";
    int lrbon = 0;
    int blattb = 200;
    int blatth = 280;
    std::string logob = "300", logoh = "300", logolehr = "11";
    bool print_fiscal_qr = false;

    // Receipt layout.
    int qty_width = 3;
    int price_width = 6;
    int article_width = 24;
    int amount_width = 7;
    std::array<std::string, 5> head_lines;
    std::array<std::string, 5> foot_lines;
    int head_feed = 0;
    int tail_feed = 0;
    bool print_till_line = false;
    int header_indent = 0;
    bool hide_zero_amounts = false;
    bool print_second_text_line = false;
    std::string table_label = "Tisch";
    bool print_served_by = true;
    bool hide_table_on_receipt = false;
    bool hide_room_number = false;
    bool print_guest_number = false;
    bool print_article_number = false;
    bool sort_by_vat = false;
    bool kitchen_text_on_receipt = false;
    bool group_by_course = false;
    bool hide_zero_positions = false;
    bool hide_signature_line = false;
    bool print_payment_line = false;
    bool show_hidden_priced = false;
    bool receipt_text_from_article = false;
    std::string tax_number;
    std::string account_name_h = "Hausgast";
    std::string account_name_a = "all inclusive";
    std::string account_name_v = "Visa Karte";
    std::string account_name_s = "Sonderkonto";

    // Station identity and booking.
    int till_number = 1;
    int pc_number = 1;
    int receipt_printer_number = 1;
    int second_printer_number = 1;
    bool stock_keeping = false;
    std::string storno_password;
    std::string table_group;
    std::string day_change_time = "08:00";
    bool compact_layout = false;
    bool merge_positions = false;
    bool foreign_tables = false;
    bool table_discount = false;
    std::string close_code = "close";
    bool use_table_waiter = false;

    // Happy hour: per weekday, Monday first.
    bool happy_schedule = false;
    std::string happy_from;
    std::string happy_to;
    std::array<std::string, 7> happy_days;    // "1" = happy hour that day
    std::array<std::string, 7> happy_groups;  // "3" or "3,5"; empty = all groups

    // Customer display and cash drawer.
    bool customer_display = false;
    std::string display_port;
    std::string display_baud;
    std::string display_data_bits;
    std::string display_parity;
    std::string display_stop_bits;
    std::string display_idle_line_1;
    std::string display_idle_line_2;
    bool drawer_serial = false;
    std::string drawer_port;

    // Kitchen and cancellation tickets.
    bool ticket_unit_price = false;
    bool no_ingredient_list = false;
    bool ticket_table_text = false;
    bool ticket_hide_article_number = false;
    bool ticket_receipt_number = false;
    bool single_tickets = false;
    bool ticket_round_line = false;
    int ticket_article_width = 24;
    bool ticket_sort_by_vat = false;
    bool ticket_second_text_line = false;
    bool ticket_total = false;
    bool ticket_per_unit = false;
    bool ticket_amount = false;
    bool print_storno_ticket = false;
    bool ticket_hide_date = false;
    bool ticket_hide_waiter_table = false;
    bool storno_ticket_switch_1 = false;
    bool ticket_position_separator = false;
    bool ticket_department_summary = false;
    std::string default_kitchen_printer;  // first two characters of the line
    bool also_route_second_2 = false;
    std::string ticket_extra_line_1;
    std::string ticket_extra_line_2;
    bool ticket_text_from_article = false;
    bool ticket_sort_by_article = false;
    bool ticket_sort_by_position = false;
    std::string ticket_round_label = "Bestellung #";
    bool ticket_number_on_table_line = false;
    bool storno_ticket_receipt_profile = false;
    bool also_route_second = false;
    bool no_course_headings = false;
    bool route_by_second_columns = false;
    int ticket_head_feed = 0;
    int ticket_tail_feed = 0;
    bool both_ticket_kinds = false;
    bool ticket_additional_text = false;

    // Card terminal.
    std::string terminal_host;
    std::string terminal_port;
    bool card_terminal = false;
    std::array<std::string, 5> terminal_head_lines;
    std::array<std::string, 5> terminal_foot_lines;
    int terminal_line_width = 20;

    // Company row `firma`.
    double vat_rate_a = 0;
    double vat_rate_b = 0;
    double vat_rate_c = 0;
    bool net_prices = false;
    std::string currency;

    // Fiscal signing unit in use (`tse.tse_aktiv` = "1").
    bool tse_active = false;

    // Computed from the clock and `day_change_time`.
    Date business_date;

    // Receipt width W.
    int receipt_width() const { return amount_width + qty_width + price_width + article_width + 2; }
};

}  // namespace tl
