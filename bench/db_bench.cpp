// db_bench: statements per second of a receipt-like sequence (read the
// table, max(posi), insert a position, update the table total, commit) on
// the embedded engine, with and without the statement cache.
//
//   db_bench [N]     N bookings per run (default 2000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "db/database.h"
#include "tools/dev_data.h"

namespace fs = std::filesystem;

namespace {

double run(const std::string& path, int n, bool cache) {
    db::Database database;
    database.set_name(path);
    database.open();
    database.set_statement_cache(cache);
    const auto before = database.statements_executed();
    const auto t0 = std::chrono::steady_clock::now();
    const long long beleg = database.generator("belegnr");
    for (int i = 0; i < n; ++i) {
        auto t = database.query_first("select * from tisch where gruppennr = :gruppennr and tischnr = :tischnr",
                                      {{"gruppennr", 1}, {"tischnr", 12}});
        const double posi = database.scalar("select max(posi) posi from kasseb where belegnr = :belegnr",
                                            {{"belegnr", beleg}}, "posi") + 1;
        database.execute(
            "insert into kasseb (kassenr, datum, belegnr, splittnr, bestellnr, posi, artikelnummer, preis, mwst, "
            "kassierer, menge, epreis, text, tischnr, status, zeit1, zahlart, menged, ktext, uhrzeit, buart, inhaus) "
            "values (1, :datum, :belegnr, 0, 1, :posi, :artikelnummer, :preis, 19, '3', 1, :preis, :text, 12, '1', "
            ":datum, 'B', 0, '', '12:00:00', 'U', '1')",
            {{"datum", tl::DateTime{{2026, 12, 9}, 12, 0, 0}}, {"belegnr", beleg}, {"posi", posi},
             {"artikelnummer", "11"}, {"preis", 4.8}, {"text", "Pils 0,5l"}});
        database.execute("update tisch set summe = summe + :menge where tischnr = :tischnr", {{"menge", 4.8}, {"tischnr", 12}});
        database.commit();
        (void)t;
    }
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const auto statements = database.statements_executed() - before;
    std::printf("%-22s %6d bookings  %7.0f statements/s  %7.0f bookings/s\n", cache ? "with statement cache" : "without statement cache",
                n, statements / secs, n / secs);
    return secs;
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 2000;
    fs::path dir = fs::temp_directory_path() / ("tablinker-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "bench.fdb").string();
    try {
        tl::devdata::create_database(path, true);
        run(path, n, false);
        run(path, n, true);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "db_bench: %s\n", e.what());
        fs::remove_all(dir);
        return 1;
    }
    fs::remove_all(dir);
    return 0;
}
