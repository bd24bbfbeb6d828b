// Payment types and settlement: the bill of a receipt or split part (kitchen
// ticket first, bill row, card payment, receipt printed at once or after
// signing, receipt closed), the payment-type assignment of the tablet
// settlement, the re-booking tab "Zahlart" with its balances, and handing a
// receipt to the current waiter.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/context.h"
#include "ledger/booking.h"
#include "ledger/tables.h"
#include "printing/guest_receipt.h"
#include "printing/kitchen_tickets.h"
#include "printing/printer.h"

namespace tl {

class Settlement {
public:
    Settlement(Context& ctx, Tables& tables, Booking& booking, Printer& printer, KitchenTickets& kitchen,
               GuestReceipt& receipt)
        : ctx_(ctx), tables_(tables), booking_(booking), printer_(printer), kitchen_(kitchen), receipt_(receipt) {}

    // "Rechnung", F9, the tablet settlements: settles `till.receipt_no` /
    // `till.split_no` with `till.payment_type` and `till.tip_text`.
    void rechnung();
    // Ctrl+E: the bill with every unit on a line of its own.
    void rechnung_einzelpositionen();
    // "Einzelbon" (Ctrl+B) and "Sammelbon" (Ctrl+U): the bill selected for
    // printing (`till.bill_receipt_no` / `bill_split_no`) once more.
    void print_selected_bill();

    // Payment type x for every position of the receipt's current split part.
    void assign_payment_type(const std::string& letter);
    // The bill row of (receipt, split part), created when missing.
    void create_bill_row(long long receipt_no, long long split_no);

    // Re-booking tab "Zahlart": balances of Kasse, Karte, Zimmer, Rechnung,
    // Sonder (B, K, Z, R, S) over all positions of the receipt.
    static constexpr std::array<const char*, 5> kAccounts = {"B", "K", "Z", "R", "S"};
    std::array<double, 5> balances();
    enum class RebookMode { whole_receipt, other_amount, current_position };
    // "Umbuchung ausführen".
    void umbuchung(RebookMode mode, const std::string& from, const std::string& to, const std::string& amount_text,
                   long long posi);
    // The pair of payment re-booking rows moving `amount` from one type to another.
    void buche(const std::string& from, const std::string& to, double amount);
    // "Beleg auf aktuellen Kellner".
    void receipt_to_current_waiter();

    // Places later layers fill: the card payment of a bill paid by card on a
    // station with a card terminal, and the start of the service-result
    // polling after a signing request.
    std::function<void(long long receipt_no, long long split_no, double amount)> start_card_payment;
    std::function<void()> start_result_polling;

private:
    Context& ctx_;
    Tables& tables_;
    Booking& booking_;
    Printer& printer_;
    KitchenTickets& kitchen_;
    GuestReceipt& receipt_;
};

}  // namespace tl
