// Waiter login and the table lifecycle: the login with password or waiter
// lock, the table selection under the rules that keep a table to its
// waiter, opening a free table with a new receipt, the receipt view, closing
// a receipt (tips, settlement of the split part, freeing the table), the
// table lists and the console log out. The console's Enter keys and the
// tablet dispatcher call the same operations; refusals are trace lines and
// the failure flags of TillState.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/context.h"
#include "ledger/special_positions.h"

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

// What the console shows of the table row selected last.
struct TableRecord {
    long long tischnr = 0;
    std::string status;
    long long kellnernr = 0;
    long long skellner = 0;
    long long belegnr = 0;
    double summe = 0;
    long long bestellnr = 0;
    std::string statust;
    std::string gastname;
    long long mwst = 0;
    double rabatt = 0;
};

class Tables {
public:
    explicit Tables(Context& ctx) : ctx_(ctx), special_(ctx) {}

    // Enter in the waiter field (Edit14).
    void waiter_enter();
    // Escape in the waiter field.
    void waiter_escape();
    // Escape in the password field.
    void password_escape();
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

    // The guard of the console keys that need a selected table: false, with
    // the trace line "Bitte zuerst Tisch anwählen!", when none is selected.
    bool require_table();
    // True when a table is selected and the last selection was accepted; a
    // refused or failed selection blocks booking until the next one succeeds.
    bool selection_ok() const { return ctx_.till.table_selected && selection_ok_; }
    // "anzeigen" of the main area and F11: the table page with the own tables.
    void show_tables();
    // F12: the kitchen-comment page, for a selected table only.
    void kitchen_comment_page();
    // "anzeigen" of the receipt page: the receipt whose number is in Edit18.
    void show_receipt_number();
    // Double click on a row of the table list.
    void table_double_click(long long tischnr);
    // The list last loaded for the table page.
    const std::vector<TableListRow>& shown_tables() const { return shown_tables_; }
    // The row of the table selected last (empty before the first selection).
    const std::optional<TableRecord>& current_table() const { return current_table_; }
    // Reads the selected table (`table_no` in the station's group); empty
    // when the row does not exist. Remembered as the current table row.
    std::optional<TableRecord> read_table();

    // The text "D" in the waiter field opens the card-terminal window.
    std::function<void()> on_terminal_window;

private:
    long long settling_waiter() const;
    void settle_cancelled_rows();
    std::string reservation(long long tischnr, const Date& today, const DateTime& now);

    Context& ctx_;
    SpecialPositions special_;
    bool selection_ok_ = false;
    std::optional<TableRecord> current_table_;
    std::vector<TableListRow> shown_tables_;
};

}  // namespace tl
