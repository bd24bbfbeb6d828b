#include "ledger/tables.h"

#include "catalogue/catalogue.h"
#include "core/format.h"
#include "db/database.h"
#include "ledger/position_row.h"
#include "ledger/vat.h"

namespace tl {

namespace {

constexpr const char* kLockText = "riegelx59";
constexpr const char* kNoTable = "Bitte zuerst Tisch anwählen!";

constexpr const char* kOpenPositions =
    "select * from kasseb where belegnr = :belegnr and (status <> 'S' or status is null) and ((abgerechnet <> "
    "'X' or abgerechnet is null) or (buart = 'T')) order by posi";
constexpr const char* kOpenSum =
    "select sum(preis) preis from kasseb where belegnr = :belegnr and (status <> 'S' or status is null) and "
    "((abgerechnet <> 'X' or abgerechnet is null) or (buart = 'T'))";
constexpr const char* kOpenOrderSum =
    "select sum(preis) preis from kasseb where belegnr = :belegnr and (status <> 'S' or status is null) and "
    "((abgerechnet <> 'X' or abgerechnet is null) or (buart = 'T')) and (bestellnr = :bestellnr)";

TableRecord table_record(const db::Row& r) {
    TableRecord t;
    t.tischnr = r.integer("tischnr");
    t.status = r.text("status");
    t.kellnernr = r.integer("kellnernr");
    t.skellner = r.integer("skellner");
    t.belegnr = r.integer("belegnr");
    t.summe = r.number("summe");
    t.bestellnr = r.integer("bestellnr");
    t.statust = r.text("statust");
    t.gastname = r.text("gastname");
    t.mwst = r.integer("mwst");
    t.rabatt = r.number("rabatt");
    return t;
}

// The time of day of a reservation is stored on 30.12.1899.
DateTime time_of_day(const DateTime& t) { return DateTime{Date{1899, 12, 30}, t.hour, t.minute, t.second}; }

std::string hh_mm(const DateTime& t) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
    return buf;
}

}  // namespace

void Tables::waiter_enter() {
    ctx_.fields.Edit15.clear();
    if (ctx_.fields.Edit14 == "D" && on_terminal_window) on_terminal_window();
    ctx_.changed();
}

void Tables::waiter_escape() {
    auto& f = ctx_.fields;
    f.Edit15.clear();
    f.Edit16.clear();
    f.booking_panel_visible = false;
    f.work_pages_visible = false;
    ctx_.changed();
}

void Tables::password_escape() {
    ctx_.fields.Edit15.clear();
    ctx_.changed();
}

void Tables::login() {
    auto& f = ctx_.fields;
    const bool lock = f.Edit15 == kLockText;
    std::optional<db::Row> waiter;
    if (lock) {
        waiter = ctx_.db.query_first("select * from kellner where schloss = :schloss", {{"schloss", f.Edit14}});
    } else {
        // A waiter number that is no number cannot name a waiter.
        const auto number = parse_integer(f.Edit14);
        if (number)
            waiter = ctx_.db.query_first("select * from kellner where kellnernr = :kellnernr", {{"kellnernr", *number}});
    }
    if (!waiter) {
        ctx_.meldung("Kellnernummer falsch !");
        return;
    }
    if (!lock && f.Edit15 != waiter->text("passwort")) {
        ctx_.meldung("Passwort falsch !");
        return;
    }
    if (waiter->text("status") == "G") {
        ctx_.meldung("Kellner gesperrt !");
        return;
    }
    auto& till = ctx_.till;
    if (lock) f.Edit14 = std::to_string(waiter->integer("kellnernr"));
    till.waiter_no = waiter->integer("kellnernr");
    till.waiter_name = waiter->text("name");
    till.storno_level = static_cast<int>(waiter->integer("stornostufe"));

    f.work_pages_visible = true;
    f.table_entry_visible = true;
    f.work_page = "PDA";
    table_list(TableList::own);
    ctx_.changed();
}

std::optional<TableRecord> Tables::read_table() {
    auto row = ctx_.db.query_first("select * from tisch where gruppennr = :gruppennr and tischnr = :tischnr",
                                   {{"gruppennr", ctx_.settings.table_group}, {"tischnr", ctx_.till.table_no}});
    if (!row) {
        current_table_.reset();
        return std::nullopt;
    }
    current_table_ = table_record(*row);
    return current_table_;
}

void Tables::select_table() {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    auto& s = ctx_.settings;
    const auto number = parse_integer(f.Edit16);
    if (!number) {
        ctx_.meldung("falsche Tischnummer : " + f.Edit16);
        till.selection_failed = true;
        selection_ok_ = false;
        return;
    }
    till.table_no = *number;
    const std::string& label = s.table_label.empty() ? catalogue_text(1263) : s.table_label;
    f.table_caption = label + " " + std::to_string(till.table_no);

    const auto table = read_table();
    if (!table) {
        ctx_.meldung("falsche Tischnummer : " + f.Edit16);
        till.selection_failed = true;
        selection_ok_ = false;
        return;
    }
    till.table_refused = false;
    if (table->skellner != 0 && table->skellner != till.waiter_no && table->kellnernr != till.waiter_no) {
        ctx_.meldung("Tisch gehört anderem Stammkellner !");
        till.table_refused = true;
        till.selection_failed = true;
        selection_ok_ = false;
        return;
    }
    if (table->status != "F" && table->kellnernr != till.waiter_no && !s.foreign_tables) {
        till.selection_failed = true;
        till.table_refused = true;
        selection_ok_ = false;
        ctx_.meldung("Tisch gehört anderem Kellner !");
        return;
    }

    till.table_selected = true;
    selection_ok_ = true;
    f.Edit2.clear();
    f.Edit3.clear();
    f.Edit4.clear();
    f.Edit18.clear();
    f.Edit5.clear();
    f.Edit17.clear();
    f.Edit19.clear();

    till.receipt_no = table->belegnr;
    till.guest_name = table->gastname;
    f.Edit4 = std::to_string(till.receipt_no);
    f.Edit18 = f.Edit4;
    f.Edit3 = format_amount(table->summe);
    till.shown_sum = f.Edit3;

    till.order_no = table->bestellnr;
    till.order_open = table->statust == "0";
    if (table->statust == "1") ++till.order_no;

    till.table_waiter_no = table->kellnernr;
    if (s.use_table_waiter) {
        auto w = ctx_.db.query_first("select name from kellner where kellnernr = :kellnernr",
                                     {{"kellnernr", till.table_waiter_no}});
        till.table_waiter_name = w ? w->text("name") : "";
    }

    till.vat_manual = false;
    if (table->mwst >= 1 && table->mwst <= 3) apply_vat_key(ctx_, static_cast<int>(table->mwst));

    if (s.table_discount) {
        till.discount_percent = table->rabatt;
        f.discount_caption = till.discount_percent != 0 ? format_amount(till.discount_percent) + " % Rabatt" : "";
    }

    show_receipt();
    f.work_page = "Beleg";
    f.booking_panel_visible = true;
    ctx_.changed();
}

void Tables::open_table() {
    auto& till = ctx_.till;
    auto& f = ctx_.fields;
    auto& db = ctx_.db;
    till.guest_name.clear();
    if (ctx_.settings.use_table_waiter) {
        till.table_waiter_no = till.waiter_no;
        till.table_waiter_name = till.waiter_name;
    }
    till.receipt_no = db.generator("belegnr");
    f.Edit4 = std::to_string(till.receipt_no);
    f.Edit18 = f.Edit4;
    db.execute("update tisch set status = 'B', kellnernr = :kellnernr, summe = 0, belegnr = :belegnr, bestellnr = "
               ":bestellnr, statust = :statust where tischnr = :tischnr",
               {{"kellnernr", till.waiter_no},
                {"belegnr", till.receipt_no},
                {"bestellnr", 1},
                {"statust", "0"},
                {"tischnr", till.table_no}});
    till.order_no = 1;
    till.order_open = true;
    db.execute("update abbild set status = 'B' where tischnr = :tischnr", {{"tischnr", till.table_no}});
    db.commit();
}

void Tables::show_receipt() {
    auto& till = ctx_.till;
    auto& f = ctx_.fields;
    auto& db = ctx_.db;
    const auto rows = db.query(kOpenPositions, {{"belegnr", till.receipt_no}});
    f.receipt_view.clear();
    f.receipt_view.reserve(rows.size());
    for (const auto& r : rows) {
        ReceiptViewRow v;
        v.posi = r.integer("posi");
        v.status = r.text("status");
        v.artikelnummer = r.text("artikelnummer");
        v.text = r.text("text");
        v.epreis = r.number("epreis");
        v.menge = r.number("menge");
        v.preis = r.number("preis");
        v.kueche = r.text("kueche");
        v.ktext = r.text("ktext");
        v.buart = r.text("buart");
        v.zahlart = r.text("zahlart");
        v.bestellnr = r.integer("bestellnr");
        v.splittnr = r.integer("splittnr");
        f.receipt_view.push_back(std::move(v));
    }
    const int n = static_cast<int>(f.receipt_view.size());
    if (n == 0)
        f.receipt_view_current = -1;
    else if (f.receipt_view_current < 0 || f.receipt_view_current >= n)
        f.receipt_view_current = 0;
    f.Edit17 = std::to_string(n);
    f.Edit18 = std::to_string(till.receipt_no);
    f.Edit4 = f.Edit18;

    const double sum = till.order_open
                           ? db.scalar(kOpenOrderSum, {{"belegnr", till.receipt_no}, {"bestellnr", till.order_no}}, "preis")
                           : db.scalar(kOpenSum, {{"belegnr", till.receipt_no}}, "preis");
    f.Edit19 = format_amount(sum);
    f.Edit3 = f.Edit19;
    till.shown_sum = f.Edit19;

    if (!current_table_ || current_table_->tischnr != till.table_no) read_table();
    ctx_.changed();
}

long long Tables::settling_waiter() const {
    return ctx_.settings.use_table_waiter ? ctx_.till.table_waiter_no : ctx_.till.waiter_no;
}

void Tables::settle_cancelled_rows() {
    ctx_.db.execute("update kasseb set abgerechnet = 'X', datumk = :datumk, kellnerk = :kellnerk, uhrzeitk = :uhrzeitk "
                    "where belegnr = :belegnr and (abgerechnet <> 'X' or abgerechnet is null) and status = 'S'",
                    {{"datumk", ctx_.settings.business_date},
                     {"kellnerk", settling_waiter()},
                     {"uhrzeitk", format_time(ctx_.clock.now())},
                     {"belegnr", ctx_.till.receipt_no}});
}

void Tables::close_receipt() {
    auto& till = ctx_.till;
    auto& f = ctx_.fields;
    auto& db = ctx_.db;
    const double tip = number_or_zero(till.tip_text);
    till.tip_text = "0";
    // Without a receipt there is nothing a tip could belong to.
    if (tip > 0 && till.receipt_no != 0) {
        special_.book({tip, "TrinkgeldAN", "D", till.payment_type, "N"});
        special_.book({-tip, "Entnahme TrinkgeldAN", "D", "B", "N"});
    }
    settle_split(till.receipt_no, till.split_no);

    const double open = db.scalar("select count(*) anzahl from kasseb where belegnr = :belegnr and (status <> 'S' or "
                                  "status is null) and (abgerechnet <> 'X' or abgerechnet is null)",
                                  {{"belegnr", till.receipt_no}}, "anzahl");
    if (open < 1) {
        db.execute("update tisch set belegnr = 0, summe = 0, kellnernr = 0, anzpers = 0, status = 'F', statust = '1', "
                   "gastname = '', gastnr = 0, bestellnr = 0, zimmernr = 0, teilzahlung = '' where tischnr = :tischnr",
                   {{"tischnr", till.table_no}});
        db.execute("update abbild set status = 'F' where tischnr = :tischnr", {{"tischnr", till.table_no}});
        settle_cancelled_rows();
        till.receipt_no = 0;
    }
    db.commit();
    if (ctx_.settings.table_discount) {
        till.discount_percent = 0;
        f.discount_caption.clear();
    }

    show_receipt();
    f.customer_caption.clear();
    f.Edit1.clear();
    f.Edit2.clear();
    f.Edit3.clear();
    f.Edit4.clear();
    f.Edit18.clear();
    f.Edit17.clear();
    f.Edit5.clear();
    f.Edit9 = "1";
    ctx_.changed();
}

void Tables::settle_split(long long receipt_no, long long split_no) {
    ctx_.db.execute("update kasseb set abgerechnet = 'X', kellnerk = :kellnerk, datumk = :datumk, uhrzeitk = :uhrzeitk, "
                    "menged = menge where belegnr = :belegnr and splittnr = :splittnr and (abgerechnet <> 'X' or "
                    "abgerechnet is null)",
                    {{"kellnerk", settling_waiter()},
                     {"datumk", ctx_.settings.business_date},
                     {"uhrzeitk", format_time(ctx_.clock.now())},
                     {"belegnr", receipt_no},
                     {"splittnr", split_no}});
    ctx_.db.commit();
}

void Tables::free_table_after_cancellation(long long table_no) {
    ctx_.db.execute("update tisch set belegnr = 0, summe = 0, kellnernr = 0, anzpers = 0, status = 'F', statust = '1', "
                    "gastname = '', gastnr = 0, bestellnr = 0, zimmernr = 0, teilzahlung = '', rabatt = 0 where "
                    "tischnr = :tischnr",
                    {{"tischnr", table_no}});
    settle_cancelled_rows();
    ctx_.db.commit();
}

std::string Tables::reservation(long long tischnr, const Date& today, const DateTime& now) {
    const auto rows = ctx_.db.query("select zeit from tischres where datum = :datum and tischnr = :tischnr and zeit >= :zeit",
                                    {{"datum", today}, {"tischnr", tischnr}, {"zeit", time_of_day(now)}});
    // The next reservation of the day is the earliest still to come.
    std::optional<DateTime> next;
    for (const auto& r : rows) {
        if (r.is_null("zeit")) continue;
        const DateTime t = r.datetime("zeit");
        if (!next || t < *next) next = t;
    }
    return next ? hh_mm(*next) : "";
}

std::vector<TableListRow> Tables::table_list(TableList kind) {
    auto& db = ctx_.db;
    const std::string& group = ctx_.settings.table_group;
    db::Rows rows;
    switch (kind) {
        case TableList::own: {
            const auto waiter = parse_integer(ctx_.fields.Edit14);
            if (!waiter) {
                ctx_.meldung("Kellnernummer falsch !");
                return shown_tables_;
            }
            ctx_.till.waiter_no = *waiter;
            rows = db.query("select * from tisch where gruppennr = :gruppennr and (skellner = :kellnernr or skellner = 0 "
                            "or kellnernr = :kellnernr) order by tischnr",
                            {{"gruppennr", group}, {"kellnernr", *waiter}});
            break;
        }
        case TableList::occupied:
            rows = db.query("select * from tisch where gruppennr = :gruppennr and status = 'B' order by tischnr",
                            {{"gruppennr", group}});
            break;
        case TableList::free:
            rows = db.query("select * from tisch where gruppennr = :gruppennr and status = 'F' order by tischnr",
                            {{"gruppennr", group}});
            break;
        case TableList::all:
            rows = db.query("select * from tisch where gruppennr = :gruppennr", {{"gruppennr", group}});
            break;
    }
    const DateTime now = ctx_.clock.now();
    std::vector<TableListRow> list;
    list.reserve(rows.size());
    for (const auto& r : rows) {
        TableListRow t;
        t.tischnr = r.integer("tischnr");
        t.status = r.text("status");
        t.summe = r.number("summe");
        t.text = r.text("text");
        t.kellnernr = r.integer("kellnernr");
        t.reserv = reservation(t.tischnr, now.date, now);
        t.gastname = r.text("gastname");
        t.rabatt = r.number("rabatt");
        list.push_back(std::move(t));
    }
    shown_tables_ = list;
    ctx_.changed();
    return list;
}

void Tables::show_tables() {
    ctx_.fields.work_page = "Tische";
    table_list(TableList::own);
}

void Tables::kitchen_comment_page() {
    if (!require_table()) return;
    ctx_.fields.work_page = "Küche";
    ctx_.changed();
}

void Tables::show_receipt_number() {
    const auto number = parse_integer(ctx_.fields.Edit18);
    if (!number) return;
    ctx_.till.receipt_no = *number;
    show_receipt();
}

void Tables::table_double_click(long long tischnr) {
    ctx_.fields.Edit16 = std::to_string(tischnr);
    select_table();
}

void Tables::console_logout() {
    auto& f = ctx_.fields;
    ctx_.till.table_selected = false;
    f.Edit2.clear();
    f.Edit3.clear();
    f.Edit4.clear();
    f.Edit18.clear();
    f.Edit5.clear();
    f.Edit14.clear();
    f.Edit15.clear();
    f.Edit16.clear();
    f.Edit17.clear();
    f.Edit19.clear();
    f.table_entry_visible = false;
    f.booking_panel_visible = false;
    f.work_pages_visible = false;
    ctx_.changed();
}

bool Tables::require_table() {
    if (ctx_.till.table_selected) return true;
    ctx_.meldung(kNoTable);
    return false;
}

void Tables::guest_name() {
    if (!require_table()) return;
    auto answer = ctx_.dialogs.input("Bitte Gastname eingeben", "Gastname:", ctx_.till.guest_name);
    if (!answer) return;
    ctx_.till.guest_name = cut(*answer, 50);
    ctx_.db.execute("update tisch set gastname = :gastname where tischnr = :tischnr",
                    {{"gastname", ctx_.till.guest_name}, {"tischnr", ctx_.till.table_no}});
    ctx_.db.commit();
    ctx_.changed();
}

void Tables::save_kitchen_comment(long long posi, const std::string& ktext) {
    ctx_.db.execute("update kasseb set ktext = :ktext where belegnr = :belegnr and posi = :posi",
                    {{"ktext", cut(ktext, 1000)}, {"belegnr", ctx_.till.receipt_no}, {"posi", posi}});
    ctx_.db.commit();
    show_receipt();
}

}  // namespace tl
