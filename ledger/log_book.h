// The log book: lasting entries of the server (start, end, failures of the
// service-result poll) as rows of table `logbuch`. The server leaves
// `bearbeiter` blank; the card-terminal window writes its own rows.
#pragma once

#include <string>

#include "core/context.h"

namespace tl {

// Inserts one row stamped with the clock's moment and commits. Database
// errors reach the caller like those of the operation that wrote the row.
void logbuch(Context& ctx, const std::string& text);

}  // namespace tl
