// Databases for the demo and the tests: the till schema and the demo
// restaurant's master data, compiled into the tools from ledger/schema.sql
// and tools/demo_data.sql.
#pragma once

#include <string>
#include <string_view>

#include "db/database.h"

namespace tl::devdata {

std::string_view schema_sql();
std::string_view demo_data_sql();

// Creates a new database file at `path` (which must not exist) holding the
// schema and, when `with_demo_data`, the demo master data.
void create_database(const std::string& path, bool with_demo_data);

// Loads the demo master data into an open database that holds the schema.
void load_demo_data(db::Database& database);

// Writes the demo station's tillset4.ini and a tablinker.conf that maps the
// receipt, kitchen and bar printers (lpt1, lpt2, lpt3) to the files
// bondrucker.txt, kueche.txt and bar.txt of `directory`.
void write_demo_station_files(const std::string& directory);

}  // namespace tl::devdata
