#include "tests/support/fixture.h"

#include <unistd.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include "tools/dev_data.h"

namespace tltest {

namespace {

fs::path make_unique_dir(const std::string& prefix) {
    std::string templ = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    char* made = ::mkdtemp(templ.data());
    if (!made) throw std::runtime_error("mkdtemp failed");
    return made;
}

struct Templates {
    fs::path dir = make_unique_dir("tablinker-templates-");
    std::once_flag plain_once, demo_once;
    ~Templates() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path get(bool demo) {
        fs::path file = dir / (demo ? "demo.fdb" : "schema.fdb");
        std::call_once(demo ? demo_once : plain_once, [&] { tl::devdata::create_database(file.string(), demo); });
        return file;
    }
};

Templates& templates() {
    static Templates t;
    return t;
}

}  // namespace

TempDir::TempDir() : path_(make_unique_dir("tablinker-test-")) {}

TempDir::~TempDir() {
    std::error_code ec;
    if (!std::getenv("TABLINKER_KEEP_TEST_DIRS")) fs::remove_all(path_, ec);
}

std::string fresh_database(const fs::path& file, bool demo) {
    fs::copy_file(templates().get(demo), file, fs::copy_options::overwrite_existing);
    return file.string();
}

void DatabaseTest::SetUp() {
    db_path = fresh_database(dir / "korvex.fdb", demo_);
    db.set_name(db_path);
    db.open();
}

void DatabaseTest::open_other(db::Database& other) const {
    other.set_name(db_path);
    other.open();
}

void write_file(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> printed_lines(const fs::path& file) {
    const std::string bytes = read_file(file);
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::vector<std::string> take_printed_lines(const fs::path& file) {
    auto lines = printed_lines(file);
    std::error_code ec;
    fs::remove(file, ec);
    return lines;
}

}  // namespace tltest
