// Test support: a temporary working directory per test and a fresh embedded
// database in it, copied from a template built once per test process from
// the till schema (optionally with the demo master data).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "db/database.h"

namespace tltest {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// Copies a database holding the schema (and the demo data when `demo`) to
// `file` and returns its path.
std::string fresh_database(const fs::path& file, bool demo = false);

// A test with its own working directory and an open database korvex.fdb in it.
class DatabaseTest : public ::testing::Test {
protected:
    explicit DatabaseTest(bool demo = false) : demo_(demo) {}
    void SetUp() override;
    void TearDown() override { db.close(); }
    // Opens a second attachment on the same file (another program of the till).
    void open_other(db::Database& other) const;

    TempDir dir;
    std::string db_path;
    db::Database db;

private:
    bool demo_;
};

class DemoDatabaseTest : public DatabaseTest {
protected:
    DemoDatabaseTest() : DatabaseTest(true) {}
};

// Writes bytes to a file as they are.
void write_file(const fs::path& file, const std::string& bytes);
std::string read_file(const fs::path& file);
// The lines a printer mapped to `file` received (CR LF ended), as bytes.
std::vector<std::string> printed_lines(const fs::path& file);
// The same, and the file is removed, so the next document starts afresh.
std::vector<std::string> take_printed_lines(const fs::path& file);

}  // namespace tltest
