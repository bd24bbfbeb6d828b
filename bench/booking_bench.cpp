// booking_bench: bookings per second and database statements per booking on
// the path every tablet order line takes: the quantity and article entries
// are filled (Edit9, Edit1) and Enter in the article field books
// (Booking::article_enter), on the embedded engine with the demo data.
// Receipts are kept to a realistic size: after every 25 bookings the receipt
// is closed and the next table is selected, outside the measured time.
//
//   booking_bench [N]     N bookings per run (default 2000)
//
// The statement budget of one booking is one lasttag read, one material
// read, up to two warengrp reads, one pvarianten read, two tisch reads, the
// kasse check, the merge query, the max(posi) query, one insert or update,
// the tisch update, one stock update and the receipt view (list and sum).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "db/database.h"
#include "ledger/booking.h"
#include "ledger/tables.h"
#include "tools/dev_data.h"

namespace fs = std::filesystem;

namespace {

constexpr int kBudget = 15;
constexpr int kPerReceipt = 25;

struct Run {
    const char* name;
    bool merge;
    bool stock;
    bool manual_vat;
};

void run(const std::string& path, int n, const Run& r) {
    db::Database database;
    database.set_name(path);
    database.open();
    tl::SystemClock clock;
    tl::HeadlessDialogs dialogs;
    tl::Trace trace(clock);
    tl::BookingList bookings;
    tl::StationSettings settings;
    settings.table_group = "1";
    settings.vat_rate_a = 19;
    settings.vat_rate_b = 7;
    settings.merge_positions = r.merge;
    settings.stock_keeping = r.stock;
    tl::TillState till;
    tl::ConsoleFields fields;
    tl::DispatcherState dispatch;
    tl::Config config;
    tl::Context ctx{database, clock, dialogs, trace, bookings, settings, till, fields, dispatch, config, fs::current_path(), {}};
    tl::Tables tables(ctx);
    tl::Booking booking(ctx, tables);
    booking.update_business_date();

    fields.Edit14 = "1";
    tables.waiter_enter();
    fields.Edit15 = "1111";
    tables.login();

    const std::vector<std::string> articles = {"11", "1", "50", "30", "10", "40", "12", "60"};
    const std::vector<int> table_numbers = {1, 2, 3, 4, 5, 10, 11, 12};
    std::vector<double> per_booking;
    per_booking.reserve(n);
    double seconds = 0;
    int table_index = -1;
    for (int i = 0; i < n; ++i) {
        if (i % kPerReceipt == 0) {
            if (table_index >= 0) tables.close_receipt();
            table_index = (table_index + 1) % static_cast<int>(table_numbers.size());
            fields.Edit16 = std::to_string(table_numbers[table_index]);
            tables.select_table();
            if (r.manual_vat) booking.vat_key(2);
        }
        fields.Edit9 = "1";
        fields.Edit1 = articles[i % articles.size()];
        const auto statements = database.statements_executed();
        const auto t0 = std::chrono::steady_clock::now();
        booking.article_enter();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        per_booking.push_back(static_cast<double>(database.statements_executed() - statements));
        if (!booking.last_booking_written()) {
            std::fprintf(stderr, "booking_bench: booking %d was not written\n", i);
            std::exit(1);
        }
    }
    tables.close_receipt();

    // The first booking of each receipt also opens the table (generator,
    // tisch and abbild updates), which the budget does not cover.
    std::vector<double> regular;
    for (int i = 0; i < n; ++i)
        if (i % kPerReceipt != 0) regular.push_back(per_booking[i]);
    double sum = 0;
    for (double s : per_booking) sum += s;
    const double opening = per_booking.empty() ? 0 : per_booking.front();
    const double max_regular = regular.empty() ? 0 : *std::max_element(regular.begin(), regular.end());
    const double min_regular = regular.empty() ? 0 : *std::min_element(regular.begin(), regular.end());
    std::printf("%-28s %6d bookings %8.0f bookings/s  statements/booking: mean %.2f, %g..%g (opening %g), budget %d\n",
                r.name, n, n / seconds, sum / n, min_regular, max_regular, opening, kBudget);
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    tl::set_catalogue_language(1);
    fs::path dir = fs::temp_directory_path() / ("tablinker-booking-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "bench.fdb").string();
    int rc = 0;
    try {
        tl::devdata::create_database(path, true);
        for (const Run& r : {Run{"insert", false, false, false}, Run{"merge", true, false, false},
                             Run{"merge + stock + manual VAT", true, true, true}})
            run(path, n, r);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "booking_bench: %s\n", e.what());
        rc = 1;
    }
    fs::remove_all(dir);
    return rc;
}
