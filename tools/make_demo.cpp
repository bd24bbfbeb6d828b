// make_demo: creates the demo working directory of "Gasthaus Zur Linde":
// the embedded database korvex.fdb with the demo master data, a station file
// tillset4.ini, and tablinker.conf mapping the receipt, kitchen and bar
// printers (lpt1, lpt2, lpt3) to files in the directory.
//
//   make_demo <directory> [--fresh]
//
// An existing database is kept (so a demo evening can go on) unless --fresh.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/clock.h"
#include "db/database.h"
#include "tools/dev_data.h"

namespace fs = std::filesystem;


int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_demo <directory> [--fresh]\n");
        return 2;
    }
    const fs::path dir = fs::absolute(argv[1]);
    const bool fresh = argc > 2 && std::string(argv[2]) == "--fresh";
    try {
        fs::create_directories(dir);
        const fs::path dbfile = dir / "korvex.fdb";
        if (fresh) fs::remove(dbfile);
        if (!fs::exists(dbfile)) {
            tl::devdata::create_database(dbfile.string(), true);
            db::Database database;
            database.set_name(dbfile.string());
            database.open();
            const tl::DateTime now = tl::SystemClock().now();
            database.execute("insert into tischres (datum, tischnr, zeit) values (:datum, :tischnr, :zeit)",
                             {{"datum", now.date}, {"tischnr", 3}, {"zeit", tl::DateTime{{1899, 12, 30}, 19, 30, 0}}});
            database.commit();
            std::printf("make_demo: database %s created\n", dbfile.c_str());
        }
        tl::devdata::write_demo_station_files(dir.string());
        std::printf("make_demo: demo working directory %s ready\n", dir.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
