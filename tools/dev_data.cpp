#include "tools/dev_data.h"

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

}  // namespace tl::devdata
