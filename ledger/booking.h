// Article lookup and position booking: business date and day-closed
// checks, the price rules (sale price, table discount, happy hour by switch
// or schedule, price variants), the VAT class, merging into an equal open
// position or inserting a new one, the table total, the stock and the
// booking list. Enter in the article field runs it for the console and for
// every tablet order line.
#pragma once

#include <functional>

#include "core/context.h"
#include "ledger/tables.h"

namespace tl {

enum class ArticleKey { enter, f5, f6, other };

class Booking {
public:
    Booking(Context& ctx, Tables& tables) : ctx_(ctx), tables_(tables) {}

    // Recomputes `settings.business_date` from the clock.
    void update_business_date();
    // A key in the article field (Edit1); Enter books.
    void article_enter(ArticleKey key = ArticleKey::enter);
    // Each change of the article field: "+" or a single blank is emptied.
    void article_changed();
    // Looks up the article in Edit1; true when found.
    bool lookup_article();
    // "buchen".
    void buchen();
    // F1..F4 (1..4).
    void vat_key(int key);
    // Ctrl+F8.
    void clear_entries();
    // Ctrl+X and the "Happy Hour" check box.
    void toggle_happy_hour();

    // Started by F5 in the article field (the cancellation of the
    // highlighted position); empty until cancellation exists.
    std::function<void()> on_cancel;

private:
    Context& ctx_;
    Tables& tables_;
};

}  // namespace tl
