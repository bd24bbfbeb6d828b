#include "backoffice/guests.h"

#include "db/database.h"

namespace tl {

void store_gast(Context& ctx) {
    auto& db = ctx.db;
    const auto& d = ctx.dispatch;
    db.commit();
    const db::Params key = {{"gastname", ctx.till.guest_name},
                            {"ort", d.guest_city},
                            {"plz", d.guest_postcode},
                            {"adresse2", d.guest_street}};
    auto found = db.query_first(
        "select gastnr from gast where gastname = :gastname and ort = :ort and plz = :plz and adresse2 = :adresse2", key);
    double gastnr = 0;
    if (found) {
        gastnr = found->number("gastnr");
        db::Params p = key;
        p.emplace_back("infotext", d.guest_info);
        p.emplace_back("adresse", d.guest_addition);
        db.execute(
            "update gast set infotext = :infotext, adresse = :adresse "
            " where gastname = :gastname and ort = :ort and plz = :plz and adresse2 = :adresse2",
            p);
    } else {
        gastnr = db.scalar("select max(gastnr) maxi from gast", {}, "maxi") + 1;
        db.execute(
            "insert into gast (gastnr, gastname, plz, ort, adresse2, telefon, adresse, infotext) "
            " values (:gastnr, :gastname, :plz, :ort, :adresse2, :telefon, :adresse, :infotext)",
            {{"gastnr", gastnr},
             {"gastname", ctx.till.guest_name},
             {"plz", d.guest_postcode},
             {"ort", d.guest_city},
             {"adresse2", d.guest_street},
             {"telefon", d.guest_phone},
             {"adresse", d.guest_addition},
             {"infotext", d.guest_info}});
    }
    db.execute("update kasseb set gastnr = :gastnr, gastname = :gastname where belegnr = :belegnr",
               {{"gastnr", gastnr}, {"gastname", ctx.till.guest_name}, {"belegnr", ctx.till.receipt_no}});
    db.commit();
}

}  // namespace tl
