#include "ledger/position_row.h"

#include "db/database.h"

namespace tl {

namespace {

constexpr const char* kInsertPosition =
    "insert into kasseb (kassenr, datum, belegnr, splittnr, bestellnr, posi, artikelnummer, preis, mwst, "
    "kassierer, menge, epreis, text, text1, text2, text3, text4, tischnr, status, zeit1, kueche, bondru, "
    "rechdru, gastname, zahlart, menged, stationsnr, ktext, uhrzeit, buart, datum_storno, kellner_storno, "
    "anzeige, stornoart, stornogrund, gastnr, zimmernr, umgebucht, zieltisch, inhaus) values (:kassenr, "
    ":datum, :belegnr, :splittnr, :bestellnr, :posi, :artikelnummer, :preis, :mwst, :kassierer, :menge, "
    ":epreis, :text, :text1, :text2, :text3, :text4, :tischnr, :status, :zeit1, (select kueche from material "
    "where artikelnummer = :artikelnummer), :bondru, :rechdru, :gastname, :zahlart, :menged, (select "
    "stationsnr from material where artikelnummer = :artikelnummer), :ktext, :uhrzeit, :buart, :datum_storno, "
    ":kellner_storno, :anzeige, :stornoart, :stornogrund, :gastnr, :zimmernr, :umgebucht, :zieltisch, :inhaus)";

}  // namespace

std::string cut(const std::string& text, size_t size) { return text.size() <= size ? text : text.substr(0, size); }

void insert_position(db::Database& db, const PositionRow& r) {
    db.execute(kInsertPosition, {{"kassenr", r.kassenr},
                                 {"datum", r.datum},
                                 {"belegnr", r.belegnr},
                                 {"splittnr", r.splittnr},
                                 {"bestellnr", r.bestellnr},
                                 {"posi", r.posi},
                                 {"artikelnummer", cut(r.artikelnummer, 30)},
                                 {"preis", r.preis},
                                 {"mwst", r.mwst},
                                 {"kassierer", r.kassierer},
                                 {"menge", r.menge},
                                 {"epreis", r.epreis},
                                 {"text", cut(r.text, 100)},
                                 {"text1", ""},
                                 {"text2", ""},
                                 {"text3", ""},
                                 {"text4", ""},
                                 {"tischnr", r.tischnr},
                                 {"status", r.status},
                                 {"zeit1", r.zeit1},
                                 {"bondru", r.bondru},
                                 {"rechdru", r.rechdru},
                                 {"gastname", cut(r.gastname, 50)},
                                 {"zahlart", r.zahlart},
                                 {"menged", r.menged},
                                 {"ktext", cut(r.ktext, 1000)},
                                 {"uhrzeit", r.uhrzeit},
                                 {"buart", r.buart},
                                 {"datum_storno", ""},
                                 {"kellner_storno", ""},
                                 {"anzeige", r.anzeige},
                                 {"stornoart", ""},
                                 {"stornogrund", ""},
                                 {"gastnr", r.gastnr},
                                 {"zimmernr", r.zimmernr},
                                 {"umgebucht", ""},
                                 {"zieltisch", ""},
                                 {"inhaus", r.inhaus}});
}

}  // namespace tl
