#include "ledger/settlement.h"

#include <stdexcept>
#include <string_view>

#include "core/format.h"
#include "db/database.h"

namespace tl {

void Settlement::rechnung() {
    auto& db = ctx_.db;
    auto& till = ctx_.till;
    {
        // The kitchen gets what it has not seen before the bill leaves the table.
        const bool ebon = ctx_.dispatch.ebon_mode;
        ctx_.dispatch.ebon_mode = false;
        try {
            kitchen_.bon();
        } catch (...) {
            ctx_.dispatch.ebon_mode = ebon;
            throw;
        }
        ctx_.dispatch.ebon_mode = ebon;
    }
    booking_.update_business_date();
    if (till.receipt_no == 0) return;
    db.commit();
    const db::Params part = {{"belegnr", till.receipt_no}, {"splittnr", till.split_no}};
    if (db.query("select buart from kasseb where belegnr = :belegnr and splittnr = :splittnr "
                 "and (status <> 'S' or status is null) and (abgerechnet <> 'X' or abgerechnet is null)",
                 part)
            .empty())
        return;
    create_bill_row(till.receipt_no, till.split_no);

    if (ctx_.settings.card_terminal && till.payment_type == "K") {
        double amount = 0;
        if (till.split_no != 0)
            amount = db.scalar(
                "select sum(preis) summe from kasseb where belegnr = :belegnr and splittnr = :splittnr "
                "and (status <> 'S' or status is null) and (buart <> 'D')",
                part, "summe");
        else
            amount = number_or_zero(ctx_.fields.Edit19);
        const double tip = number_or_zero(till.tip_text);
        if (tip > 0) amount += tip;
        if (start_card_payment) start_card_payment(till.receipt_no, till.split_no, amount);
    }

    printer_.lade_drucker(ctx_.settings.pc_number, ctx_.settings.receipt_printer_number);
    printer_.print_logo = true;
    const auto shown = parse_integer(ctx_.fields.Edit18);
    if (!shown) throw std::runtime_error("Belegnummer '" + ctx_.fields.Edit18 + "' ist keine Zahl");
    till.bill_receipt_no = *shown;
    till.bill_split_no = till.split_no;
    const long long receipt_no = till.receipt_no;
    till.receipt_no = till.bill_receipt_no;
    try {
        if (ctx_.settings.tse_active) {
            ctx_.dispatch.current_jobid = db.generator("jobid");
            db.execute(
                "insert into job (jobid, tasknr, belegnr, splittnr, bestellnr, pcnr) values "
                "(:jobid, :tasknr, :belegnr, :splittnr, :bestellnr, :pcnr )",
                {{"jobid", ctx_.dispatch.current_jobid}, {"tasknr", 1}, {"belegnr", till.bill_receipt_no},
                 {"splittnr", till.bill_split_no}, {"bestellnr", 0}, {"pcnr", ctx_.settings.pc_number}});
            db.commit();
            if (start_result_polling) start_result_polling();
        } else {
            receipt_.drucke_bon();
        }
    } catch (...) {
        till.receipt_no = receipt_no;
        throw;
    }
    till.receipt_no = receipt_no;
    tables_.close_receipt();
    receipt_.unit_receipt = false;
}

void Settlement::rechnung_einzelpositionen() {
    receipt_.unit_receipt = true;
    try {
        rechnung();
    } catch (...) {
        receipt_.unit_receipt = false;
        throw;
    }
    receipt_.unit_receipt = false;
}

void Settlement::print_selected_bill() {
    printer_.lade_drucker(ctx_.settings.pc_number, ctx_.settings.receipt_printer_number);
    receipt_.drucke_bon();
}

void Settlement::assign_payment_type(const std::string& letter) {
    // Only the till's own letters reach the statement text.
    if (letter.size() != 1 || std::string_view("KRSVHAZB").find(letter[0]) == std::string_view::npos)
        throw std::runtime_error("Zahlart '" + letter + "' ist unbekannt");
    ctx_.db.execute("update kasseb set zahlart = '" + letter + "' where belegnr = :belegnr and splittnr = :splittnr",
                    {{"belegnr", ctx_.till.receipt_no}, {"splittnr", ctx_.till.split_no}});
    ctx_.db.commit();
}

void Settlement::create_bill_row(long long receipt_no, long long split_no) {
    const db::Params key = {{"belegnr", receipt_no}, {"splittnr", split_no}};
    if (!ctx_.db.query_first("select * from beleg where belegnr = :belegnr and splittnr = :splittnr", key)) {
        ctx_.db.execute("insert into beleg (belegnr, splittnr, statusb) values (:belegnr, :splittnr, :statusb)",
                        {{"belegnr", receipt_no}, {"splittnr", split_no}, {"statusb", "0"}});
    }
    ctx_.db.commit();
}

std::array<double, 5> Settlement::balances() {
    std::array<double, 5> out{};
    for (size_t i = 0; i < kAccounts.size(); ++i)
        out[i] = ctx_.db.scalar("select sum(preis) summe from kasseb where belegnr = :belegnr and zahlart = :zahlart",
                                {{"belegnr", ctx_.till.receipt_no}, {"zahlart", kAccounts[i]}}, "summe");
    return out;
}

void Settlement::umbuchung(RebookMode mode, const std::string& from, const std::string& to, const std::string& amount_text,
                           long long posi) {
    if (mode == RebookMode::other_amount) {
        const auto amount = parse_number(amount_text);
        if (!amount) {
            ctx_.meldung("Betrag " + amount_text + " unzulässig");
            return;
        }
        buche(from, to, *amount);
        ctx_.meldung("Betrag umgebucht");
        return;
    }
    db::Params p = {{"zahlart", to}, {"belegnr", ctx_.till.receipt_no}, {"zahlartalt", from}};
    std::string sql = "update KASSEB set ZAHLART = :zahlart where BELEGNR = :belegnr and ZAHLART = :zahlartalt";
    if (mode == RebookMode::current_position) {
        sql += " and posi = :posi";
        p.emplace_back("posi", posi);
    }
    ctx_.db.execute(sql, p);
    ctx_.db.commit();
    ctx_.meldung("Beleg/Position umgebucht");
}

void Settlement::buche(const std::string& from, const std::string& to, double amount) {
    auto& db = ctx_.db;
    const auto& s = ctx_.settings;
    const auto& till = ctx_.till;
    const double p = db.scalar("select max(posi) pmax from kasseb where belegnr = :belegnr", {{"belegnr", till.receipt_no}}, "pmax");
    const std::string sql =
        "insert into kasseb (kassenr, datum, belegnr, posi, artikelnummer, text, preis, mwst, kassierer, menge, epreis, "
        "zahlart, tischnr, status) values (:kassenr, :datum, :belegnr, :posi, :artikelnummer, :text, :preis, :mwst, "
        ":kassierer, :menge, :epreis, :zahlart, :tischnr, :status)";
    const auto row = [&](double posi, const std::string& type, const std::string& text, double value) {
        db.execute(sql, {{"kassenr", s.till_number}, {"datum", s.business_date}, {"belegnr", till.receipt_no},
                         {"posi", posi}, {"artikelnummer", "0"}, {"text", text}, {"preis", value},
                         {"mwst", till.vat_rate}, {"kassierer", std::to_string(till.waiter_no)}, {"menge", 1},
                         {"epreis", value}, {"zahlart", type}, {"tischnr", till.table_no}, {"status", "U"}});
    };
    row(p + 1, from, "Umbuchung " + from + "-", -amount);
    row(p + 2, to, "Umbuchung " + to + "+", amount);
    db.commit();
}

void Settlement::receipt_to_current_waiter() {
    ctx_.db.execute("update KASSEB set kassierer = :kassierer where BELEGNR = :belegnr",
                    {{"kassierer", std::to_string(ctx_.till.waiter_no)}, {"belegnr", ctx_.till.receipt_no}});
    ctx_.db.commit();
    ctx_.meldung("Beleg auf aktuellen Kellner gebucht !");
}

}  // namespace tl
