// Kitchen tickets ("Arbeitsbon"): every position of the receipt that has not
// yet gone to the kitchen is printed on the printer of its article group,
// as a collective ticket per printer or as single tickets per position (or
// per unit), and then the receipt is marked as sent (`menged` := `menge`),
// so the next order round prints only what was added since.
//
// A run uses one of two routing column sets: set 1 routes collective tickets
// by `warengrp.shop` and single tickets by `drucker3`, set 2 by `drucker2`
// and `drucker4`. Which runs happen, and which of them mark the receipt as
// sent, follows the station switches.
#pragma once

#include <optional>
#include <string>

#include "core/context.h"
#include "db/row.h"
#include "printing/printer.h"


namespace tl {

class KitchenTickets {
public:
    KitchenTickets(Context& ctx, Printer& printer) : ctx_(ctx), printer_(printer) {}

    // The order-round command: button "Bon" (BitBtn47), key Del, tablet
    // command B. Registers a new round (`bestellung`, `statust` '1', signing
    // request) and prints the runs.
    void bon();

    // Collective tickets of the current receipt with column set 1 or 2.
    void drucke_arbeitsbon(int set);
    // Single tickets of the current receipt with column set 1 or 2.
    void drucke_einzelarbeitsbon(int set);

    // Ticket counter: 0 at start; set-1 headers increase it before printing
    // it. Cancellation tickets increase it too.
    int ticket_counter = 0;

private:
    enum class Kind { collective, single };

    void kopfdaten_abon(int set);
    std::string positionsdaten_abon(const db::Row& row, Kind kind) const;
    void print_position_extras(const db::Row& row, const std::string& line);
    void end_of_ticket();
    void mark_sent(Kind kind, int set);
    db::Rows printer_values(const std::string& column);
    db::Rows positions(const std::string& column, const db::Row& printer_value);
    long long printer_number(const db::Row& printer_value) const;
    std::string waiter_name() const;

    Context& ctx_;
    Printer& printer_;
};

}  // namespace tl
