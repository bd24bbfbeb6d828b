// Waiter login and the table lifecycle: the login with password or waiter
// lock, the table selection under the rules that keep a table to its
// waiter, opening a free table with a new receipt, the receipt view, closing
// a receipt (tips, settlement of the split part, freeing the table), the
// table lists and the console log out. The console's Enter keys and the
// tablet dispatcher call the same operations; refusals are trace lines and
// the failure flags of TillState.
#pragma once

#include <string>
#include <vector>

#include "core/context.h"

namespace tl {

struct TableListRow {
    long long tischnr = 0;
    std::string status;
    double summe = 0;
    std::string text;
    long long kellnernr = 0;
    std::string reserv;  // "hh:mm" of the next reservation today, or empty
    std::string gastname;
    double rabatt = 0;
};

enum class TableList { own, occupied, free, all };

class Tables {
public:
    explicit Tables(Context& ctx) : ctx_(ctx) {}

    // Enter in the waiter field (Edit14).
    void waiter_enter();
    // Escape in the waiter field.
    void waiter_escape();
    // Enter in the password field (Edit15).
    void login();
    // Enter in the table field (Edit16).
    void select_table();
    // Opens the selected free table with a new receipt.
    void open_table();
    // Fills the receipt view and the sum fields for `till.receipt_no`.
    void show_receipt();
    // "schliessen": tips, settlement of the split part, freeing the table.
    void close_receipt();
    void settle_split(long long receipt_no, long long split_no);
    void free_table_after_cancellation(long long table_no);
    std::vector<TableListRow> table_list(TableList kind);
    // "schließen", F8, or the close code typed as article number.
    void console_logout();
    // Ctrl+G.
    void guest_name();
    // "Speichern" of the kitchen-comment editor.
    void save_kitchen_comment(long long posi, const std::string& ktext);

private:
    Context& ctx_;
};

}  // namespace tl
