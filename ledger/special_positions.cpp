#include "ledger/special_positions.h"

#include "core/format.h"
#include "db/database.h"
#include "ledger/position_row.h"

namespace tl {

void SpecialPositions::book(const SpecialPosition& p) {
    auto& db = ctx_.db;
    auto& till = ctx_.till;
    const long long receipt = till.receipt_no;
    const long long posi =
        static_cast<long long>(db.scalar("select max(posi) posi from kasseb where belegnr = :belegnr",
                                         {{"belegnr", receipt}}, "posi")) + 1;
    const long long order =
        static_cast<long long>(db.scalar("select max(bestellnr) bmax from kasseb where belegnr = :belegnr",
                                         {{"belegnr", receipt}}, "bmax")) + 1;
    create_order_row(receipt, order);

    PositionRow row;
    if (auto guest = db.query_first("select gastnr, gastname, zimmernr from kasseb where belegnr = :belegnr",
                                    {{"belegnr", receipt}})) {
        row.gastnr = guest->number("gastnr");
        row.gastname = guest->text("gastname");
        row.zimmernr = guest->number("zimmernr");
    }
    const DateTime now = ctx_.clock.now();
    row.kassenr = ctx_.settings.till_number;
    row.datum = ctx_.settings.business_date;
    row.belegnr = receipt;
    row.tischnr = till.table_no;
    row.posi = posi;
    row.bestellnr = order;
    row.splittnr = till.split_no;
    row.epreis = p.amount;
    row.preis = p.amount;
    row.menge = 1;
    row.menged = 1;
    row.mwst = 0;
    row.kassierer = std::to_string(till.waiter_no);
    row.text = p.text;
    row.buart = p.buart;
    row.zahlart = p.zahlart;
    row.anzeige = p.anzeige;
    row.zeit1 = now;
    row.uhrzeit = format_time(now);
    try {
        insert_position(db, row);
    } catch (const db::Error& e) {
        // A special position that cannot be written is left out; the
        // settlement goes on. A lost connection is not the row's fault.
        if (e.connection_lost()) throw;
    }
    db.commit();
}

void SpecialPositions::create_order_row(long long receipt_no, long long order_no) {
    auto& db = ctx_.db;
    if (!db.query_first("select * from bestellung where belegnr = :belegnr and bestellnr = :bestellnr",
                        {{"belegnr", receipt_no}, {"bestellnr", order_no}})) {
        db.execute("insert into bestellung (belegnr, bestellnr, statusb) values (:belegnr, :bestellnr, :statusb)",
                   {{"belegnr", receipt_no}, {"bestellnr", order_no}, {"statusb", "0"}});
        db.commit();
    }
    auto tse = db.query_first("select tse_aktiv from tse");
    ctx_.settings.tse_active = tse && tse->text("tse_aktiv") == "1";
    if (ctx_.settings.tse_active) {
        const long long jobid = db.generator("jobid");
        ctx_.dispatch.current_jobid = jobid;
        db.execute("insert into job (jobid, tasknr, belegnr, splittnr, bestellnr, pcnr) values (:jobid, :tasknr, "
                   ":belegnr, :splittnr, :bestellnr, :pcnr)",
                   {{"jobid", jobid},
                    {"tasknr", 5},
                    {"belegnr", receipt_no},
                    {"splittnr", 0},
                    {"bestellnr", order_no},
                    {"pcnr", ctx_.settings.pc_number}});
    }
    db.commit();
}

}  // namespace tl
