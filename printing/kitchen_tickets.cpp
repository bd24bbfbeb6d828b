#include "printing/kitchen_tickets.h"

#include <stdexcept>

#include "core/format.h"
#include "db/database.h"

namespace tl {

namespace {

const char* collective_column(int set) { return set == 1 ? "w.shop" : "w.drucker2"; }
const char* single_column(int set) { return set == 1 ? "w.drucker3" : "w.drucker4"; }

// Positions of the receipt that still have to go to the kitchen.
constexpr const char* kOpenPositions =
    " from kasseb k "
    " left outer join material m on m.artikelnummer = k.artikelnummer "
    " left outer join warengrp w on w.warengrp = m.warengrp "
    " where k.belegnr = :belegnr "
    " and k.menge > coalesce(k.menged, 0) "
    " and (k.status <> 'S' or k.status is null) "
    " and (m.kein_abon <> 'X' or m.kein_abon is null) ";

// Switches restore e-receipt mode when a run ends, however it ends.
struct EbonOff {
    bool& mode;
    bool saved;
    explicit EbonOff(bool& m) : mode(m), saved(m) { mode = false; }
    ~EbonOff() { mode = saved; }
};

// Everything after the first carriage return and the character after it.
std::optional<std::string> after_first_break(const std::string& text) {
    const size_t cr = text.find('\r');
    if (cr == std::string::npos) return std::nullopt;
    return cr + 2 <= text.size() ? text.substr(cr + 2) : std::string();
}

std::string order_by(const StationSettings& s) {
    if (s.ticket_sort_by_vat) {
        if (s.ticket_sort_by_article) return " order by k.mwst desc, k.artikelnummer";
        if (s.ticket_sort_by_position) return " order by k.mwst desc, k.posi";
        return " order by k.mwst desc, w.speisenfolge, k.artikelnummer";
    }
    if (s.ticket_sort_by_article) return " order by k.artikelnummer, k.posi";
    if (s.ticket_sort_by_position) return " order by k.posi";
    return " order by w.speisenfolge, k.posi";
}

}  // namespace

void KitchenTickets::bon() {
    auto& db = ctx_.db;
    auto& till = ctx_.till;
    auto table = db.query_first("select bestellnr, statust from tisch where tischnr = :tischnr", {{"tischnr", till.table_no}});
    if (table) {
        till.order_no = table->integer("bestellnr");
        if (table->text("statust") == "0") {
            const db::Params key = {{"belegnr", till.receipt_no}, {"bestellnr", till.order_no}};
            if (!db.query_first("select * from bestellung where belegnr = :belegnr and bestellnr = :bestellnr", key)) {
                db.execute("insert into bestellung (belegnr, bestellnr, statusb) values (:belegnr, :bestellnr, :statusb)",
                           {{"belegnr", till.receipt_no}, {"bestellnr", till.order_no}, {"statusb", "0"}});
                db.execute("update tisch set bestellnr = :bestellnr, statust = '1' where tischnr = :tischnr",
                           {{"bestellnr", till.order_no}, {"tischnr", till.table_no}});
            }
            if (ctx_.settings.tse_active) {
                ctx_.dispatch.current_jobid = db.generator("jobid");
                db.execute(
                    "insert into job (jobid, tasknr, belegnr, splittnr, bestellnr, pcnr) values "
                    "(:jobid, :tasknr, :belegnr, :splittnr, :bestellnr, :pcnr )",
                    {{"jobid", ctx_.dispatch.current_jobid}, {"tasknr", 5}, {"belegnr", till.receipt_no}, {"splittnr", 0},
                     {"bestellnr", till.order_no}, {"pcnr", ctx_.settings.pc_number}});
            }
            db.commit();
            ++till.order_no;
            till.order_open = false;
            if (ctx_.hooks.show_receipt) ctx_.hooks.show_receipt();
        }
    }

    const auto& s = ctx_.settings;
    if (s.route_by_second_columns) {
        s.single_tickets ? drucke_einzelarbeitsbon(2) : drucke_arbeitsbon(2);
        return;
    }
    if (!s.single_tickets || s.both_ticket_kinds) drucke_arbeitsbon(1);
    if (s.single_tickets || s.both_ticket_kinds) drucke_einzelarbeitsbon(1);
    if (s.also_route_second || s.also_route_second_2) s.single_tickets ? drucke_einzelarbeitsbon(2) : drucke_arbeitsbon(2);
}

db::Rows KitchenTickets::printer_values(const std::string& column) {
    return ctx_.db.query("select distinct " + column + " drucker " + kOpenPositions + " and (" + column + " <> '0' or " +
                             column + " is null) order by 1",
                         {{"belegnr", ctx_.till.receipt_no}});
}

db::Rows KitchenTickets::positions(const std::string& column, const db::Row& printer_value) {
    const bool null_group = printer_value.is_null("drucker");
    std::string sql =
        "select k.tischnr, k.kassierer, k.menge - coalesce(k.menged, 0) menge, k.artikelnummer, k.text, k.mwst, "
        " k.ktext, k.epreis, k.preis, m.b_text, w.speisenfolge, m.text mtext, m.zusatztext, "
        " m.artikelnummer martikel, k.posi";
    sql += kOpenPositions;
    sql += null_group ? " and " + column + " is null" : " and " + column + " = :drucker";
    sql += order_by(ctx_.settings);
    db::Params params = {{"belegnr", ctx_.till.receipt_no}};
    if (!null_group) params.emplace_back("drucker", printer_value.text("drucker"));
    return ctx_.db.query(sql, params);
}

long long KitchenTickets::printer_number(const db::Row& printer_value) const {
    const std::string text = printer_value.is_null("drucker") ? ctx_.settings.default_kitchen_printer
                                                               : printer_value.text("drucker");
    const auto number = parse_integer(text);
    if (!number) throw std::runtime_error("'" + text + "' ist keine gültige Druckernummer für den Arbeitsbon");
    return *number;
}

std::string KitchenTickets::waiter_name() const {
    if (ctx_.settings.use_table_waiter && !ctx_.till.table_waiter_name.empty()) return ctx_.till.table_waiter_name;
    return ctx_.till.waiter_name;
}

void KitchenTickets::drucke_arbeitsbon(int set) {
    const auto& s = ctx_.settings;
    printer_.print_logo = false;
    EbonOff ebon(ctx_.dispatch.ebon_mode);
    const std::string column = collective_column(set);
    for (const auto& value : printer_values(column)) {
        printer_.lade_drucker(s.pc_number, printer_number(value));
        printer_.use_font('4');
        for (int i = 0; i < s.head_feed; ++i) printer_.drucke("");
        kopfdaten_abon(set);
        if (!s.ticket_extra_line_1.empty() || !s.ticket_extra_line_2.empty()) {
            printer_.drucke("");
            if (!s.ticket_extra_line_1.empty()) printer_.drucke(s.ticket_extra_line_1);
            if (!s.ticket_extra_line_2.empty()) printer_.drucke(s.ticket_extra_line_2);
        }
        printer_.drucke("");

        double sum = 0;
        long long last_course = 0;
        std::string line;
        for (const auto& row : positions(column, value)) {
            const long long course = row.integer("speisenfolge");
            if (!s.no_course_headings && course != last_course) {
                last_course = course;
                static const char* const headings[] = {"          Vorspeise", "          Hauptspeise", "          Nachspeise"};
                printer_.drucke(dashes(32));
                if (course >= 1 && course <= 3) {
                    printer_.drucke(headings[course - 1]);
                    printer_.drucke(dashes(32));
                }
            }
            line = positionsdaten_abon(row, Kind::collective);
            printer_.drucke(line);
            sum += row.number("menge") * row.number("epreis");
            print_position_extras(row, line);
        }
        if (s.ticket_total) {
            printer_.drucke(dashes(static_cast<int>(line.size())));
            printer_.drucke("Summe:    " + format_amount(sum));
            printer_.drucke(dashes(static_cast<int>(line.size())));
        }
        if (s.ticket_department_summary) {
            const auto departments = ctx_.db.query(
                "select w.abteilung, sum(k.menge) menge from kasseb k "
                " left outer join material m on m.artikelnummer = k.artikelnummer "
                " left outer join warengrp w on w.warengrp = m.warengrp "
                " where k.belegnr = :belegnr and (k.status <> 'S' or k.status is null) "
                " group by w.abteilung",
                {{"belegnr", ctx_.till.receipt_no}});
            for (const auto& d : departments) {
                const std::string name = d.text("abteilung");
                printer_.drucke(name + ":" + spaces(15 - static_cast<int>(name.size())) + format_number(d.number("menge")));
            }
        }
        end_of_ticket();
    }
    mark_sent(Kind::collective, set);
}

void KitchenTickets::drucke_einzelarbeitsbon(int set) {
    const auto& s = ctx_.settings;
    printer_.print_logo = false;
    EbonOff ebon(ctx_.dispatch.ebon_mode);
    const std::string column = single_column(set);
    for (const auto& value : printer_values(column)) {
        printer_.lade_drucker(s.pc_number, printer_number(value));
        printer_.use_font('4');
        for (const auto& row : positions(column, value)) {
            if (s.both_ticket_kinds && value.is_null("drucker")) break;
            const long long tickets = s.ticket_per_unit ? round_half_even(row.number("menge")) : 1;
            for (long long t = 0; t < tickets; ++t) {
                for (int i = 0; i < s.head_feed; ++i) printer_.drucke("");
                kopfdaten_abon(set);
                if (!s.ticket_extra_line_1.empty()) printer_.drucke(s.ticket_extra_line_1);
                if (!s.ticket_extra_line_2.empty()) printer_.drucke(s.ticket_extra_line_2);
                printer_.drucke("");
                const std::string line = positionsdaten_abon(row, Kind::single);
                printer_.drucke(line);
                print_position_extras(row, line);
                end_of_ticket();
            }
        }
    }
    mark_sent(Kind::single, set);
    printer_.print_logo = true;
}

void KitchenTickets::kopfdaten_abon(int set) {
    const auto& s = ctx_.settings;
    for (int i = 0; i < s.ticket_head_feed; ++i) printer_.drucke(" ");
    std::string first;
    if (!s.ticket_hide_date) first = format_datetime(ctx_.clock.now()).substr(0, 16);
    if (!s.ticket_hide_waiter_table) first += "     " + waiter_name();
    if (!first.empty()) printer_.drucke(first);
    if (!s.ticket_hide_waiter_table) {
        std::string line = s.table_label + ": " + std::to_string(ctx_.till.table_no);
        if (s.ticket_number_on_table_line) {
            if (set == 1) ++ticket_counter;
            line += "  #" + std::to_string(ticket_counter);
        }
        const std::string font = printer_.current_font_name;
        const int size = printer_.current_font_size;
        printer_.current_font_name = "Arial";
        printer_.current_font_size = size + 4;
        printer_.drucke(line);
        printer_.current_font_name = font;
        printer_.current_font_size = size;
    }
    if (s.ticket_table_text) {
        auto table = ctx_.db.query_first("select text from tisch where tischnr = :tischnr", {{"tischnr", ctx_.till.table_no}});
        printer_.drucke("");
        printer_.drucke(table ? table->text("text") : "");
    }
    if (s.ticket_receipt_number) printer_.drucke("Beleg: " + std::to_string(ctx_.till.receipt_no));
    if (s.ticket_round_line && !s.ticket_number_on_table_line) {
        if (set == 1) ++ticket_counter;
        printer_.drucke(s.ticket_round_label + " " + std::to_string(ticket_counter));
    }
}

std::string KitchenTickets::positionsdaten_abon(const db::Row& row, Kind kind) const {
    const auto& s = ctx_.settings;
    std::string line;
    if (kind == Kind::single && s.ticket_per_unit && s.single_tickets)
        line = "1";
    else
        line = format_quantity(row.number("menge"));
    line += " X ";
    if (!s.ticket_hide_article_number) line += row.text("artikelnummer") + " ";
    std::string text = row.text("text");
    if (s.ticket_text_from_article && !row.text("b_text").empty()) {
        text = row.text("b_text");
        for (char& c : text)
            if (c == '_') c = ' ';
    }
    if (static_cast<int>(text.size()) > s.ticket_article_width) text.resize(s.ticket_article_width > 0 ? s.ticket_article_width : 0);
    if (s.ticket_additional_text && !s.single_tickets && !row.text("zusatztext").empty()) text = row.text("zusatztext");
    line += pad_right(text, s.ticket_article_width);
    if (s.ticket_unit_price) line += pad_left(format_amount(row.number("epreis")), s.price_width);
    if (s.ticket_amount) line += pad_left(format_amount(row.number("preis")), s.amount_width);
    return line;
}

void KitchenTickets::print_position_extras(const db::Row& row, const std::string& line) {
    const auto& s = ctx_.settings;
    const std::string article_text = row.text("mtext");
    if (s.ticket_second_text_line) {
        if (auto rest = after_first_break(article_text)) printer_.drucke(*rest);
    }
    for (const auto& l : text_lines(row.text("ktext"))) printer_.drucke(l);
    if (!s.no_ingredient_list) {
        const auto parts = ctx_.db.query(
            "select s.stmenge, m.mengeneinheit, m.text from stueli s "
            " left outer join material m on m.artikelnummer = s.startikel "
            " where s.artikelnummer = :artikelnummer",
            {{"artikelnummer", row.text("artikelnummer")}});
        if (!parts.empty()) {
            printer_.drucke("-------- Zutatenliste: --------");
            for (const auto& p : parts)
                printer_.drucke(format_whole(p.number("stmenge")) + " " + p.text("mengeneinheit") + " " + p.text("text"));
            printer_.drucke(dashes(31));
            printer_.drucke("");
        }
    }
    if (s.ticket_position_separator) {
        size_t length = line.size();
        if (s.ticket_second_text_line && !row.is_null("martikel")) {
            auto rest = after_first_break(article_text);
            length = rest ? rest->size() : article_text.size();
        }
        printer_.drucke(dashes(static_cast<int>(length)));
    }
}

void KitchenTickets::end_of_ticket() {
    const int feed = ctx_.settings.ticket_tail_feed;
    for (int i = 1; i <= feed; ++i) printer_.drucke(i == feed ? "." : " ");
    printer_.form_feed();
    if (!ctx_.settings.use_system_printer) printer_.end_sequence();
    printer_.driver_end_code();
    printer_.end_print_document();
}

void KitchenTickets::mark_sent(Kind kind, int set) {
    const auto& s = ctx_.settings;
    bool skip = false;
    if (kind == Kind::collective && set == 1) skip = s.also_route_second || s.also_route_second_2 || s.both_ticket_kinds;
    if (kind == Kind::collective && set == 2) skip = s.also_route_second_2 || s.both_ticket_kinds;
    if (kind == Kind::single && set == 1) skip = s.also_route_second_2;
    if (!skip) ctx_.db.execute("update kasseb set menged = menge where belegnr = :belegnr", {{"belegnr", ctx_.till.receipt_no}});
    ctx_.db.commit();
    if (ctx_.hooks.show_receipt) ctx_.hooks.show_receipt();
}

}  // namespace tl
