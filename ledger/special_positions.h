// Special positions: positions without an article (the tip and its cash
// withdrawal when a receipt is closed), each booked in an order of its own,
// and the order row of such an order with its signing request for the
// fiscal signing unit. Closing a receipt and the settlement use them.
#pragma once

#include <string>

#include "core/context.h"

namespace tl {

struct SpecialPosition {
    double amount = 0;
    std::string text;
    std::string buart;    // booking kind, "D" for tips
    std::string zahlart;  // payment type
    std::string anzeige;  // "N" = not listed on the guest receipt
};

class SpecialPositions {
public:
    explicit SpecialPositions(Context& ctx) : ctx_(ctx) {}

    // Books `p` into receipt `till.receipt_no`, split part `till.split_no`,
    // as the next position in a new order. A rejected insert is ignored.
    void book(const SpecialPosition& p);
    // The `bestellung` row of order `order_no` of receipt `receipt_no` if it
    // is missing; with the signing unit active a `job` row of task 5.
    void create_order_row(long long receipt_no, long long order_no);

private:
    Context& ctx_;
};

}  // namespace tl
