// The guest receipt ("Rechnung") of one receipt and split part
// (`till.bill_receipt_no`, `till.bill_split_no`): header with guest block,
// one line per group of equal positions, the total, the VAT breakdown per
// rate, the payment line, the fiscal block, "Es bediente Sie", footer lines,
// the hospitality form and the end codes. The caller loads the receipt
// printer's profile first.
#pragma once

#include <functional>
#include <string>

#include "core/context.h"
#include "db/row.h"
#include "printing/printer.h"

namespace tl {

class GuestReceipt {
public:
    GuestReceipt(Context& ctx, Printer& printer) : ctx_(ctx), printer_(printer) {}

    void drucke_bon();

    // Ctrl+E: every unit is printed as a position line of its own.
    bool unit_receipt = false;
    // Payment type of the receipt printed last.
    std::string receipt_payment_type;

    // Places later layers fill: the fiscal block with signing active, the
    // card terminal's receipt print (job kind 7) and finishing an e-receipt.
    std::function<void()> fiscal_block_signed;
    std::function<void()> print_on_terminal;
    std::function<void()> finish_ebon;

private:
    struct Totals {
        double receipt = 0, no_vat = 0, a = 0, b = 0, c = 0;
    };

    void print_kopf(const db::Row& first);
    void print_guest_block(const db::Row& first);
    void print_pos(const db::Row& row, double menge, double preis);
    void display_pos();
    void endbearbeitung();
    void fiscal_block();
    std::string waiter_name() const;

    Context& ctx_;
    Printer& printer_;
    Totals totals_;
};

}  // namespace tl
