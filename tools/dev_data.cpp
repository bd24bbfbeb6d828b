#include "tools/dev_data.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace tl::devdata {

void create_database(const std::string& path, bool with_demo_data) {
    db::Login login;
    db::Database::create(path, login);
    db::Database database;
    database.set_name(path);
    database.set_login(login);
    database.open();
    database.execute_script(schema_sql());
    if (with_demo_data) load_demo_data(database);
    database.close();
}

void load_demo_data(db::Database& database) {
    database.execute_script(demo_data_sql());
}

void write_demo_station_files(const std::string& directory) {
    const std::filesystem::path dir(directory);
    std::vector<std::string> lines(493);
    auto set = [&](int line, std::string value) { lines[line - 1] = std::move(value); };
    set(1, "1");                     // receipt printer on lpt1
    set(13, "Gasthaus Zur Linde");
    set(14, "Lindenstraße 1");
    set(15, "83022 Rosenheim");
    set(16, "Tel. 08031 4711");
    set(18, "Vielen Dank für Ihren Besuch!");
    set(19, "Auf Wiedersehen");
    set(24, "2");                    // tail feed
    set(26, "1");                    // till number
    set(73, "1");                    // till and waiter line on receipts
    set(105, "1");                   // table group of this station
    set(106, "08:00");               // day change
    set(108, "1");                   // merge equal positions
    set(124, "1");                   // receipt printer profile
    set(125, "1");                   // cancellation ticket profile
    set(141, "0");                   // no pause after serial lines (files here)
    set(142, "0");                   // no pause after parallel lines (files here)
    set(243, "1");                   // order-round line on kitchen tickets
    set(295, "2");                   // kitchen printer for articles without group
    set(372, "1");                   // PC number
    set(411, "1");                   // payment line on receipts
    std::ofstream station(dir / "tillset4.ini", std::ios::binary | std::ios::trunc);
    for (const auto& l : lines) station << l << "\r\n";

    std::ofstream conf(dir / "tablinker.conf", std::ios::trunc);
    conf << "# tablinker configuration of the demo working directory\n"
            "db.password=masterkey\n"
            "port.lpt1=bondrucker.txt\n"
            "port.lpt2=kueche.txt\n"
            "port.lpt3=bar.txt\n";
}

}  // namespace tl::devdata
