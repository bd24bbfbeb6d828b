#include "ledger/log_book.h"

#include "db/database.h"

namespace tl {

void logbuch(Context& ctx, const std::string& text) {
    ctx.db.execute("insert into logbuch  (datum, bearbeiter, text ) values  (:datum, :bearbeiter, :text )",
                   {{"datum", ctx.clock.now()}, {"bearbeiter", ""}, {"text", text}});
    ctx.db.commit();
}

}  // namespace tl
