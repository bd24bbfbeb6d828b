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
#include <fstream>
#include <string>
#include <vector>

#include "core/clock.h"
#include "db/database.h"
#include "tools/dev_data.h"

namespace fs = std::filesystem;

namespace {

void write_station_file(const fs::path& file) {
    std::vector<std::string> lines(493);
    auto set = [&](int line, std::string value) { lines[line - 1] = std::move(value); };
    set(1, "1");                       // receipt printer on lpt1
    set(13, "Gasthaus Zur Linde");
    set(14, "Lindenstraße 1");
    set(15, "83022 Rosenheim");
    set(16, "Tel. 08031 4711");
    set(18, "Vielen Dank für Ihren Besuch!");
    set(19, "Auf Wiedersehen");
    set(24, "2");                      // tail feed
    set(26, "1");                      // till number
    set(73, "1");                      // till and waiter line on receipts
    set(105, "1");                     // table group of this station
    set(106, "08:00");                 // day change
    set(108, "1");                     // merge equal positions
    set(124, "1");                     // receipt printer profile
    set(125, "1");                     // cancellation ticket profile
    set(141, "0");                     // no pause on serial lines (files here)
    set(142, "0");                     // no pause on parallel lines (files here)
    set(243, "1");                     // order-round line on kitchen tickets
    set(295, "2");                     // kitchen printer for articles without group
    set(372, "1");                     // PC number
    set(411, "1");                     // payment line on receipts
    std::ofstream out(file, std::ios::binary);
    for (const auto& l : lines) out << l << "\r\n";
}

void write_conf(const fs::path& file) {
    std::ofstream out(file);
    out << "# tablinker configuration of the demo working directory\n"
           "db.password=masterkey\n"
           "port.lpt1=bondrucker.txt\n"
           "port.lpt2=kueche.txt\n"
           "port.lpt3=bar.txt\n";
}

}  // namespace

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
        write_station_file(dir / "tillset4.ini");
        write_conf(dir / "tablinker.conf");
        std::printf("make_demo: demo working directory %s ready\n", dir.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
