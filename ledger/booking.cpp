#include "ledger/booking.h"

#include <cctype>

#include "catalogue/catalogue.h"
#include "core/business_date.h"
#include "core/format.h"
#include "db/database.h"
#include "ledger/position_row.h"
#include "ledger/vat.h"

namespace tl {

namespace {

constexpr const char* kNoTable = "Bitte zuerst Tisch anwählen!";

std::string first_line(const std::string& text) { return text.substr(0, text.find('\r')); }

std::string trimmed(const std::string& text) {
    const auto b = text.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

// Monday first, as the station file lists the days.
int day_index(const Date& d) { return (weekday(d) + 5) % 7; }

// The price entry and the surcharge belong to one Enter: whatever the
// booking made of them, the next article is priced afresh and not at the
// price left behind by the one before.
class EntryReset {
public:
    explicit EntryReset(Context& ctx) : ctx_(ctx) {}
    ~EntryReset() {
        ctx_.fields.Edit2.clear();
        ctx_.till.surcharge = 0;
    }
    EntryReset(const EntryReset&) = delete;
    EntryReset& operator=(const EntryReset&) = delete;

private:
    Context& ctx_;
};

// The till state a booking changes before its position is written; restored
// when the position cannot be written.
struct Snapshot {
    long long receipt_no, order_no, table_waiter_no, item_count;
    bool order_open;
    std::string guest_name, table_waiter_name, edit4, edit18;

    Snapshot(const TillState& t, const ConsoleFields& f)
        : receipt_no(t.receipt_no), order_no(t.order_no), table_waiter_no(t.table_waiter_no),
          item_count(t.item_count), order_open(t.order_open), guest_name(t.guest_name),
          table_waiter_name(t.table_waiter_name), edit4(f.Edit4), edit18(f.Edit18) {}

    void restore(TillState& t, ConsoleFields& f, bool opened) const {
        t.item_count = item_count;
        // A position that was not written has no number later operations
        // (kitchen text, variant text) could refer to.
        t.last_posi = 0;
        if (!opened) return;
        t.receipt_no = receipt_no;
        t.order_no = order_no;
        t.order_open = order_open;
        t.guest_name = guest_name;
        t.table_waiter_no = table_waiter_no;
        t.table_waiter_name = table_waiter_name;
        f.Edit4 = edit4;
        f.Edit18 = edit18;
    }
};

}  // namespace

ArticleKey Booking::article_key(int key_code) {
    switch (key_code) {
        case 13:
            return ArticleKey::enter;
        case 116:
        case 196:
            return ArticleKey::f5;
        case 117:
        case 197:
            return ArticleKey::f6;
        default:
            return ArticleKey::other;
    }
}

void Booking::update_business_date() {
    if (auto d = business_date_at(ctx_.clock.now(), ctx_.settings.day_change_time)) ctx_.settings.business_date = *d;
}

void Booking::article_enter(ArticleKey key) {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    auto& db = ctx_.db;
    written_ = false;
    if (key == ArticleKey::f5 || key == ArticleKey::f6) {
        if (f.Edit1.empty()) f.Edit1 = till.article_no;
        if (key == ArticleKey::f5 && on_cancel) on_cancel();
        return;
    }
    if (key != ArticleKey::enter) return;
    // A refused selection leaves table_no at the refused table; nothing may
    // be booked onto it.
    if (!tables_.selection_ok()) {
        ctx_.meldung(kNoTable);
        return;
    }
    const EntryReset reset(ctx_);

    db.commit();
    update_business_date();
    auto last = db.query_first("select * from lasttag");
    till.happy_hour = last && last->text("happyhour") == "1";
    till.day_closed = last && !last->is_null("datum") && !(ctx_.settings.business_date > last->datetime("datum").date);
    if (till.day_closed) {
        ctx_.meldung("Tagesabschluss wurde bereits durchgeführt, keine Buchung möglich");
        return;
    }

    till.article_no = f.Edit1;
    if (till.free_position) {
        till.article_found = false;
        till.linked_article_no.clear();
    } else if (!lookup_article()) {
        ctx_.meldung(catalogue_text(1035));
        return;
    }
    const std::string booked_quantity = f.Edit9;
    if (!book()) {
        till.linked_article_no.clear();
        return;
    }
    if (!till.linked_article_no.empty()) book_linked_article(booked_quantity);
    ctx_.changed();
}

void Booking::book_linked_article(const std::string& booked_quantity) {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    f.Edit1 = till.linked_article_no;
    till.article_no = f.Edit1;
    f.Edit9 = std::to_string(round_half_even(number_or_zero(booked_quantity)));
    const bool found = lookup_article();
    // Only one level of linking: the linked article's own link is not followed.
    till.linked_article_no.clear();
    if (!found) {
        ctx_.meldung(catalogue_text(1035));
        return;
    }
    f.Edit2 = format_amount(article_.verkaufspreis * (1 - till.discount_percent / 100));
    book();
}

void Booking::article_changed() {
    auto& e = ctx_.fields.Edit1;
    if (e == "+" || e == " ") e.clear();
}

void Booking::article_key_released() {
    const std::string& code = ctx_.settings.close_code.empty() ? std::string("close") : ctx_.settings.close_code;
    if (ctx_.fields.Edit1 == code) tables_.console_logout();
}

void Booking::lookup_key() {
    if (!tables_.require_table()) return;
    if (!lookup_article()) ctx_.meldung(catalogue_text(1035));
    ctx_.changed();
}

void Booking::apply_schedule() {
    const auto& s = ctx_.settings;
    if (!s.happy_schedule) return;
    const DateTime now = ctx_.clock.now();
    if (s.happy_days[day_index(now.date)] != "1") return;
    const int t = seconds_of_day(now);
    const int from = parse_time_of_day(s.happy_from + ":00");
    const int to = parse_time_of_day(s.happy_to + ":00");
    ctx_.till.happy_hour = from >= 0 && to >= 0 && t >= from && t <= to;
}

bool Booking::in_happy_groups(long long warengrp) const {
    const std::string& entry = ctx_.settings.happy_groups[day_index(ctx_.settings.business_date)];
    size_t start = 0;
    while (start <= entry.size()) {
        size_t comma = entry.find(',', start);
        if (comma == std::string::npos) comma = entry.size();
        const auto group = parse_integer(entry.substr(start, comma - start));
        if (group && *group == warengrp) return true;
        start = comma + 1;
    }
    return false;
}

bool Booking::lookup_article() {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    auto& db = ctx_.db;
    till.article_found = false;
    f.Edit1 = remove_first(f.Edit1, "+");
    till.article_no = f.Edit1;
    // Longer than the column: no article can have that number.
    if (f.Edit1.size() > 30) return false;
    auto m = db.query_first("select * from material where artikelnummer = :artikelnummer", {{"artikelnummer", f.Edit1}});
    if (!m) return false;
    till.linked_article_no = m->text("artikelnrp");
    till.article_found = true;
    article_.artikelnummer = m->text("artikelnummer");
    article_.text = m->text("text");
    article_.verkaufspreis = m->number("verkaufspreis");
    article_.listenpreis = m->number("listenpreis");
    article_.warengrp = m->integer("warengrp");
    article_.mwst = m->text("mwst");

    const double entered = number_or_zero(f.Edit2);
    apply_schedule();
    const double factor = 1 - till.discount_percent / 100;
    if (entered == 0) f.Edit2 = format_amount(article_.verkaufspreis * factor);
    till.happy_price = false;
    if (till.happy_hour) {
        if (article_.listenpreis != 0) f.Edit2 = format_amount(article_.listenpreis * factor);
        till.happy_price = true;
        const std::string& groups = ctx_.settings.happy_groups[day_index(ctx_.settings.business_date)];
        if (ctx_.settings.happy_schedule && !trimmed(groups).empty() && !in_happy_groups(article_.warengrp)) {
            f.Edit2 = format_amount(article_.verkaufspreis * factor);
            till.happy_price = false;
        }
    }
    if (till.variant_booking) {
        auto v = db.query_first("select vpreis, vhappypreis, vtext from pvarianten where artikelnummer = :artikelnummer "
                                "and vpos = :vpos",
                                {{"artikelnummer", f.Edit1}, {"vpos", till.variant_pos}});
        if (v) {
            f.Edit2 = format_amount(v->number("vpreis") * factor);
            if (till.happy_price && v->number("vhappypreis") != 0)
                f.Edit2 = format_amount(v->number("vhappypreis") * factor);
        }
    }
    till.variant_group = m->integer("vgruppe");
    if (!till.variant_booking) f.Edit5 = first_line(article_.text);
    till.variant_booking = false;
    till.kitchen_mark = m->text("kueche").substr(0, 1);
    return true;
}

void Booking::buchen() {
    const EntryReset reset(ctx_);
    book();
}

bool Booking::day_closed_by_kasse() {
    auto k = ctx_.db.query_first("select max(datum) datum from kasse");
    if (!k || k->is_null("datum")) return false;
    return !(ctx_.settings.business_date > k->datetime("datum").date);
}

bool Booking::book() {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    written_ = false;
    auto table = tables_.read_table();
    if (!table) {
        ctx_.meldung("falsche Tischnummer : " + std::to_string(till.table_no));
        return false;
    }
    till.receipt_no = table->belegnr;
    if (!till.article_found && !till.free_position) {
        const int cur = f.receipt_view_current;
        if (cur < 0 || cur >= static_cast<int>(f.receipt_view.size())) return false;
        f.Edit1 = f.receipt_view[cur].artikelnummer;
        if (!lookup_article()) {
            ctx_.meldung(catalogue_text(1035));
            return false;
        }
    }

    // Every refusal comes before the first write, so a refused booking
    // leaves a free table free.
    if (f.Edit2.empty()) return false;
    const auto price = parse_number(f.Edit2);
    const auto quantity = parse_number(f.Edit9);
    if (!price || !quantity) {
        ctx_.meldung(catalogue_text(1036));
        if (on_focus_price) on_focus_price();
        return false;
    }
    update_business_date();
    if (day_closed_by_kasse()) {
        ctx_.meldung("Tagesabschluss bereits gebucht, kein speichern möglich");
        return false;
    }

    const Snapshot before(till, f);
    db::UnitOfWork unit(ctx_.db);
    bool opened = false;
    if (table->status == "F") {
        tables_.open_table();
        opened = true;
    }
    const double epreis = *price + till.surcharge;
    if (!book_position(epreis, *quantity, opened)) {
        // Only an opening of the table is there to undo; rolling back
        // otherwise would also throw away the caller's earlier work.
        if (opened)
            unit.rollback();
        else
            unit.commit();
        before.restore(till, f, opened);
        ctx_.changed();
        return false;
    }
    unit.commit();
    written_ = true;
    tables_.show_receipt();
    return true;
}

bool Booking::book_position(double price, double quantity, bool& opened) {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    const auto& s = ctx_.settings;
    if (f.Edit1 != catalogue_text(103)) till.item_count += round_half_even(quantity);
    double epreis = price;
    double preis = price * quantity;

    if (till.article_found && !till.vat_manual) till.vat_class = article_.mwst;
    if (till.vat_manual && !till.free_position) {
        auto g = ctx_.db.query_first("select warenart from warengrp where warengrp = :warengrp",
                                     {{"warengrp", article_.warengrp}});
        std::string kind = g ? g->text("warenart") : "";
        for (char& c : kind) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (kind == "G") till.vat_class = "1";
        if (kind == "S") till.vat_class = "2";
    }
    const bool converts = apply_vat_class(ctx_) && till.vat_class != "0";
    if (converts && s.net_prices) {
        preis *= 1 + till.vat_rate / 100;
        epreis *= 1 + till.vat_rate / 100;
    }

    till.display_line = pad_left(format_amount(preis) + " " + till.vat_letter, s.amount_width);

    f.Edit1 = remove_first(f.Edit1, "+");
    if (!insert_or_merge(epreis, preis, quantity, opened)) return false;
    // The guest sees only what was booked.
    if (on_customer_display) on_customer_display(till.display_line);

    if (s.print_second_text_line && till.article_found && on_second_text_line) {
        const auto cr = article_.text.find('\r');
        if (cr != std::string::npos) on_second_text_line(article_.text.substr(cr));
    }
    till.article_found = false;
    f.Edit9 = "1";
    return true;
}

bool Booking::insert_or_merge(double epreis, double preis, double quantity, bool& opened) {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    auto& db = ctx_.db;
    const auto& s = ctx_.settings;
    const DateTime now = ctx_.clock.now();

    auto table = tables_.read_table();
    if (!table) {
        ctx_.meldung("falsche Tischnummer : " + std::to_string(till.table_no));
        return false;
    }
    till.receipt_no = table->belegnr;
    if (table->status == "F") {
        tables_.open_table();
        opened = true;
    } else {
        till.order_no = table->bestellnr;
        if (table->statust == "1") till.order_no = table->bestellnr + 1;
    }

    std::string artikelnummer = f.Edit1;
    bool merged = false;
    // A variant group and a free position both keep their own position.
    if (s.merge_positions && till.variant_group == 0 && !till.free_position) {
        const auto rows = db.query("select * from kasseb where belegnr = :belegnr and artikelnummer = :artikelnummer and "
                                   "epreis = :epreis and status = '1' and bestellnr = :bestellnr and ktext = '' and "
                                   "text = :text and mwst = :mwst",
                                   {{"belegnr", till.receipt_no},
                                    {"artikelnummer", cut(artikelnummer, 30)},
                                    {"epreis", epreis},
                                    {"bestellnr", till.order_no},
                                    {"text", cut(f.Edit5, 100)},
                                    {"mwst", till.vat_rate}});
        if (rows.size() == 1) {
            till.last_posi = rows.front().integer("posi");
            db.execute("update kasseb set menge = menge + :menge, preis = preis + :preis, kueche = :kueche, uhrzeit = "
                       ":uhrzeit where belegnr = :belegnr and posi = :posi",
                       {{"menge", quantity},
                        {"preis", preis},
                        {"kueche", till.kitchen_mark},
                        {"uhrzeit", format_time(now)},
                        {"belegnr", till.receipt_no},
                        {"posi", till.last_posi}});
            merged = true;
        }
    }
    if (!merged) {
        artikelnummer = remove_first(remove_first(artikelnummer, " "), " ");
        PositionRow row;
        row.posi = static_cast<long long>(db.scalar("select max(posi) posi from kasseb where belegnr = :belegnr",
                                                    {{"belegnr", till.receipt_no}}, "posi")) + 1;
        till.last_posi = row.posi;
        row.kassenr = s.till_number;
        row.datum = s.business_date;
        row.belegnr = till.receipt_no;
        row.splittnr = 0;
        row.bestellnr = till.order_no;
        row.tischnr = till.table_no;
        row.artikelnummer = artikelnummer;
        row.preis = preis;
        row.epreis = epreis;
        row.menge = quantity;
        row.menged = 0;
        row.mwst = till.vat_rate;
        row.kassierer = std::to_string(s.use_table_waiter ? till.table_waiter_no : till.waiter_no);
        row.text = f.Edit5;
        row.zeit1 = now;
        row.uhrzeit = format_time(now);
        try {
            insert_position(db, row);
        } catch (const db::Error& e) {
            if (e.connection_lost()) throw;
            ctx_.meldung(catalogue_text(1038));
            return false;
        }
    }

    db.execute("update tisch set summe = summe + :menge, bestellnr = :bestellnr, statust = '0' where tischnr = :tischnr",
               {{"menge", preis}, {"bestellnr", till.order_no}, {"tischnr", till.table_no}});
    till.order_open = true;
    if (s.stock_keeping && till.article_found)
        db.execute("update material set lagerbestand = lagerbestand - :bestand where artikelnummer = :artikelnummer",
                   {{"bestand", quantity}, {"artikelnummer", till.article_no}});
    db.commit();

    ctx_.bookings.add({format_time(now), std::to_string(till.waiter_no), std::to_string(till.table_no),
                       std::to_string(till.receipt_no), format_whole(quantity), artikelnummer, f.Edit5,
                       format_amount(preis)});
    return true;
}

void Booking::vat_key(int key) { apply_vat_key(ctx_, key); }

void Booking::clear_entries() {
    auto& f = ctx_.fields;
    f.Edit1.clear();
    f.Edit2.clear();
    f.Edit5.clear();
    f.Edit9 = "1";
    ctx_.changed();
}

void Booking::toggle_happy_hour() { set_happy_hour(!ctx_.till.happy_hour); }

void Booking::set_happy_hour(bool on) {
    ctx_.till.happy_hour = on;
    ctx_.fields.discount_caption = on ? "Happy Hour" : "";
    ctx_.changed();
}

}  // namespace tl
