// The tablet commands that settle and print: R (settle), A (settle by debit
// card), C (print a guest receipt) and B (kitchen tickets), plus the
// e-receipt hand-shake mark of the settling commands.
#pragma once

#include "core/context.h"
#include "jobs/dispatcher.h"
#include "ledger/settlement.h"
#include "printing/guest_receipt.h"
#include "printing/kitchen_tickets.h"
#include "printing/printer.h"

namespace tl {

// Marks the `ebonready` row of `dispatch.ebon_key` for the bill about to be
// settled (status '-', receipt, split part, e-receipt switch). No row is
// inserted: without a row of that key nothing changes.
void ebonready_start(Context& ctx);

void register_bill_commands(Dispatcher& dispatcher, Context& ctx, Settlement& settlement, KitchenTickets& kitchen,
                            GuestReceipt& receipt, Printer& printer);

}  // namespace tl
