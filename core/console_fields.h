// The console's entry fields under their form names, and what the window
// shows of the selected receipt. The dispatcher fills the same fields a
// typist would; the window only renders them.
#pragma once

#include <string>
#include <vector>

namespace tl {

// One row of the receipt view (page "Beleg").
struct ReceiptViewRow {
    long long posi = 0;
    std::string status;
    std::string artikelnummer;
    std::string text;
    double epreis = 0;
    double menge = 0;
    double preis = 0;
    std::string kueche;
    std::string ktext;
    std::string buart;
    std::string zahlart;
    long long bestellnr = 0;
    long long splittnr = 0;
};

struct ConsoleFields {
    std::string Edit1;          // article number
    std::string Edit2;          // unit price
    std::string Edit3;          // sum of the selected receipt
    std::string Edit4;          // receipt number (console)
    std::string Edit5;          // position text
    std::string Edit9 = "1";    // quantity
    std::string Edit14;         // waiter number
    std::string Edit15;         // password
    std::string Edit16;         // table number
    std::string Edit17;         // number of listed positions
    std::string Edit18;         // receipt number (receipt view)
    std::string Edit19;         // sum of the listed positions

    bool table_entry_visible = false;
    bool booking_panel_visible = false;
    bool work_pages_visible = false;
    std::string work_page;         // work page in front: "Beleg", "Tische", "Küche", "PDA"
    std::string table_caption;     // table label word, blank, number
    std::string discount_caption;  // "10,00 % Rabatt", "Happy Hour" or empty (hidden)
    std::string customer_caption;  // "Kunde: ..." or empty

    std::vector<ReceiptViewRow> receipt_view;
    int receipt_view_current = 0;  // highlighted row; -1 = none
};

}  // namespace tl
