#include "app/station_settings_loader.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "catalogue/catalogue.h"
#include "core/business_date.h"
#include "core/format.h"
#include "db/database.h"

namespace tl {

namespace {

bool on(const std::string& v) { return v == "1"; }

std::optional<int> to_int(std::string_view v) {
    const auto n = parse_integer(v);
    if (!n) return std::nullopt;
    return static_cast<int>(*n);
}

int int_or(std::string_view v, int fallback) { return to_int(v).value_or(fallback); }

std::string first_two(const std::string& v) { return v.substr(0, 2); }

std::string not_an_integer(const std::string& v) { return "'" + v + "' ist kein gültiger Integerwert"; }

// The eight places of a byte sequence (lines 51-58, 59-66): a code per
// non-empty line, a blank for an empty or unreadable one; blanks are
// removed at the end, a code 32 with them.
std::string byte_sequence(const std::vector<std::string>& lines, int first) {
    std::string seq;
    for (int n = first; n < first + 8; ++n) {
        const std::string& v = lines[n - 1];
        const auto code = v.empty() ? std::nullopt : to_int(v);
        seq += code ? static_cast<char>(((*code % 256) + 256) % 256) : ' ';
    }
    std::string out;
    for (char c : seq)
        if (c != ' ') out += c;
    return out;
}

std::string text_or(const std::string& v, const char* fallback) { return v.empty() ? std::string(fallback) : v; }

// Lines 9, 10, 11 and 26: empty takes the default, anything else must be an
// integer or the load stops.
bool strict_width(const std::string& v, int fallback, int& field, std::string& error) {
    if (v.empty()) {
        field = fallback;
        return true;
    }
    const auto n = to_int(v);
    if (!n) {
        error = not_an_integer(v);
        return false;
    }
    field = *n;
    return true;
}

}  // namespace

std::vector<std::string> station_file_lines(std::string_view bytes) {
    std::vector<std::string> lines;
    lines.reserve(kStationFileLines);
    std::string cur;
    size_t i = 0;
    while (i < bytes.size() && static_cast<int>(lines.size()) < kStationFileLines) {
        const char c = bytes[i++];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
            lines.push_back(std::move(cur));
            cur.clear();
            continue;
        }
        cur += c;
    }
    if (!cur.empty() && static_cast<int>(lines.size()) < kStationFileLines) lines.push_back(std::move(cur));
    lines.resize(kStationFileLines);
    return lines;
}

std::string apply_station_file(const std::vector<std::string>& lines, StationSettings& s) {
    auto L = [&](int n) -> const std::string& { return lines[n - 1]; };
    std::string error;

    static const char* const ports[] = {"lpt1", "lpt2", "lpt3", "lpt4", "com1", "com2", "com3", "com4"};
    for (int n = 1; n <= 8; ++n)
        if (on(L(n))) s.printer_port = ports[n - 1];

    if (!strict_width(L(9), 3, s.qty_width, error)) return error;
    if (!strict_width(L(10), 6, s.price_width, error)) return error;
    if (!strict_width(L(11), 24, s.article_width, error)) return error;
    s.amount_width = int_or(L(12), 7);
    for (int k = 0; k < 5; ++k) s.head_lines[k] = L(13 + k);
    for (int k = 0; k < 5; ++k) s.foot_lines[k] = L(18 + k);
    s.head_feed = int_or(L(23), 0);
    s.tail_feed = int_or(L(24), 0);
    s.printer_on = "1";
    if (!strict_width(L(26), 1, s.till_number, error)) return error;

    if (on(L(28))) s.serial_parity = "even";
    if (on(L(29))) s.serial_parity = "odd";
    if (on(L(30))) s.serial_data_bits = "7";
    if (on(L(31))) s.serial_data_bits = "8";
    if (on(L(32))) s.serial_parity = "none";
    if (on(L(33))) s.serial_stop_bits = "1";
    if (on(L(34))) s.serial_stop_bits = "2";
    s.serial_baud = L(35);
    s.form_feed_at_end = on(L(36));
    s.stock_keeping = on(L(37));
    s.use_system_printer = on(L(42));
    s.system_printer_index = int_or(L(44), 0);
    s.lrbon = int_or(L(45), 0);
    s.serial_set_dtr = on(L(47));
    s.serial_set_rts = on(L(48));
    s.drawer_via_printer = on(L(49));
    s.send_end_sequence = on(L(50));
    s.drawer_sequence = byte_sequence(lines, 51);
    s.end_sequence = byte_sequence(lines, 59);
    if (on(L(67))) s.printer_port = L(68);

    s.print_till_line = on(L(73));
    s.header_indent = int_or(L(74), 0);
    s.storno_password = L(75);
    {
        const auto b = to_int(L(76)), h = to_int(L(77));
        s.blattb = b && h ? *b : 200;
        s.blatth = b && h ? *h : 280;
    }
    s.customer_display = on(L(78));
    static const char* const coms[] = {"com1", "com2", "com3", "com4"};
    for (int n = 79; n <= 82; ++n)
        if (on(L(n))) s.display_port = coms[n - 79];
    if (on(L(84))) s.display_data_bits = "7";
    if (on(L(85))) s.display_data_bits = "8";
    if (on(L(86))) s.display_parity = "even";
    if (on(L(87))) s.display_parity = "odd";
    if (on(L(88))) s.display_parity = "none";
    if (on(L(89))) s.display_stop_bits = "1";
    if (on(L(90))) s.display_stop_bits = "2";
    if (!L(95).empty()) s.display_port = L(95);
    s.display_baud = L(96);
    s.display_idle_line_1 = L(97);
    s.display_idle_line_2 = L(98);
    s.drawer_serial = on(L(99));
    s.drawer_port = L(100);

    s.hide_zero_amounts = on(L(102));
    s.print_second_text_line = on(L(103));
    s.table_group = L(104);
    s.table_group = L(105);
    s.day_change_time = L(106);
    s.compact_layout = on(L(107));
    s.merge_positions = on(L(108));
    s.sartk = text_or(L(109), "Courier");
    s.sgrok = text_or(L(110), "10");
    s.zhoek = text_or(L(111), "4");
    s.sartp = text_or(L(112), "Courier");
    s.sgrop = text_or(L(113), "10");
    s.zhoep = text_or(L(114), "4");
    s.sartb = text_or(L(115), "Courier");
    s.sgrob = text_or(L(116), "10");
    s.zhoeb = text_or(L(117), "4");
    s.lrbeleg = text_or(L(118), "5");
    s.logob = text_or(L(119), "300");
    s.logoh = text_or(L(120), "300");
    s.logolehr = text_or(L(121), "11");

    s.foreign_tables = on(L(123));
    s.receipt_printer_number = int_or(first_two(L(124)), 1);
    s.second_printer_number = int_or(first_two(L(125)), 1);
    s.table_discount = on(L(138));
    s.table_label = L(139).empty() ? catalogue_text(1263) : L(139);
    s.ticket_unit_price = on(L(140));
    if (L(141).empty()) s.serial_line_pause_ms = 5;
    else if (const auto v = to_int(L(141))) s.serial_line_pause_ms = *v;
    if (L(142).empty()) s.parallel_line_pause_ms = 100;
    else if (const auto v = to_int(L(142))) s.parallel_line_pause_ms = *v;
    s.close_code = text_or(L(147), "close");
    s.print_served_by = !on(L(148));
    s.no_ingredient_list = on(L(190));
    s.ticket_table_text = on(L(209));
    s.hide_table_on_receipt = on(L(212));
    s.hide_room_number = on(L(215));
    s.print_guest_number = on(L(216));
    s.happy_schedule = on(L(218));
    s.happy_from = L(219);
    s.happy_to = L(220);
    for (int k = 0; k < 7; ++k) s.happy_days[k] = L(221 + k).substr(0, 1);
    s.ticket_hide_article_number = on(L(229));
    s.ticket_receipt_number = on(L(236));
    s.single_tickets = on(L(238));
    s.ticket_round_line = on(L(243));
    s.ticket_article_width = int_or(L(248), s.article_width);
    s.ticket_sort_by_vat = on(L(249));
    s.ticket_second_text_line = on(L(254));
    s.ticket_total = on(L(255));
    s.print_article_number = on(L(256));
    s.ticket_per_unit = on(L(259));
    s.ticket_amount = on(L(260));
    s.print_storno_ticket = on(L(263));
    s.sort_by_vat = on(L(265));
    s.ticket_hide_date = on(L(274));
    s.ticket_hide_waiter_table = on(L(275));
    s.storno_ticket_switch_1 = on(L(277));
    s.tax_number = L(283);
    s.kitchen_text_on_receipt = on(L(286));
    s.ticket_position_separator = on(L(291));
    s.ticket_department_summary = on(L(292));
    s.default_kitchen_printer = first_two(L(295));
    s.also_route_second_2 = on(L(296));
    s.use_table_waiter = on(L(335));
    for (int k = 0; k < 7; ++k) s.happy_groups[k] = L(338 + k).substr(0, 15);
    s.ticket_extra_line_1 = L(346);
    s.ticket_extra_line_2 = L(347);
    s.ticket_text_from_article = on(L(349));
    s.ticket_sort_by_article = on(L(350));
    s.ticket_sort_by_position = on(L(355));
    s.group_by_course = on(L(358));
    s.hide_zero_positions = on(L(360));
    s.ticket_round_label = text_or(L(371), "Bestellung #");
    s.pc_number = int_or(L(372), 1);
    s.ticket_number_on_table_line = on(L(373));
    s.no_driver_end_code = on(L(375));
    s.hide_signature_line = on(L(404));
    s.storno_ticket_receipt_profile = on(L(408));
    s.print_payment_line = on(L(411));
    s.also_route_second = on(L(417));
    s.no_course_headings = on(L(419));
    s.route_by_second_columns = on(L(431));
    {
        const auto head = to_int(L(432)), tail = to_int(L(433));
        s.ticket_head_feed = head && tail ? *head : 0;
        s.ticket_tail_feed = head && tail ? *tail : 0;
    }
    s.show_hidden_priced = on(L(434));
    if (!L(441).empty()) s.receipt_printer_number = int_or(first_two(L(441)), 1);
    s.account_name_h = text_or(L(455), "Hausgast");
    s.account_name_a = text_or(L(456), "all inclusive");
    s.account_name_v = text_or(L(457), "Visa Karte");
    s.account_name_s = text_or(L(458), "Sonderkonto");
    s.terminal_host = L(462);
    s.terminal_port = L(463);
    s.card_terminal = on(L(465));
    for (int k = 0; k < 5; ++k) s.terminal_head_lines[k] = L(467 + k);
    for (int k = 0; k < 5; ++k) s.terminal_foot_lines[k] = L(472 + k);
    s.terminal_line_width = int_or(L(477), 20);
    s.both_ticket_kinds = on(L(480));
    s.receipt_text_from_article = on(L(492));
    s.ticket_additional_text = on(L(493));
    return {};
}

ConsoleCaptions console_captions() {
    auto t = [](int n) { return catalogue_text(n); };
    ConsoleCaptions c;
    c.help_menu = t(1004);
    c.menu_text = t(241);
    c.menu_search = t(676);
    c.menu_printer = t(1005);
    c.label_article = t(1007);
    c.label_quantity = t(267);
    c.label_price = t(266);
    c.label_sum = t(312);
    c.label_receipt_no = t(381);
    c.label_text = t(241);
    c.label_vat = t(1010);
    c.label_positions = t(304);
    c.label_password = t(27);
    c.label_table = t(1271);
    c.button_book = t(705);
    c.button_storno = t(517);
    c.button_bill = t(800);
    c.button_close = t(55);
    c.button_show = t(234);
    c.button_functions = t(965);
    c.button_receipts = t(9);
    c.button_ticket = t(1070);
    c.help_lines = {
        t(1012), t(1013), t(1014), t(1015), t(1016), t(1017), t(1018),
        "F8      schliessen",
        "F9      drucken",
        "F10     Tisch schliesen",
        "F11     Tische anzeigen",
        "F12     Küchenkommentar",
        t(1025), t(1026), t(1027), t(1029),
        "Strg F8 " + t(1066),
        "Strg F10 Kassenlade öffnen",
        "Strg C   Kundenzuordnung",
        "Strg R   Rabatt",
        "Strg G   Eingabe Gastname",
        "Strg B   Drucken Teilrechnung",
        "Strg U   Drucken Endabrechnung",
        "Strg M   Menge minus eins",
        "Strg L   Logdatei zeigen",
        "Strg K   Kellnerumsatz drucken",
        "Strg E   Drucken Einzelpositionen",
        "Strg X   Happy Hour ein/aus",
        "Entf     Bondruck",
    };
    return c;
}

StationLoad load_station_settings(Context& ctx) {
    StationLoad r;
    StationSettings& s = ctx.settings;

    std::ifstream in(ctx.workdir / "tillset4.ini", std::ios::binary);
    if (in) {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        r.file_read = true;
        r.error = apply_station_file(station_file_lines(bytes.str()), s);
        if (!r.error.empty()) {
            ctx.dialogs.message(r.error);
            return r;
        }
    }

    if (const auto firma = ctx.db.query_first("select * from firma")) {
        s.vat_rate_a = firma->number("mehrwertsteuer");
        s.vat_rate_b = firma->number("mwst2");
        s.vat_rate_c = firma->number("mwst3");
        s.net_prices = firma->text("nettop") == "1";
        s.currency = firma->text("waehrung");
    }

    ctx.till.vat_class = "1";
    ctx.till.vat_letter = "A";
    ctx.till.vat_rate = s.vat_rate_a;
    r.vat_caption = format_amount(s.vat_rate_a);

    r.captions = console_captions();
    r.captions_set = true;

    if (s.day_change_time.empty()) s.day_change_time = "08:00";
    const auto date = business_date_at(ctx.clock.now(), s.day_change_time);
    if (!date) {
        r.error = "'" + s.day_change_time + "' ist keine gültige Uhrzeit";
        ctx.dialogs.message(r.error);
        return r;
    }
    s.business_date = *date;
    r.completed = true;
    ctx.changed();
    return r;
}

}  // namespace tl
