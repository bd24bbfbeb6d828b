// jobs_bench: 1000 D messages (or N) in one batch, inserted by a second
// attachment as the relay does, then executed by one poll of the job queue
// with its unit of work per job. Prints jobs per second and the latency from
// each message's insert to its committed booking (the one-second poll timer
// adds up to one second on top in the running server).
//
//   jobs_bench [N]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/business_date.h"
#include "db/database.h"
#include "jobs/dispatcher.h"
#include "jobs/job_queue.h"
#include "tools/dev_data.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    const fs::path dir = fs::temp_directory_path() / ("tablinker-jobs-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "korvex.fdb").string();
    try {
        tl::devdata::create_database(path, true);
        tl::set_catalogue_language(1);
        db::Database database, relay;
        database.set_name(path);
        relay.set_name(path);
        database.open();
        relay.open();

        tl::SystemClock clock;
        tl::HeadlessDialogs dialogs;
        tl::Trace trace(clock);
        tl::BookingList bookings;
        tl::StationSettings settings;
        settings.table_group = "1";
        settings.vat_rate_a = 19;
        settings.vat_rate_b = 7;
        settings.merge_positions = true;
        settings.business_date = *tl::business_date_at(clock.now(), settings.day_change_time);
        tl::TillState till;
        tl::ConsoleFields fields;
        tl::DispatcherState dispatch;
        tl::Config config;
        tl::Context ctx{database, clock, dialogs, trace, bookings, settings, till, fields, dispatch, config, dir, {}};
        tl::Tables tables(ctx);
        tl::Booking booking(ctx, tables);
        tl::Dispatcher dispatcher(ctx, tables, booking);
        tl::JobQueue queue(ctx, tables, booking, dispatcher);

        const char* articles[] = {"11", "40", "50", "4", "30", "60"};
        std::map<std::int64_t, Clock::time_point> inserted;
        for (int i = 0; i < n; ++i) {
            const auto key = relay.generator("netjobid");
            const int table = 1 + i % 5;
            relay.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)",
                          {{"jobid", key},
                           {"puffer", "D;" + std::to_string(table) + ";1;" + articles[i % 6] + ";" + std::to_string(1 + i % 3)}});
            relay.commit();
            inserted[key] = Clock::now();
        }
        std::vector<double> latency;
        queue.on_done = [&](std::int64_t key) {
            latency.push_back(std::chrono::duration<double, std::milli>(Clock::now() - inserted[key]).count());
        };
        const auto before = database.statements_executed();
        const auto t0 = Clock::now();
        queue.poll();
        const double secs = std::chrono::duration<double>(Clock::now() - t0).count();
        std::sort(latency.begin(), latency.end());
        const auto pct = [&](double p) { return latency.empty() ? 0.0 : latency[static_cast<size_t>(p * (latency.size() - 1))]; };
        std::printf("%d jobs in %.2f s: %.0f jobs/s, %.1f statements/job\n", static_cast<int>(queue.jobs_done()), secs,
                    queue.jobs_done() / secs, double(database.statements_executed() - before) / std::max<std::uint64_t>(1, queue.jobs_done()));
        std::printf("latency insert -> booked: median %.0f ms, 90%% %.0f ms, max %.0f ms (all %d queued before the poll)\n",
                    pct(0.5), pct(0.9), pct(1.0), n);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "jobs_bench: %s\n", e.what());
        fs::remove_all(dir);
        return 1;
    }
    fs::remove_all(dir);
    return 0;
}
