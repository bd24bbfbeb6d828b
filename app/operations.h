// The operations of the running server over its Context: login and tables,
// booking, the printer, kitchen tickets, the guest receipt, settlement, the
// tablet dispatcher and the job queue, built once and wired to each other
// and to the Server's plug-in places. Plain C++: the window reaches every
// console key through these objects.
#pragma once

#include "app/server.h"
#include "jobs/dispatcher.h"
#include "jobs/job_queue.h"
#include "ledger/booking.h"
#include "ledger/settlement.h"
#include "ledger/tables.h"
#include "printing/guest_receipt.h"
#include "printing/kitchen_tickets.h"
#include "printing/printer.h"

namespace tl {

class Operations {
public:
    explicit Operations(Server& server);
    Operations(const Operations&) = delete;
    Operations& operator=(const Operations&) = delete;

    // A console operation as one unit of work: what it writes is committed
    // together, or undone when it fails; the failure is shown in a box.
    template <typename F>
    void console(F&& operation);

    Server& server;
    Context& ctx;
    Tables tables;
    Booking booking;
    Printer printer;
    KitchenTickets kitchen;
    GuestReceipt receipt;
    Settlement settlement;
    Dispatcher dispatcher;
    JobQueue queue;

private:
    void run_console(const std::function<void()>& operation);
};

template <typename F>
void Operations::console(F&& operation) {
    run_console(std::function<void()>(std::forward<F>(operation)));
}

}  // namespace tl
