#include "app/operations.h"

#include "db/database.h"
#include "jobs/bill_commands.h"

namespace tl {

Operations::Operations(Server& s)
    : server(s),
      ctx(s.context()),
      tables(ctx),
      booking(ctx, tables),
      printer(ctx),
      kitchen(ctx, printer),
      receipt(ctx, printer),
      settlement(ctx, tables, booking, printer, kitchen, receipt),
      dispatcher(ctx, tables, booking),
      queue(ctx, tables, booking, dispatcher) {
    ctx.hooks.show_receipt = [this] { tables.show_receipt(); };
    register_bill_commands(dispatcher, ctx, settlement, kitchen, receipt, printer);
    booking.on_customer_display = [this](const std::string& line) {
        if (ctx.settings.customer_display) printer.kundis(line, 2);
    };
    booking.on_second_text_line = [this](const std::string&) { printer.print_mehrzeil(ctx.till.article_no); };
    server.show_display_idle = [this] {
        printer.kundis(ctx.settings.display_idle_line_1, 1);
        printer.kundis(ctx.settings.display_idle_line_2, 2);
    };
    server.job_queue_poll = [this] {
        queue.trace_messages = server.trace_switch;
        queue.log_messages = server.logfile_switch;
        queue.poll();
    };
}

void Operations::run_console(const std::function<void()>& operation) {
    try {
        db::UnitOfWork unit(ctx.db);
        operation();
        unit.commit();
    } catch (const std::exception& e) {
        ctx.dialogs.message(e.what());
    }
    ctx.changed();
}

}  // namespace tl
