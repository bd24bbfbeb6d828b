// The front door to the Firebird database: one attachment and one
// transaction (read committed, record versions, no wait) in SQL dialect 1
// with character set WIN1252. Every commit is a commit-retaining, so the
// transaction context stays open for the whole run, as the till expects.
//
// SQL is plain text with :name parameters (a name may occur more than once);
// values are handed to Firebird in the form that fits them and Firebird
// converts them to the parameter's declared type. Prepared statements are
// cached by their SQL text.
//
// Units of work. Inside a UnitOfWork, commit() only notes that the work is to
// be kept; the unit ends with one real commit, or, when it is left by an
// exception, with a rollback-retaining that undoes everything since the last
// real commit. An inner unit is a savepoint of the unit around it: leaving
// it by an exception (or rolling it back) undoes only its own work, and its
// commit hands its work on to the outer unit.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/error.h"
#include "db/row.h"
#include "db/value.h"

namespace db {

// SQL with :name markers turned into positional ? markers, and the names in
// the order of the markers. Markers inside string literals, quoted names and
// comments are left alone.
struct PositionalSql {
    std::string sql;
    std::vector<std::string> names;
};
PositionalSql to_positional(std::string_view sql);

struct Login {
    std::string user = "SYSDBA";
    std::string password;
};

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void set_login(Login login) { login_ = std::move(login); }
    // A file path (embedded engine) or host/port:path (server).
    void set_name(std::string name) { name_ = std::move(name); }
    const std::string& name() const { return name_; }

    void open();
    void close() noexcept;
    bool is_open() const;
    // Closes whatever is left of the attachment and opens it again.
    void reconnect();

    // Creates an empty database file in dialect 1 with default character set
    // WIN1252.
    static void create(const std::string& name, const Login& login);

    Rows query(std::string_view sql, const Params& params = {});
    std::optional<Row> query_first(std::string_view sql, const Params& params = {});
    // Rows affected.
    std::int64_t execute(std::string_view sql, const Params& params = {});
    // "select next value for <generator> from rdb$database", read as gen_id.
    std::int64_t generator(std::string_view generator_name);
    // A sum, max or count read under `column`; NULL (no rows) reads as 0.
    double scalar(std::string_view sql, const Params& params, std::string_view column);

    // Commit-retaining; inside a unit of work it is deferred to the unit's end.
    void commit();
    // Rollback-retaining: undoes everything since the last real commit.
    void rollback();
    bool in_unit_of_work() const { return unit_depth_ > 0; }

    // Runs a script of statements separated by ";" (DDL), each committed.
    void execute_script(std::string_view script);

    // Counters for benchmarks and the statement budget of the booking path.
    std::uint64_t statements_executed() const { return statements_; }
    std::uint64_t real_commits() const { return commits_; }
    void set_statement_cache(bool on);

private:
    friend class UnitOfWork;
    struct Impl;
    struct Prepared;

    Prepared& prepare(std::string_view sql);
    void release_statements() noexcept;
    void begin_unit();
    void end_unit(bool keep);
    void real_commit();

    std::unique_ptr<Impl> impl_;
    Login login_;
    std::string name_;
    std::map<std::string, std::unique_ptr<Prepared>, std::less<>> cache_;
    bool cache_on_ = true;
    int unit_depth_ = 0;
    std::uint64_t statements_ = 0;
    std::uint64_t commits_ = 0;
};

class UnitOfWork {
public:
    explicit UnitOfWork(Database& db);
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;
    // Ends the unit keeping its work (one real commit when outermost).
    void commit();
    // Ends the unit undoing its work.
    void rollback();

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace db
