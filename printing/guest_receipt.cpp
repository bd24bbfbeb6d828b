#include "printing/guest_receipt.h"

#include <cmath>

#include "catalogue/catalogue.h"
#include "core/format.h"
#include "db/database.h"

namespace tl {

namespace {

std::string amount_text(double value, int width) { return pad_left(format_amount(value) + "  ", width); }

std::string rate_text(double rate) { return pad_left(format_amount(rate), 5); }

}  // namespace

std::string GuestReceipt::waiter_name() const {
    if (ctx_.settings.use_table_waiter && !ctx_.till.table_waiter_name.empty()) return ctx_.till.table_waiter_name;
    return ctx_.till.waiter_name;
}

void GuestReceipt::drucke_bon() {
    const auto& s = ctx_.settings;
    auto& till = ctx_.till;
    std::string visible = "(k.anzeige <> 'N' or k.anzeige is null)";
    if (s.show_hidden_priced) visible = "(" + visible + " or (k.anzeige = 'N' and k.buart = 'D' and k.preis > 0))";
    std::string group =
        "k.belegnr, k.splittnr, k.text, k.text1, k.text2, k.text3, k.text4, k.artikelnummer, k.mwst, k.status, "
        "k.rechdru, k.zahlart, k.gastname, k.gastnr, k.datum, k.ktext, k.epreis, m.text, m.b_text";
    std::string order = s.sort_by_vat ? " order by k.mwst desc, k.artikelnummer" : " order by k.artikelnummer";
    std::string course_column = "0";
    if (s.group_by_course) {
        group += ", w.speisenfolge";
        course_column = "w.speisenfolge";
        order = s.sort_by_vat ? " order by k.mwst desc, w.speisenfolge, k.artikelnummer" : " order by w.speisenfolge, k.artikelnummer";
    }
    const std::string sql =
        "select k.belegnr, k.splittnr, k.text, k.text1, k.text2, k.text3, k.text4, k.artikelnummer, k.mwst, k.status, "
        " k.rechdru, k.zahlart, k.gastname, k.gastnr, k.datum, k.ktext, k.epreis, m.text mtext, m.b_text, " +
        course_column +
        " speisenfolge, sum(k.menge) menge, sum(k.preis) preis"
        " from kasseb k"
        " left outer join material m on m.artikelnummer = k.artikelnummer"
        " left outer join warengrp w on w.warengrp = m.warengrp"
        " where k.belegnr = :belegnr and k.splittnr = :splittnr"
        " and (k.status <> 'S' or k.status is null) and " +
        visible + " group by " + group + order;
    const db::Rows rows = ctx_.db.query(sql, {{"belegnr", till.bill_receipt_no}, {"splittnr", till.bill_split_no}});
    if (rows.empty()) return;

    ctx_.fields.Edit4 = std::to_string(till.bill_receipt_no);
    ctx_.db.commit();
    if (auto e = ctx_.db.query_first("select lizenznr, ebonon from ebonready where belegnr = :belegnr and splittnr = :splittnr",
                                     {{"belegnr", till.bill_receipt_no}, {"splittnr", till.bill_split_no}})) {
        ctx_.dispatch.ebon_key = parse_integer(e->text("lizenznr")).value_or(0);
        ctx_.dispatch.ebon_mode = e->text("ebonon") == "1";
    }

    totals_ = {};
    print_kopf(rows.front());
    printer_.use_font('p');
    bool first = true;
    long long last_course = 0;
    const int width = s.receipt_width();
    for (const auto& row : rows) {
        if (s.group_by_course) {
            if (!first && row.integer("speisenfolge") != last_course) printer_.drucke(dashes(width));
            last_course = row.integer("speisenfolge");
        }
        first = false;
        receipt_payment_type = row.text("zahlart");
        if (row.text("artikelnummer") == catalogue_text(1052)) continue;
        if (!unit_receipt) {
            print_pos(row, row.number("menge"), row.number("preis"));
        } else {
            const long long units = round_half_even(row.number("menge"));
            for (long long i = 0; i < units; ++i) print_pos(row, 1, row.number("epreis"));
        }
        display_pos();
    }
    ctx_.db.commit();
    endbearbeitung();
    if (ctx_.dispatch.print_on_terminal && print_on_terminal) print_on_terminal();
}

void GuestReceipt::print_kopf(const db::Row& first) {
    const auto& s = ctx_.settings;
    const std::string indent = spaces(s.header_indent);
    printer_.use_font('k');
    for (int i = 0; i < s.head_feed; ++i) printer_.drucke("");
    for (const auto& l : s.head_lines)
        if (!l.empty()) printer_.drucke(l);
    printer_.use_font('p');
    printer_.drucke(" ");
    print_guest_block(first);
    printer_.drucke(indent + catalogue_text(382) + ":    " + format_datetime_minutes(ctx_.clock.now()));
    if (s.print_till_line)
        printer_.drucke(indent + catalogue_text(997) + ":    " + std::to_string(s.till_number) + " " + catalogue_text(1257) +
                        ": " + waiter_name());
    std::string receipt = std::to_string(ctx_.till.bill_receipt_no);
    if (ctx_.till.bill_split_no != 0) receipt += "/" + std::to_string(ctx_.till.bill_split_no);
    printer_.drucke(indent + catalogue_text(75) + ": " + s.currency + "  " + catalogue_text(487) + ": " + receipt);
    if (!s.hide_table_on_receipt) printer_.drucke(indent + s.table_label + ":    " + std::to_string(ctx_.till.table_no));
    printer_.drucke(dashes(s.receipt_width()));
}

void GuestReceipt::print_guest_block(const db::Row& first) {
    const auto& s = ctx_.settings;
    if (first.text("gastname").empty()) {
        if (ctx_.till.guest_name.empty()) return;
        printer_.drucke("Gastname: " + ctx_.till.guest_name);
        printer_.drucke("");
        return;
    }
    // A guest of the register: name, address, phone, info text, room and the
    // line for the signature of a guest who signs the bill.
    printer_.drucke(first.text("gastname"));
    auto g = ctx_.db.query_first("select * from gast where gastnr = :gastnr", {{"gastnr", first.number("gastnr")}});
    if (g) {
        for (const char* column : {"adresse2", "adresse"})
            if (!g->text(column).empty()) printer_.drucke(g->text(column));
        const std::string town = g->text("plz") + (g->text("plz").empty() ? "" : " ") + g->text("ort");
        if (!town.empty()) printer_.drucke(town);
        if (!g->text("telefon").empty()) printer_.drucke("Tel.: " + g->text("telefon"));
        if (!g->text("infotext").empty()) printer_.drucke(g->text("infotext"));
        if (s.print_guest_number) printer_.drucke("Gast-Nr.: " + format_whole(g->number("gastnr")));
        if (!s.hide_room_number && g->number("zimmernr") != 0) printer_.drucke("Zimmer: " + format_whole(g->number("zimmernr")));
    }
    if (!s.hide_signature_line) {
        printer_.drucke("");
        printer_.drucke("Unterschrift:");
        printer_.drucke("");
        printer_.drucke(dashes(s.receipt_width()));
    }
    printer_.drucke("");
}

void GuestReceipt::print_pos(const db::Row& row, double menge, double preis) {
    const auto& s = ctx_.settings;
    if (s.hide_zero_positions && preis == 0) return;
    printer_.use_font('p');
    std::string line = pad_left(format_quantity(menge), s.qty_width) + " ";
    std::string text;
    if (s.print_article_number && !row.text("artikelnummer").empty()) text = row.text("artikelnummer") + " ";
    if (s.receipt_text_from_article) {
        std::string b = row.text("b_text");
        for (char& c : b)
            if (c == '_') c = ' ';
        text += b;
    } else {
        text += row.text("text");
    }
    if (static_cast<int>(text.size()) > s.article_width) text.resize(std::max(0, s.article_width));
    line += pad_right(text, s.article_width);
    if (s.price_width > 0) line += pad_left(format_amount(row.number("epreis")), s.price_width) + " ";
    if (!(s.hide_zero_amounts && preis == 0)) line += pad_left(format_amount(preis), s.amount_width);

    const double rate = row.number("mwst");
    char code = '1';
    if (rate == 0) code = '0';
    if (rate == s.vat_rate_a) code = '1';
    if (rate == s.vat_rate_b) code = '2';
    if (rate == s.vat_rate_c) code = '3';
    switch (code) {
        case '0': totals_.no_vat += preis; break;
        case '2': totals_.b += preis; break;
        case '3': totals_.c += preis; break;
        default: totals_.a += preis; break;
    }
    totals_.receipt += preis;
    printer_.drucke(line);

    const std::string indent = spaces(s.qty_width + 1);
    if (s.print_second_text_line) {
        const std::string article = row.text("mtext");
        const size_t cr = article.find('\r');
        if (cr != std::string::npos) printer_.drucke(indent + article.substr(std::min(cr + 2, article.size())));
    }
    if (s.kitchen_text_on_receipt && !row.text("ktext").empty())
        for (const auto& l : text_lines(row.text("ktext"))) printer_.drucke(indent + l);
}

void GuestReceipt::display_pos() {
    if (!ctx_.settings.customer_display) return;
    printer_.kundis(ctx_.fields.Edit5, 1);
    printer_.kundis(ctx_.settings.currency + " " + ctx_.till.display_line, 2);
}

void GuestReceipt::endbearbeitung() {
    const auto& s = ctx_.settings;
    const int width = s.receipt_width();
    printer_.use_font('p');
    const std::string total = pad_left(format_amount(totals_.receipt), s.amount_width);
    if (s.customer_display) {
        printer_.kundis("Gesamtsumme", 1);
        printer_.kundis(s.currency + " " + total, 2);
    }
    printer_.drucke(dashes(width));
    std::string total_line = catalogue_text(312) + " " + s.currency + " :" + total;
    if (s.use_system_printer)
        total_line = spaces(static_cast<int>(number_or_zero(s.lrbeleg))) + total_line;
    else
        total_line = pad_left(total_line, width);
    printer_.use_font('b');
    printer_.drucke(total_line);
    printer_.use_font('p');
    printer_.drucke(dashes(width));

    const auto net = [](double gross, double rate) { return gross / (rate / 100 + 1); };
    const double net_a = net(totals_.a, s.vat_rate_a), net_b = net(totals_.b, s.vat_rate_b), net_c = net(totals_.c, s.vat_rate_c);
    const int aw = s.amount_width;
    if (totals_.no_vat != 0) printer_.drucke(pad_right(catalogue_text(1040) + "  " + amount_text(totals_.no_vat, aw), width));
    const auto three_lines = [&](double gross, double n, double rate) {
        printer_.drucke("Brutto " + rate_text(rate) + "%   " + amount_text(gross, aw));
        printer_.drucke(catalogue_text(1105) + "  " + rate_text(rate) + "%   " + amount_text(n, aw));
        printer_.drucke(catalogue_text(352) + "   " + rate_text(rate) + "%   " + amount_text(n * rate / 100, aw));
    };
    if (net_a != 0) three_lines(totals_.a, net_a, s.vat_rate_a);
    if (net_b != 0) three_lines(totals_.b, net_b, s.vat_rate_b);
    if (net_c != 0) {
        printer_.drucke(catalogue_text(1105) + " " + rate_text(s.vat_rate_c) + "%   " + amount_text(net_c, aw));
        printer_.drucke(catalogue_text(352) + "  " + rate_text(s.vat_rate_c) + "%   " + amount_text(net_c * s.vat_rate_c / 100, aw));
    }
    printer_.drucke(dashes(width));

    if (s.print_payment_line) {
        const std::string type = receipt_payment_type.empty() ? "B" : receipt_payment_type;
        std::string line;
        if (type == "B") line = "Betrag in Bar erhalten";
        if (type == "K") line = "Betrag per EC-Karte erhalten";
        if (type == "R") line = "Betrag per Rechnung erhoben";
        if (type == "S") line = "Betrag über " + s.account_name_s + " abgerechnet";
        if (type == "A") line = "Betrag über " + s.account_name_a + " abgerechnet";
        if (type == "V") line = "Betrag über " + s.account_name_v + " abgerechnet";
        if (type == "H") line = "Betrag über " + s.account_name_h + " abgerechnet";
        if (!line.empty()) printer_.drucke(line);
        printer_.drucke(dashes(width));
    }

    fiscal_block();

    if (s.print_served_by) {
        printer_.drucke("Es bediente Sie " + waiter_name());
        printer_.drucke("");
    }
    printer_.use_font('k');
    for (const auto& l : s.foot_lines)
        if (!l.empty()) printer_.drucke(l);

    auto& d = ctx_.dispatch;
    if (d.hospitality_form) {
        d.hospitality_form = false;
        printer_.use_font('b');
        printer_.drucke("");
        printer_.drucke(catalogue_text(1259));
        printer_.use_font('p');
        for (int label : {1260, 1261, 1262}) {
            printer_.drucke(dashes(width));
            printer_.drucke(catalogue_text(label) + ":");
            printer_.drucke("");
        }
        for (int i = 0; i < d.hospitality_lines; ++i) {
            printer_.drucke(dashes(width));
            printer_.drucke("");
        }
        printer_.drucke("Leistungsdatum ist Rechnungsdatum.");
        if (!s.tax_number.empty()) printer_.drucke("Steuernummer: " + s.tax_number);
    }

    for (int i = 0; i < s.tail_feed; ++i) printer_.drucke("");
    printer_.drucke(".");
    printer_.form_feed();
    printer_.end_sequence();
    ctx_.till.item_count = 0;
    printer_.end_print_document();
    if (d.ebon_mode && finish_ebon) finish_ebon();
}

void GuestReceipt::fiscal_block() {
    const int width = ctx_.settings.receipt_width();
    if (!ctx_.settings.tse_active) {
        printer_.drucke("TSE wurde deaktiviert");
        printer_.drucke(dashes(width));
        return;
    }
    if (fiscal_block_signed) {
        fiscal_block_signed();
        return;
    }
    printer_.drucke("TSE nicht betriebsbereit");
    printer_.drucke(dashes(width));
}

}  // namespace tl
