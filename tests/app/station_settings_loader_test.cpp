#include <gtest/gtest.h>

#include <map>

#include "app/station_settings_loader.h"
#include "catalogue/catalogue.h"
#include "db/database.h"
#include "tests/support/fixture.h"

namespace {

// A station file: the given lines, every other one empty, `count` lines.
std::string station_file(const std::map<int, std::string>& lines, int count = 493, const std::string& eol = "\r\n") {
    std::string out;
    for (int n = 1; n <= count; ++n) {
        auto it = lines.find(n);
        if (it != lines.end()) out += it->second;
        out += eol;
    }
    return out;
}

std::string codes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) out += (out.empty() ? "" : " ") + std::to_string(c);
    return out;
}

std::string yes(bool b) { return b ? "1" : "0"; }

class StationLoadTest : public tltest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        tl::set_catalogue_language(1);
        db.execute("insert into firma (mehrwertsteuer, mwst2, mwst3, nettop, waehrung) values (19, 7, 10.7, '1', 'EUR')");
        db.commit();
    }
    tl::Context context() { return {db, clock, dialogs, trace, bookings, settings, till, fields, dispatch, config, dir.path(), {}}; }
    tl::StationLoad load(const std::string& bytes) {
        tltest::write_file(dir / "tillset4.ini", bytes);
        auto ctx = context();
        return tl::load_station_settings(ctx);
    }

    tl::FixedClock clock{tl::DateTime{{2026, 12, 9}, 14, 5, 0}};
    tl::ScriptedDialogs dialogs;
    tl::Trace trace{clock};
    tl::BookingList bookings;
    tl::StationSettings settings;
    tl::TillState till;
    tl::ConsoleFields fields;
    tl::DispatcherState dispatch;
    tl::Config config;
};

using Field = std::string (*)(const tl::StationSettings&);

struct Case {
    const char* what;
    std::string file;
    int hour, minute;  // of 09.12.2026
    Field field;
    std::string expected;
    std::string message;  // shown when the load stopped
};

TEST_F(StationLoadTest, EdgeCasesOfTheStationFile) {
    const std::string garbage("\x00\xff\x1a\x80\x01zz", 7);
    const Case cases[] = {
        {"8-line file: line 6 selects com2", station_file({{6, "1"}}, 8), 14, 5,
         [](const tl::StationSettings& s) { return s.printer_port; }, "com2", ""},
        {"8-line file: later lines empty (switches, widths, fonts)", station_file({{6, "1"}}, 8), 14, 5,
         [](const tl::StationSettings& s) {
             return yes(s.print_till_line) + yes(s.merge_positions) + " " + std::to_string(s.qty_width) + "/" +
                    std::to_string(s.price_width) + "/" + std::to_string(s.article_width) + "/" +
                    std::to_string(s.amount_width) + " " + s.sartk + "/" + s.sgrok + "/" + s.zhoek + " " + s.close_code;
         },
         "00 3/6/24/7 Courier/10/4 close", ""},
        {"lines 1 and 5: the last selecting line wins", station_file({{1, "1"}, {5, "1"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.printer_port; }, "com1", ""},
        {"line 67 on: line 68 names the printer", station_file({{1, "1"}, {5, "1"}, {67, "1"}, {68, "Kasse Küche"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.printer_port; }, "Kasse Küche", ""},
        {"line 25 \"0\": printing stays on", station_file({{25, "0"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.printer_on; }, "1", ""},
        {"line 148 \"1\": no served-by line", station_file({{148, "1"}}), 14, 5,
         [](const tl::StationSettings& s) { return yes(s.print_served_by); }, "0", ""},
        {"line 148 empty: served-by line", station_file({}), 14, 5,
         [](const tl::StationSettings& s) { return yes(s.print_served_by); }, "1", ""},
        {"drawer 27 112 0 50 250 and three empty places",
         station_file({{51, "27"}, {52, "112"}, {53, "0"}, {54, "50"}, {55, "250"}}), 14, 5,
         [](const tl::StationSettings& s) { return codes(s.drawer_sequence); }, "27 112 0 50 250", ""},
        {"end sequence: 32 and a non-number drop out, 283 is taken modulo 256",
         station_file({{59, "27"}, {60, "32"}, {61, "x"}, {63, "283"}}), 14, 5,
         [](const tl::StationSettings& s) { return codes(s.end_sequence); }, "27 27", ""},
        {"07:59 against \"08:00\": yesterday", station_file({{106, "08:00"}}), 7, 59,
         [](const tl::StationSettings& s) { return tl::format_date(s.business_date); }, "08.12.2026", ""},
        {"08:00 against \"08:00\": today", station_file({{106, "08:00"}}), 8, 0,
         [](const tl::StationSettings& s) { return tl::format_date(s.business_date); }, "09.12.2026", ""},
        {"empty line 106 is \"08:00\"", station_file({}), 7, 59,
         [](const tl::StationSettings& s) { return s.day_change_time + " " + tl::format_date(s.business_date); },
         "08:00 08.12.2026", ""},
        {"line 124 \"12abc\": first two characters", station_file({{124, "12abc"}}), 14, 5,
         [](const tl::StationSettings& s) { return std::to_string(s.receipt_printer_number); }, "12", ""},
        {"line 124 \"12abc\", line 441 \"3\"", station_file({{124, "12abc"}, {441, "3"}}), 14, 5,
         [](const tl::StationSettings& s) { return std::to_string(s.receipt_printer_number); }, "3", ""},
        {"lines 124/125 not a number: 1", station_file({{124, "ab"}, {125, "x9"}}), 14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.receipt_printer_number) + "/" + std::to_string(s.second_printer_number);
         },
         "1/1", ""},
        {"line 295: first two characters", station_file({{295, "123"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.default_kitchen_printer; }, "12", ""},
        {"line 10 not an integer stops the load", station_file({{9, "4"}, {10, "6,5"}, {11, "30"}, {106, "08:00"}}), 14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.qty_width) + "/" + std::to_string(s.price_width) + "/" +
                    std::to_string(s.article_width) + " " + tl::format_date(s.business_date);
         },
         "4/6/24 01.01.1900", "'6,5' ist kein gültiger Integerwert"},
        {"line 26 not an integer stops the load", station_file({{26, "zwei"}}), 14, 5,
         [](const tl::StationSettings& s) { return std::to_string(s.till_number); }, "1",
         "'zwei' ist kein gültiger Integerwert"},
        {"invalid day-change time stops after the captions", station_file({{106, "25:99"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.day_change_time + " " + tl::format_date(s.business_date); },
         "25:99 01.01.1900", "'25:99' ist keine gültige Uhrzeit"},
        {"pair 76/77 with one non-integer: 200/280", station_file({{76, "150"}, {77, "x"}}), 14, 5,
         [](const tl::StationSettings& s) { return std::to_string(s.blattb) + "/" + std::to_string(s.blatth); },
         "200/280", ""},
        {"pair 76/77 both integers", station_file({{76, "150"}, {77, "90"}}), 14, 5,
         [](const tl::StationSettings& s) { return std::to_string(s.blattb) + "/" + std::to_string(s.blatth); },
         "150/90", ""},
        {"pair 432/433 with one non-integer: 0/0", station_file({{432, "2"}, {433, "drei"}}), 14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.ticket_head_feed) + "/" + std::to_string(s.ticket_tail_feed);
         },
         "0/0", ""},
        {"pair 432/433 both integers", station_file({{432, "2"}, {433, "3"}}), 14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.ticket_head_feed) + "/" + std::to_string(s.ticket_tail_feed);
         },
         "2/3", ""},
        {"lines 141/142 empty: 5 and 100", station_file({}), 14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.serial_line_pause_ms) + "/" + std::to_string(s.parallel_line_pause_ms);
         },
         "5/100", ""},
        {"lines 44, 45, 74, 372, 477 not integers", station_file({{44, "a"}, {45, "b"}, {74, "c"}, {372, "d"}, {477, "e"}}),
         14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.system_printer_index) + "/" + std::to_string(s.lrbon) + "/" +
                    std::to_string(s.header_indent) + "/" + std::to_string(s.pc_number) + "/" +
                    std::to_string(s.terminal_line_width);
         },
         "0/0/0/1/20", ""},
        {"line 248 invalid: article width of line 11", station_file({{11, "30"}, {248, "x"}}), 14, 5,
         [](const tl::StationSettings& s) { return std::to_string(s.ticket_article_width); }, "30", ""},
        {"parity: lines 28, 29, 32 in line order", station_file({{28, "1"}, {32, "1"}, {30, "1"}, {34, "1"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.serial_parity + s.serial_data_bits + s.serial_stop_bits; },
         "none72", ""},
        {"display port: line 95 overrides lines 79-82", station_file({{80, "1"}, {95, "com7"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.display_port; }, "com7", ""},
        {"table group: line 105 overwrites line 104", station_file({{104, "3"}, {105, "5"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.table_group; }, "5", ""},
        {"empty text lines take their defaults", station_file({}), 14, 5,
         [](const tl::StationSettings& s) {
             return s.table_label + "|" + s.ticket_round_label + "|" + s.account_name_h + "|" + s.account_name_a + "|" +
                    s.account_name_v + "|" + s.account_name_s + "|" + s.lrbeleg + s.logob + s.logoh + s.logolehr;
         },
         "Tisch|Bestellung #|Hausgast|all inclusive|Visa Karte|Sonderkonto|530030011", ""},
        {"happy hour: one character per day, groups cut at 15",
         station_file({{221, "1x"}, {227, "1"}, {338, "1,2,3,4,5,6,7,8,9"}}), 14, 5,
         [](const tl::StationSettings& s) { return s.happy_days[0] + s.happy_days[1] + s.happy_days[6] + "|" + s.happy_groups[0]; },
         "11|1,2,3,4,5,6,7,8", ""},
        {"LF-only line ends", station_file({{6, "1"}, {26, "4"}}, 493, "\n"), 14, 5,
         [](const tl::StationSettings& s) { return s.printer_port + " " + std::to_string(s.till_number); }, "com2 4", ""},
        {"CR-only line ends", station_file({{6, "1"}, {26, "4"}}, 493, "\r"), 14, 5,
         [](const tl::StationSettings& s) { return s.printer_port + " " + std::to_string(s.till_number); }, "com2 4", ""},
        {"more than 493 lines: the rest is ignored", station_file({{493, "1"}, {494, "6x"}, {600, "1"}}, 700), 14, 5,
         [](const tl::StationSettings& s) { return yes(s.ticket_additional_text); }, "1", ""},
        {"binary garbage on text and number lines", station_file({{13, garbage}, {124, garbage}, {1, garbage}}), 14, 5,
         [](const tl::StationSettings& s) {
             return std::to_string(s.head_lines[0].size()) + " " + std::to_string(s.receipt_printer_number) + " [" +
                    s.printer_port + "]";
         },
         "7 1 []", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings = tl::StationSettings{};
        dialogs.messages.clear();
        clock.set(tl::DateTime{{2026, 12, 9}, c.hour, c.minute, 0});
        const tl::StationLoad r = load(c.file);
        EXPECT_EQ(c.field(settings), c.expected);
        EXPECT_EQ(r.error, c.message);
        if (c.message.empty()) EXPECT_TRUE(dialogs.messages.empty());
        else EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
    }
}

TEST_F(StationLoadTest, CompanyRowVatPresetCaptionsAndHelpText) {
    till.vat_class = "0";
    till.vat_letter = "";
    const tl::StationLoad r = load(station_file({}));
    EXPECT_TRUE(r.completed);
    EXPECT_DOUBLE_EQ(settings.vat_rate_a, 19);
    EXPECT_DOUBLE_EQ(settings.vat_rate_b, 7);
    EXPECT_DOUBLE_EQ(settings.vat_rate_c, 10.7);
    EXPECT_TRUE(settings.net_prices);
    EXPECT_EQ(settings.currency, "EUR");
    EXPECT_EQ(till.vat_class, "1");
    EXPECT_EQ(till.vat_letter, "A");
    EXPECT_DOUBLE_EQ(till.vat_rate, 19);
    EXPECT_EQ(r.vat_caption, "19,00");

    const tl::ConsoleCaptions& c = r.captions;
    const std::vector<std::string> captions = {
        c.help_menu, c.menu_text, c.menu_search, c.menu_printer, c.label_article, c.label_quantity, c.label_price,
        c.label_sum, c.label_receipt_no, c.label_text, c.label_vat, c.label_positions, c.label_password, c.label_table,
        c.button_book, c.button_storno, c.button_bill, c.button_close, c.button_show, c.button_functions,
        c.button_receipts, c.button_ticket};
    const std::vector<std::string> expected = {
        "", "Text", "Suchen", "Drucker ist ein", "Artikel-Nr", "Menge", "Preis", "Summe", "Beleg-Nr", "Text", "MwSt =",
        "Positionen", "Passwort", "Tisch-Nr", "Buchen", "storno", "Rechnung", "Schliessen", "Anzeigen", "Funktionen",
        "Belege", "Bondruck"};
    EXPECT_EQ(captions, expected);
    const std::vector<std::string> help = {
        "F1      Mehrwertsteuersatz A",
        "F2      Mehrwertsteuersatz B",
        "F3      Mehrwertsteuersatz C",
        "F4      keine Mehrwertsteuer",
        "F5      Storno",
        "F6      Artikel nur anzeigen",
        "F7      Mengeneingabe",
        "F8      schliessen",
        "F9      drucken",
        "F10     Tisch schliesen",
        "F11     Tische anzeigen",
        "F12     Küchenkommentar",
        "Strg T  Texteingabe",
        "Strh A  Artikel suchen",
        "Strg D  Drucker ein/aus",
        "Strg H  Hilfe ein/aus",
        "Strg F8 aktiv ein/aus",
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
    EXPECT_EQ(c.help_lines, help);
}

TEST_F(StationLoadTest, MissingFileKeepsTheFileSettingsButSetsTheRest) {
    settings.printer_port = "com3";
    settings.qty_width = 5;
    auto ctx = context();
    const tl::StationLoad r = tl::load_station_settings(ctx);
    EXPECT_FALSE(r.file_read);
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(settings.printer_port, "com3");
    EXPECT_EQ(settings.qty_width, 5);
    EXPECT_EQ(settings.currency, "EUR");
    EXPECT_EQ(tl::format_date(settings.business_date), "09.12.2026");
}

TEST_F(StationLoadTest, UnselectedSettingsAndBadPausesKeepTheirPreviousValues) {
    load(station_file({{6, "1"}, {29, "1"}, {141, "20"}, {142, "50"}}));
    load(station_file({{141, "x"}, {142, "2,5"}}));
    EXPECT_EQ(settings.printer_port, "com2");
    EXPECT_EQ(settings.serial_parity, "odd");
    EXPECT_EQ(settings.serial_line_pause_ms, 20);
    EXPECT_EQ(settings.parallel_line_pause_ms, 50);
}

}  // namespace
