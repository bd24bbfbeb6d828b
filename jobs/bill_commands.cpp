#include "jobs/bill_commands.h"

#include <stdexcept>
#include <string_view>

#include "core/format.h"
#include "db/database.h"

namespace tl {

namespace {

long long integer_field(const Message& m, int n) {
    const auto v = parse_integer(m.field(n));
    if (!v) throw std::runtime_error("Feld " + std::to_string(n) + " \"" + m.field(n) + "\" ist keine ganze Zahl");
    return *v;
}

// R and A: the settlement of the whole receipt by the tablet.
void settle(Context& ctx, Settlement& settlement, const Message& m, bool by_card) {
    auto& till = ctx.till;
    auto& d = ctx.dispatch;
    till.split_no = 0;
    till.payment_type = "B";
    const std::string& f4 = m.field(4);
    if (by_card) {
        settlement.assign_payment_type("K");
        till.payment_type = "K";
    } else if (f4.size() == 1 && std::string_view("RKSVHAZ").find(f4[0]) != std::string_view::npos) {
        settlement.assign_payment_type(f4);
        till.payment_type = f4;
    }
    d.print_on_terminal = false;
    d.last_settled_receipt_no = till.receipt_no;
    d.last_settled_split_no = till.split_no;
    d.ebon_key = integer_field(m, 3);
    d.ebon_mode = m.field(6) == "1";
    ebonready_start(ctx);
    till.tip_text = f4.find(',') == std::string::npos ? "0,00" : f4;
    ctx.meldung("Trinkgeld: " + till.tip_text);
    settlement.rechnung();
    ctx.meldung(Dispatcher::table_prefix(m) + (by_card ? " EC-Karte abgerechnet" : " bar abgerechnet"));
}

}  // namespace

void ebonready_start(Context& ctx) {
    ctx.db.execute(
        "update ebonready set status = '-' "
        " ,belegnr  = :belegnr "
        " ,splittnr  = :splittnr "
        " ,ebonon    = :ebonon "
        " where lizenznr = :lizenznr ",
        {{"belegnr", ctx.till.receipt_no},
         {"splittnr", ctx.till.split_no},
         {"ebonon", ctx.dispatch.ebon_mode ? "1" : "0"},
         {"lizenznr", std::to_string(ctx.dispatch.ebon_key)}});
    ctx.db.commit();
}

void register_bill_commands(Dispatcher& dispatcher, Context& ctx, Settlement& settlement, KitchenTickets& kitchen,
                            GuestReceipt& receipt, Printer& printer) {
    dispatcher.register_command('R', [&ctx, &settlement](const Message& m) { settle(ctx, settlement, m, false); });
    dispatcher.register_command('A', [&ctx, &settlement](const Message& m) { settle(ctx, settlement, m, true); });
    dispatcher.register_command('C', [&ctx, &receipt, &printer](const Message& m) {
        ctx.till.bill_receipt_no = integer_field(m, 3);
        ctx.till.bill_split_no = integer_field(m, 4);
        ctx.dispatch.ebon_key = integer_field(m, 6);
        printer.lade_drucker(ctx.settings.pc_number, ctx.settings.receipt_printer_number);
        ctx.dispatch.print_on_terminal = false;
        receipt.drucke_bon();
        ctx.meldung("Beleg " + m.field(3) + "/" + m.field(4) + " T" + m.field(2) + " Rechnung gedruckt ");
    });
    dispatcher.register_command('B', [&ctx, &kitchen](const Message& m) {
        ctx.dispatch.ebon_mode = false;
        kitchen.bon();
        ctx.meldung(Dispatcher::table_prefix(m) + " Arbeitsbon gedruckt");
    });
}

}  // namespace tl
