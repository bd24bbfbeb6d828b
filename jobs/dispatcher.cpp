#include "jobs/dispatcher.h"

#include "backoffice/guests.h"
#include "core/format.h"
#include "db/database.h"

namespace tl {

void Dispatcher::execute(const Message& m) {
    switch (m.command()) {
        case 'D': book_article(m); return;
        case 'F': book_free_position(m); return;
        case 'L': append_variant_text(m); return;
        case 'W':
            ctx_.dispatch.hospitality_form = true;
            ctx_.dispatch.hospitality_lines = 8;
            ctx_.meldung(table_prefix(m) + " Bewirtungsnachweis");
            return;
        case 'T': store_guest(m); return;
        case 'K': ctx_.meldung("K-Telegramm erhalten"); return;
        case 'M':
        case 'Q':
            return;  // the table selection of the preamble is all they do
        default: break;
    }
    auto it = commands_.find(m.command());
    if (it != commands_.end()) it->second(m);
}

void Dispatcher::book_article(const Message& m) {
    ctx_.fields.Edit9 = m.field(3);
    ctx_.fields.Edit1 = m.field(4);
    booking_.article_enter();
    ctx_.meldung(table_prefix(m) + " " + m.field(3) + "*" + m.field(4) + " " + ctx_.fields.Edit5);
}

void Dispatcher::book_free_position(const Message& m) {
    ctx_.fields.Edit9 = m.field(3);
    ctx_.fields.Edit5 = m.field(4);
    std::string price = m.field(6);
    for (char& c : price)
        if (c == '.') c = ',';
    ctx_.fields.Edit2 = price;
    if (!parse_number(price)) {
        ctx_.meldung(table_prefix(m) + " " + m.field(6) + " Preis falsch");
        return;
    }
    if (m.field(7) == "1") {
        booking_.vat_key(1);
        ctx_.fields.Edit1 = "FF01";
    } else {
        booking_.vat_key(2);
        ctx_.fields.Edit1 = "FF02";
    }
    ctx_.till.free_position = true;
    try {
        booking_.article_enter();
    } catch (...) {
        ctx_.till.free_position = false;
        throw;
    }
    ctx_.till.free_position = false;
    ctx_.meldung(table_prefix(m) + " " + m.field(3) + "*" + m.field(4) + " " + m.field(6));
}

void Dispatcher::append_variant_text(const Message& m) {
    const std::string text = tablet_text(m.field(4));
    auto row = ctx_.db.query_first("select vpreis from varianten where vtext = :vtext", {{"vtext", text.substr(0, 50)}});
    const double surcharge = row ? row->number("vpreis") : 0.0;
    // The variant belongs to the receipt the console shows; a table without an
    // open receipt has nothing to append to.
    const auto receipt = parse_integer(ctx_.fields.Edit18);
    if (!receipt || *receipt <= 0)
        throw std::runtime_error(table_prefix(m) + ": kein offener Beleg für den Variantentext");
    ctx_.db.execute(
        "update kasseb set ktext  = ktext || :ktext, epreis = epreis + :aufpreis, preis = preis + :aufpreis "
        " where belegnr = :belegnr "
        " and posi = :posi ",
        {{"ktext", text + "\r\n"}, {"aufpreis", surcharge}, {"belegnr", *receipt}, {"posi", ctx_.till.last_posi}});
    ctx_.db.commit();
    ctx_.meldung(table_prefix(m) + " --> " + text);
}

void Dispatcher::store_guest(const Message& m) {
    ctx_.till.guest_name = m.field(3);
    ctx_.dispatch.guest_street = m.field(4);
    ctx_.dispatch.guest_postcode = m.field(6);
    ctx_.dispatch.guest_city = m.field(7);
    ctx_.dispatch.guest_phone = m.field(8);
    ctx_.dispatch.guest_addition = m.field(9);
    ctx_.dispatch.guest_info = m.field(10);
    store_gast(ctx_);
}

}  // namespace tl
