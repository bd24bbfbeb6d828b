// TillState: the one record of the current work that the console and the
// tablet dispatcher share: who is logged in, which table and receipt are
// selected, the VAT choice, the article being booked and the failure flags
// the dispatcher reads. Login and table selection set most of it, booking
// the rest; each operation names the fields it uses.
#pragma once

#include <string>

namespace tl {

struct TillState {
    // Logged-in waiter.
    long long waiter_no = 0;
    std::string waiter_name;
    int storno_level = 0;

    // Selected table.
    long long table_no = 0;
    bool table_selected = false;
    long long table_waiter_no = 0;
    std::string table_waiter_name;
    std::string guest_name;

    // Open receipt and order round.
    long long receipt_no = 0;
    long long order_no = 0;
    bool order_open = false;
    long long split_no = 0;  // 0 = the whole receipt

    // VAT choice for the next booking.
    std::string vat_class = "1";  // "0".."3"
    std::string vat_letter = "A";  // "", "A", "B", "C"
    double vat_rate = 0;
    bool vat_manual = false;

    double discount_percent = 0;
    bool happy_hour = false;
    bool happy_price = false;
    bool day_closed = false;

    // The article being booked.
    std::string article_no;
    bool article_found = false;
    std::string linked_article_no;
    double surcharge = 0;
    long long variant_pos = 0;
    bool variant_booking = false;
    bool free_position = false;
    long long variant_group = 0;
    std::string kitchen_mark;

    long long last_posi = 0;
    long long item_count = 0;
    std::string display_line;
    std::string storno_kind;
    std::string shown_sum;

    // Settlement.
    std::string payment_type = "B";
    std::string tip_text = "0";
    long long bill_receipt_no = 0;
    long long bill_split_no = 0;

    // Failure flags of the last table selection.
    bool table_refused = false;
    bool selection_failed = false;
};

}  // namespace tl
