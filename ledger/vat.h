// The VAT classes of the till: the keys F1–F4 (also used by the table
// preset and by free positions) and the letter and rate of a class.
#pragma once

#include <string>

#include "core/context.h"

namespace tl {

// F1..F4 as 1..4: class 1, 2, 3 or 0 for the next bookings; every class but
// 1 is a manual choice that stays in force.
void apply_vat_key(Context& ctx, int key);

// Sets `vat_letter` and `vat_rate` for `vat_class`; false for a class text
// the till does not know, which leaves the previous letter and rate.
bool apply_vat_class(Context& ctx);

}  // namespace tl
