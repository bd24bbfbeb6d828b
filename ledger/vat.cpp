#include "ledger/vat.h"

namespace tl {

void apply_vat_key(Context& ctx, int key) {
    auto& till = ctx.till;
    const auto& s = ctx.settings;
    switch (key) {
        case 1:
            till.vat_class = "1", till.vat_letter = "A", till.vat_rate = s.vat_rate_a, till.vat_manual = false;
            break;
        case 2:
            till.vat_class = "2", till.vat_letter = "B", till.vat_rate = s.vat_rate_b, till.vat_manual = true;
            break;
        case 3:
            till.vat_class = "3", till.vat_letter = "C", till.vat_rate = s.vat_rate_c, till.vat_manual = true;
            break;
        case 4:
            till.vat_class = "0", till.vat_letter = "", till.vat_rate = 0, till.vat_manual = true;
            break;
        default:
            return;
    }
    ctx.changed();
}

bool apply_vat_class(Context& ctx) {
    auto& till = ctx.till;
    const auto& s = ctx.settings;
    const std::string& c = till.vat_class;
    if (c == "1" || c.empty()) {
        till.vat_letter = "A", till.vat_rate = s.vat_rate_a;
    } else if (c == "2") {
        till.vat_letter = "B", till.vat_rate = s.vat_rate_b;
    } else if (c == "3") {
        till.vat_letter = "C", till.vat_rate = s.vat_rate_c;
    } else if (c == "0") {
        till.vat_letter = "", till.vat_rate = 0;
    } else {
        return false;
    }
    return true;
}

}  // namespace tl
