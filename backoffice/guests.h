// Hotel guests: the tablet's guest data merged into the guest register and
// onto the open receipt.
#pragma once

#include "core/context.h"

namespace tl {

// Finds the guest by name, city, postcode and street (all four equal) and
// updates its info text and address addition, or adds a new guest with the
// next number; then every position of the open receipt carries the guest.
void store_gast(Context& ctx);

}  // namespace tl
