// The schema script builds every table and generator the till uses, with
// the columns and the dialect-1 types the ledger relies on.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/support/fixture.h"

namespace {

class Schema : public tltest::DatabaseTest {};

const std::map<std::string, std::vector<std::string>>& expected_tables() {
    static const std::map<std::string, std::vector<std::string>> t = {
        {"kasseb", {"kassenr", "datum", "belegnr", "splittnr", "bestellnr", "posi", "artikelnummer", "preis", "mwst",
                    "kassierer", "menge", "epreis", "text", "text1", "text2", "text3", "text4", "tischnr", "status",
                    "zeit1", "kueche", "bondru", "rechdru", "gastname", "zahlart", "menged", "stationsnr", "ktext",
                    "uhrzeit", "buart", "datum_storno", "kellner_storno", "anzeige", "stornoart", "stornogrund",
                    "gastnr", "zimmernr", "umgebucht", "zieltisch", "inhaus", "abgerechnet", "datumk", "kellnerk",
                    "uhrzeitk", "zeit2", "zeit3", "zeit4", "koch", "abgerechnetg", "an_hotel", "bewirtung", "anzpers",
                    "fahrernr", "statusp", "statusl"}},
        {"tisch", {"tischnr", "gruppennr", "text", "kellnernr", "skellner", "belegnr", "summe", "status", "gastname",
                   "mwst", "krueck", "rabatt", "zimmernr", "teilzahlung", "anzpers", "gastnr", "bestellnr", "statust"}},
        {"abbild", {"tischnr", "status"}},
        {"beleg", {"belegnr", "splittnr", "statusb", "signature", "tnumber", "logtimef", "signaturect", "process_data"}},
        {"bestellung", {"belegnr", "bestellnr", "statusb", "logtimes"}},
        {"job", {"jobid", "tasknr", "belegnr", "splittnr", "bestellnr", "pcnr"}},
        {"jobready", {"jobid", "pcnr", "tasknr", "belegnr", "splittnr", "ergebnis"}},
        {"netjob", {"jobid", "puffer"}},
        {"splitt", {"jobid", "artikelnummer", "text", "epreis", "menge", "ktext", "aufpreis", "pvariante"}},
        {"material", {"artikelnummer", "text", "verkaufspreis", "listenpreis", "artikelnrp", "warengrp", "vgruppe", "mwst",
                      "kueche", "stationsnr", "lagerbestand", "b_text", "zusatztext", "kein_abon", "favoritnr", "bfarbe",
                      "nicht_anzeigen", "a_nummer", "mengeneinheit"}},
        {"warengrp", {"warengrp", "warenart", "text", "bfarbe", "nicht_anzeigen", "reihenfolge", "speisenfolge", "shop",
                      "drucker2", "drucker3", "drucker4", "abteilung"}},
        {"varianten", {"vgruppe", "vpos", "vtext", "vpreis"}},
        {"pvarianten", {"artikelnummer", "vpos", "vpreis", "vhappypreis", "vtext"}},
        {"stueli", {"artikelnummer", "startikel", "stmenge"}},
        {"kellner", {"kellnernr", "passwort", "schloss", "status", "name", "stornostufe"}},
        {"gast", {"gastnr", "gastname", "zimmernr", "adresse", "adresse2", "plz", "ort", "telefon", "infotext"}},
        {"drucker", {"pcnummer", "druckernr", "anschluss", "baudrate", "paritaet", "datenbits", "stopbits", "sartk",
                     "sartp", "sartb", "sgrok", "sgrop", "sgrob", "zhoek", "zhoep", "zhoeb", "sart4", "sgro4", "shoe4",
                     "lrbeleg", "lrbon", "blattb", "blatth", "logob", "logoh", "logolehr", "qrcode"}},
        {"tse", {"tse_aktiv", "tse_serialnumber", "tse_hashalgorithmus", "tse_publickey", "tse_seriennrk", "tse_clientid"}},
        {"ebonready", {"lizenznr", "status", "belegnr", "splittnr", "ebonon"}},
        {"logbuch", {"datum", "bearbeiter", "text"}},
        {"kasse", {"datum"}},
        {"lasttag", {"happyhour", "datum"}},
        {"tischres", {"datum", "tischnr", "zeit"}},
        {"firma", {"mehrwertsteuer", "mwst2", "mwst3", "nettop", "waehrung"}},
    };
    return t;
}

std::string lower_trim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST_F(Schema, EveryTableHasItsColumns) {
    for (const auto& [table, columns] : expected_tables()) {
        auto rows = db.query(
            "select trim(rf.rdb$field_name) name from rdb$relation_fields rf where rf.rdb$relation_name = upper(:t)",
            {{"t", table}});
        std::set<std::string> have;
        for (const auto& r : rows) have.insert(lower_trim(r.text("name")));
        ASSERT_FALSE(have.empty()) << "table " << table << " missing";
        for (const auto& c : columns) EXPECT_TRUE(have.count(c)) << table << "." << c;
    }
}

TEST_F(Schema, ColumnTypesAreThoseTheLedgerReliesOn) {
    // rdb$field_type: 27 double, 35 timestamp (dialect-1 date), 37 varchar, 14 char, 8 integer.
    struct Case {
        const char* table;
        const char* column;
        int type;
        int length;  // characters for texts, 0 = not checked
    } cases[] = {
        {"kasseb", "preis", 27, 0},        {"kasseb", "datum", 35, 0},   {"kasseb", "text", 37, 100},
        {"kasseb", "artikelnummer", 37, 30}, {"kasseb", "status", 14, 1}, {"kasseb", "ktext", 37, 1000},
        {"kasseb", "splittnr", 8, 0},      {"kasseb", "stornogrund", 37, 40}, {"kasseb", "gastname", 37, 50},
        {"tisch", "tischnr", 27, 0},       {"tisch", "statust", 14, 1},  {"tisch", "mwst", 8, 0},
        {"job", "jobid", 8, 0},            {"material", "artikelnummer", 37, 30},
    };
    for (const auto& c : cases) {
        auto row = db.query_first(
            "select f.rdb$field_type ft, f.rdb$character_length cl from rdb$relation_fields rf "
            "join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
            "where rf.rdb$relation_name = upper(:t) and rf.rdb$field_name = upper(:c)",
            {{"t", c.table}, {"c", c.column}});
        ASSERT_TRUE(row) << c.table << "." << c.column;
        EXPECT_EQ(row->integer("ft"), c.type) << c.table << "." << c.column;
        if (c.length) { EXPECT_EQ(row->integer("cl"), c.length) << c.table << "." << c.column; }
    }
}

TEST_F(Schema, GeneratorsAndCharacterSet) {
    for (const char* g : {"belegnr", "jobid", "netjobid"}) EXPECT_NO_THROW(db.generator(g)) << g;
    auto cs = db.query_first("select trim(rdb$character_set_name) cs from rdb$database");
    EXPECT_EQ(lower_trim(cs->text("cs")), "win1252");
    auto dialect = db.query_first("select mon$sql_dialect d from mon$database");
    EXPECT_EQ(dialect->integer("d"), 1);
}

class DemoData : public tltest::DemoDatabaseTest {};

TEST_F(DemoData, RestaurantIsComplete) {
    auto count = [&](const char* sql) { return db.scalar(sql, {}, "anzahl"); };
    EXPECT_EQ(count("select count(*) anzahl from firma where mehrwertsteuer = 19 and mwst2 = 7 and mwst3 = 0 and waehrung = 'EUR'"), 1);
    EXPECT_EQ(count("select count(*) anzahl from tse where tse_aktiv = '0'"), 1);
    EXPECT_GE(count("select count(*) anzahl from material"), 40);
    EXPECT_GE(count("select count(*) anzahl from material where artikelnrp <> ''"), 1);
    EXPECT_GE(count("select count(*) anzahl from stueli"), 1);
    EXPECT_GE(count("select count(*) anzahl from pvarianten"), 1);
    EXPECT_EQ(count("select count(*) anzahl from drucker where pcnummer = 1"), 3);
    EXPECT_EQ(count("select count(*) anzahl from ebonready"), 1);
    EXPECT_EQ(count("select count(*) anzahl from lasttag"), 1);
    EXPECT_GE(count("select count(*) anzahl from tisch where gruppennr = 1"), 10);
    auto joerg = db.query_first("select name from kellner where kellnernr = 3");
    EXPECT_EQ(joerg->text("name"), "Jörg");
    auto schnitzel = db.query_first("select text from material where artikelnummer = '50'");
    EXPECT_EQ(schnitzel->text("text"), "Wiener Schnitzel\r\nmit Pommes frites\r\n");
}

}  // namespace
