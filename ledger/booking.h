// Article lookup and position booking: business date and day-closed
// checks, the price rules (sale price, table discount, happy hour by switch
// or schedule, price variants), the VAT class, merging into an equal open
// position or inserting a new one, the table total, the stock and the
// booking list. Enter in the article field runs it for the console and for
// every tablet order line.
#pragma once

#include <functional>
#include <string>

#include "core/context.h"
#include "ledger/tables.h"

namespace tl {

enum class ArticleKey { enter, f5, f6, other };

// What the booking keeps of the article looked up last.
struct ArticleRecord {
    std::string artikelnummer;
    std::string text;  // all lines
    double verkaufspreis = 0;
    double listenpreis = 0;
    long long warengrp = 0;
    std::string mwst;
};

class Booking {
public:
    Booking(Context& ctx, Tables& tables) : ctx_(ctx), tables_(tables) {}

    // The window's key code in the article field: 13 Enter, F5 and F6 and
    // the codes 196 and 197 that act like them.
    static ArticleKey article_key(int key_code);

    // Recomputes `settings.business_date` from the clock.
    void update_business_date();
    // A key in the article field (Edit1); Enter books.
    void article_enter(ArticleKey key = ArticleKey::enter);
    // Each change of the article field: "+" or a single blank is emptied.
    void article_changed();
    // A key released in the article field: the close code logs the console out.
    void article_key_released();
    // F6 from the menu: looks the article up without booking.
    void lookup_key();
    // Looks up the article in Edit1; true when found.
    bool lookup_article();
    // "buchen".
    void buchen();
    // F1..F4 (1..4).
    void vat_key(int key);
    // Ctrl+F8.
    void clear_entries();
    // Ctrl+X.
    void toggle_happy_hour();
    // The "Happy Hour" check box.
    void set_happy_hour(bool on);

    // True when the last booking wrote or merged a position.
    bool last_booking_written() const { return written_; }
    const ArticleRecord& article() const { return article_; }

    // Started by F5 in the article field (the cancellation of the
    // highlighted position); empty until cancellation exists.
    std::function<void()> on_cancel;
    // The customer display shows the line of the last booking.
    std::function<void(const std::string& line)> on_customer_display;
    // A price or quantity that is no number: the window puts the focus into
    // the price entry.
    std::function<void()> on_focus_price;
    // With `print_second_text_line`: the continuation lines of the article
    // text (after its first line) to print.
    std::function<void(const std::string& lines)> on_second_text_line;

private:
    bool book();
    bool book_position(double price, double quantity, bool& opened);
    bool insert_or_merge(double epreis, double preis, double quantity, bool& opened);
    bool day_closed_by_kasse();
    void apply_schedule();
    bool in_happy_groups(long long warengrp) const;
    void book_linked_article(const std::string& booked_quantity);

    Context& ctx_;
    Tables& tables_;
    ArticleRecord article_;
    bool written_ = false;
};

}  // namespace tl
