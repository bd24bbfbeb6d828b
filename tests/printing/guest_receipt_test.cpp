// The guest receipt, printed to the receipt printer (lpt1 mapped to a file)
// and compared line by line at width 42.
#include <gtest/gtest.h>

#include "db/database.h"
#include "printing/guest_receipt.h"
#include "printing/printer.h"
#include "tests/support/till_fixture.h"

namespace {

using Lines = std::vector<std::string>;

const std::string W(42, '-');

class Receipt : public tltest::TillTest {
protected:
    void SetUp() override {
        TillTest::SetUp();
        map_demo_printers();
        till.waiter_no = 3;
        till.waiter_name = "Jörg";
        till.table_no = 12;
        till.bill_receipt_no = 17;
        till.bill_split_no = 0;
        printer = std::make_unique<tl::Printer>(ctx);
        receipt = std::make_unique<tl::GuestReceipt>(ctx, *printer);
        printer->lade_drucker(1, 1);
    }
    void position(int posi, const std::string& art, double menge, double epreis, const std::string& text, double mwst = 19,
                  int split = 0, const std::string& anzeige = "", const std::string& buart = "U") {
        db.execute(
            "insert into kasseb (kassenr, datum, belegnr, splittnr, bestellnr, posi, artikelnummer, preis, mwst, kassierer, "
            "menge, epreis, text, tischnr, status, zahlart, menged, ktext, buart, anzeige, inhaus, gastname) values (1, :datum, 17, "
            ":split, 1, :posi, :art, :preis, :mwst, '3', :menge, :epreis, :text, 12, '1', 'B', 0, '', :buart, :anzeige, '1', '')",
            {{"datum", settings.business_date}, {"split", split}, {"posi", posi}, {"art", art}, {"preis", menge * epreis},
             {"mwst", mwst}, {"menge", menge}, {"epreis", epreis}, {"text", text}, {"buart", buart}, {"anzeige", anzeige}});
        db.commit();
    }
    Lines printed() { return tltest::take_printed_lines(dir / "bon.txt"); }
    static Lines cp437(Lines lines) {
        for (auto& l : lines) l = tl::umlaut(l);
        return lines;
    }
    // Header of receipt 17 at table 12 without header lines.
    static Lines head(const std::string& receipt_no = "17") {
        return {" ", "Datum:    09.12.2026 14:05", "Waehrung: EUR  Beleg: " + receipt_no, "Tisch:    12", W};
    }
    // Everything after the VAT lines with the default switches.
    static Lines tail() { return {W, "TSE wurde deaktiviert", W, "Es bediente Sie Jörg", "", "."}; }
    static Lines join(std::initializer_list<Lines> parts) {
        Lines all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }

    std::unique_ptr<tl::Printer> printer;
    std::unique_ptr<tl::GuestReceipt> receipt;
};

TEST_F(Receipt, EqualArticlesAreOneLineAndTheVatAddsUp) {
    position(1, "11", 1, 4.80, "Pils 0,5l");
    position(2, "11", 2, 4.80, "Pils 0,5l");
    position(3, "40", 0.5, 5.50, "Tomatensuppe");
    receipt->drucke_bon();
    EXPECT_EQ(printed(), cp437(join({head(),
                                      {"  3 Pils 0,5l                 4,80   14,40",
                                       "0,50 Tomatensuppe              5,50    2,75",
                                       W,
                                       "                        Summe EUR :  17,15",
                                       W,
                                       "Brutto 19,00%   17,15  ",
                                       "Netto  19,00%   14,41  ",
                                       "MWSt   19,00%    2,74  "},
                                      tail()})));
}

TEST_F(Receipt, RatesOutsideTheStationRatesCountAsRateA) {
    position(1, "11", 1, 11.60, "Altes Angebot", 16);
    position(2, "42", 1, 10.70, "Salat groß", 7);
    receipt->drucke_bon();
    auto lines = printed();
    const Lines vat(lines.end() - 12, lines.end() - 6);
    EXPECT_EQ(vat, cp437({"Brutto 19,00%   11,60  ", "Netto  19,00%    9,75  ", "MWSt   19,00%    1,85  ",
                          "Brutto  7,00%   10,70  ", "Netto   7,00%   10,00  ", "MWSt    7,00%    0,70  "}));
}

TEST_F(Receipt, OnlyRateCHasNoGrossLine) {
    settings.vat_rate_c = 10;
    position(1, "72", 1, 11.00, "Gutschein", 10);
    receipt->drucke_bon();
    auto lines = printed();
    const Lines vat(lines.end() - 8, lines.end() - 6);
    EXPECT_EQ(vat, (Lines{"Netto 10,00%   10,00  ", "MWSt  10,00%    1,00  "}));
}

TEST_F(Receipt, ZeroPositionsKartenzahlungAndSplitNumber) {
    settings.hide_zero_positions = true;
    till.bill_split_no = 2;
    position(1, "11", 1, 4.80, "Pils 0,5l", 19, 2);
    position(2, "FF01", 1, 0, "Freie Position", 19, 2);
    position(3, "Kartenzahlung", 1, 4.80, "Kartenzahlung", 19, 2);
    position(4, "40", 1, 5.50, "Tomatensuppe", 19, 0);
    receipt->drucke_bon();
    EXPECT_EQ(printed(), cp437(join({head("17/2"),
                                      {"  1 Pils 0,5l                 4,80    4,80", W,
                                       "                        Summe EUR :   4,80", W, "Brutto 19,00%    4,80  ",
                                       "Netto  19,00%    4,03  ", "MWSt   19,00%    0,77  "},
                                      tail()})));
}

TEST_F(Receipt, UnitReceiptTailFeedPaymentLineAndHospitalityForm) {
    receipt->unit_receipt = true;
    settings.tail_feed = 2;
    settings.print_payment_line = true;
    settings.print_served_by = false;
    settings.tax_number = "156/123/45678";
    dispatch.hospitality_form = true;
    dispatch.hospitality_lines = 2;
    position(1, "30", 3, 2.50, "Kaffee");
    receipt->drucke_bon();
    EXPECT_EQ(printed(), cp437(join({head(),
                                      {"  1 Kaffee                    2,50    2,50", "  1 Kaffee                    2,50    2,50",
                                       "  1 Kaffee                    2,50    2,50", W,
                                       "                        Summe EUR :   7,50", W, "Brutto 19,00%    7,50  ",
                                       "Netto  19,00%    6,30  ", "MWSt   19,00%    1,20  ", W, "Betrag in Bar erhalten", W,
                                       "TSE wurde deaktiviert", W, "", "Bewirtungsnachweis", W, "Anzahl bewirtete Personen:", "",
                                       W, "Anlass der Bewirtung:", "", W, "Bewirtete Personen:", "", W, "", W, "",
                                       "Leistungsdatum ist Rechnungsdatum.", "Steuernummer: 156/123/45678", "", "", "."}})));
    EXPECT_FALSE(dispatch.hospitality_form) << "the form is printed once";
}

TEST_F(Receipt, GuestOfTheRegisterInTheHeader) {
    settings.print_guest_number = true;
    position(1, "11", 1, 4.80, "Pils 0,5l");
    db.execute("update kasseb set gastnr = 1, gastname = 'Familie Huber' where belegnr = 17");
    db.commit();
    receipt->drucke_bon();
    const Lines lines = printed();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 13),
              (Lines{" ", "Familie Huber", "Lindenweg 4", "83022 Rosenheim", "Tel.: 08031 12345", "Halbpension", "Gast-Nr.: 1",
                     "Zimmer: 12", "", "Unterschrift:", "", W, ""}));
    EXPECT_EQ(lines[13], "Datum:    09.12.2026 14:05");
    settings.hide_signature_line = settings.hide_room_number = true;
    settings.print_guest_number = false;
    receipt->drucke_bon();
    const Lines short_block = printed();
    EXPECT_EQ(Lines(short_block.begin(), short_block.begin() + 8),
              (Lines{" ", "Familie Huber", "Lindenweg 4", "83022 Rosenheim", "Tel.: 08031 12345", "Halbpension", "",
                     "Datum:    09.12.2026 14:05"}));
}

TEST_F(Receipt, GuestNameOfTheTableWithoutRegister) {
    till.guest_name = "Meier";
    position(1, "11", 1, 4.80, "Pils 0,5l");
    receipt->drucke_bon();
    const Lines lines = printed();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4), (Lines{" ", "Gastname: Meier", "", "Datum:    09.12.2026 14:05"}));
}

TEST_F(Receipt, EmptyReceiptPrintsNothing) {
    position(1, "11", 1, 4.80, "Pils 0,5l", 19, 1);
    receipt->drucke_bon();
    EXPECT_FALSE(std::filesystem::exists(dir / "bon.txt"));
}

}  // namespace
