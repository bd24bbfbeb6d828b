// The one insert statement of a receipt position (`kasseb`), shared by the
// booking of articles and free positions and by the special positions
// (tips). Kitchen mark and kitchen station are taken by the statement from
// the article; columns left blank go in as empty strings, which the database
// layer turns into NULL for date and number columns.
#pragma once

#include <string>

#include "core/datetime.h"

namespace db {
class Database;
}

namespace tl {

struct PositionRow {
    int kassenr = 1;
    Date datum;
    long long belegnr = 0;
    long long splittnr = 0;
    long long bestellnr = 0;
    long long posi = 0;
    std::string artikelnummer;
    double preis = 0;
    double mwst = 0;
    std::string kassierer;
    double menge = 0;
    double epreis = 0;
    std::string text;
    long long tischnr = 0;
    std::string status = "1";
    DateTime zeit1;
    std::string bondru = "0";
    std::string rechdru = "0";
    std::string gastname;
    std::string zahlart = "B";
    double menged = 0;
    std::string ktext;
    std::string uhrzeit;
    std::string buart = "U";
    std::string anzeige;
    double gastnr = 0;
    double zimmernr = 0;
    std::string inhaus = "1";
};

// Throws db::Error when the database rejects the row.
void insert_position(db::Database& db, const PositionRow& row);

// Text cut to at most `size` characters (the column's width).
std::string cut(const std::string& text, size_t size);

}  // namespace tl
