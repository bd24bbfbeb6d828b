// The log book: lasting entries in table `logbuch` (start and end of the
// server, failed jobs, the signing service's delete failures).
#pragma once

#include <string>

#include "core/context.h"

namespace tl {

// Inserts one row (now, empty `bearbeiter`, `text`) and commits.
void logbuch(Context& ctx, const std::string& text);

}  // namespace tl
