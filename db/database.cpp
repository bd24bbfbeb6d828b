#include "db/database.h"

#include <firebird/Interface.h>
#include <ibase.h>
#include <iberror.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "db/firebird_root.h"

namespace db {

using namespace Firebird;

namespace {

IMaster* master() {
    static IMaster* m = [] {
        ensure_firebird_root();
        return fb_get_master_interface();
    }();
    return m;
}

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

bool is_name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

Error::Kind classify(const std::vector<long>& codes) {
    for (long c : codes) {
        switch (c) {
            case isc_lock_conflict:
            case isc_deadlock:
            case isc_update_conflict:
                return Error::Kind::lock_conflict;
            case isc_network_error:
            case isc_net_read_err:
            case isc_net_write_err:
            case isc_conn_lost:
            case isc_lost_db_connection:
            case isc_att_shutdown:
            case isc_shutdown:
            case isc_bad_db_handle:
                return Error::Kind::connection_lost;
            default:
                break;
        }
    }
    return Error::Kind::other;
}

[[noreturn]] void rethrow(const FbException& e, std::string_view context) {
    char buf[2048];
    master()->getUtilInterface()->formatStatus(buf, sizeof buf, e.getStatus());
    std::vector<long> codes;
    const intptr_t* v = e.getStatus()->getErrors();
    while (v && *v != isc_arg_end) {
        const intptr_t tag = v[0];
        if (tag == isc_arg_gds) codes.push_back(static_cast<long>(v[1]));
        v += 2;
    }
    std::string msg = buf;
    for (char& c : msg)
        if (c == '\n') c = ' ';
    if (!context.empty()) msg += " [" + std::string(context) + "]";
    throw Error(msg, classify(codes), codes);
}

// Status wrapper that throws on errors; one per call site keeps it simple.
struct Status {
    IStatus* raw;
    ThrowStatusWrapper w;
    Status() : raw(master()->getStatus()), w(raw) {}
    ~Status() { w.dispose(); }
    ThrowStatusWrapper* operator&() { return &w; }
};

std::vector<unsigned char> build_dpb(const Login& login, bool create) {
    Status st;
    IXpbBuilder* dpb = master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, login.user.c_str());
    dpb->insertString(&st, isc_dpb_password, login.password.c_str());
    dpb->insertString(&st, isc_dpb_lc_ctype, "WIN1252");
    dpb->insertInt(&st, isc_dpb_sql_dialect, 1);
    if (create) {
        dpb->insertString(&st, isc_dpb_set_db_charset, "WIN1252");
        dpb->insertInt(&st, isc_dpb_page_size, 8192);
    }
    const unsigned char* b = dpb->getBuffer(&st);
    std::vector<unsigned char> out(b, b + dpb->getBufferLength(&st));
    dpb->dispose();
    return out;
}

// ISC_DATE counts days since 1858-11-17; ISC_TIME tenths of milliseconds.
tl::DateTime decode_timestamp(const ISC_TIMESTAMP& ts) {
    tl::DateTime t;
    t.date = tl::from_day_number(static_cast<int>(ts.timestamp_date));
    unsigned secs = ts.timestamp_time / 10000;
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    return t;
}

ISC_TIMESTAMP encode_timestamp(const tl::DateTime& t) {
    ISC_TIMESTAMP ts;
    ts.timestamp_date = tl::to_day_number(t.date);
    ts.timestamp_time = static_cast<ISC_TIME>(tl::seconds_of_day(t)) * 10000;
    return ts;
}

bool is_text_type(unsigned t) { return t == SQL_TEXT || t == SQL_VARYING; }

}  // namespace

bool Error::has_code(long code) const { return std::find(codes_.begin(), codes_.end(), code) != codes_.end(); }

PositionalSql to_positional(std::string_view sql) {
    PositionalSql out;
    out.sql.reserve(sql.size());
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            size_t j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == c) {
                    if (j + 1 < sql.size() && sql[j + 1] == c) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, sql.size());
            out.sql.append(sql.substr(i, j - i));
            i = j;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            size_t j = sql.find('\n', i);
            j = j == std::string_view::npos ? sql.size() : j;
            out.sql.append(sql.substr(i, j - i));
            i = j;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            size_t j = sql.find("*/", i + 2);
            j = j == std::string_view::npos ? sql.size() : j + 2;
            out.sql.append(sql.substr(i, j - i));
            i = j;
        } else if (c == ':' && i + 1 < sql.size() && is_name_char(sql[i + 1])) {
            size_t j = i + 1;
            while (j < sql.size() && is_name_char(sql[j])) ++j;
            out.names.push_back(lower(sql.substr(i + 1, j - i - 1)));
            out.sql += '?';
            i = j;
        } else {
            out.sql += c;
            ++i;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------

struct Database::Impl {
    IAttachment* att = nullptr;
    ITransaction* tra = nullptr;
};

struct Database::Prepared {
    IStatement* stmt = nullptr;
    IMessageMetadata* in = nullptr;    // as declared
    IMessageMetadata* out = nullptr;   // coerced for reading
    std::vector<std::string> names;    // parameter names by position
    std::shared_ptr<const std::vector<std::string>> columns;
    bool is_select = false;
    std::string sql;

    ~Prepared() {
        if (out) out->release();
        if (in) in->release();
        if (stmt) stmt->release();
    }
};

Database::Database() : impl_(std::make_unique<Impl>()) {}

Database::~Database() { close(); }

bool Database::is_open() const { return impl_->att != nullptr; }

void Database::open() {
    if (is_open()) return;
    try {
        Status st;
        auto dpb = build_dpb(login_, false);
        IProvider* prov = master()->getDispatcher();
        impl_->att = prov->attachDatabase(&st, name_.c_str(), static_cast<unsigned>(dpb.size()), dpb.data());
        prov->release();

        IXpbBuilder* tpb = master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(&st, isc_tpb_write);
        tpb->insertTag(&st, isc_tpb_read_committed);
        tpb->insertTag(&st, isc_tpb_rec_version);
        tpb->insertTag(&st, isc_tpb_nowait);
        impl_->tra = impl_->att->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
        tpb->dispose();
    } catch (const FbException& e) {
        close();
        rethrow(e, "Datenbank " + name_);
    }
}

void Database::release_statements() noexcept { cache_.clear(); }

void Database::close() noexcept {
    release_statements();
    Status st;
    if (impl_->tra) {
        try { impl_->tra->commit(&st); } catch (...) {
            try { impl_->tra->rollback(&st); } catch (...) {}
        }
        if (impl_->tra) { impl_->tra->release(); }
        impl_->tra = nullptr;
    }
    if (impl_->att) {
        try { impl_->att->detach(&st); } catch (...) {
            try { impl_->att->release(); } catch (...) {}
        }
        impl_->att = nullptr;
    }
    unit_depth_ = 0;
}

void Database::reconnect() {
    // A lost attachment cannot commit or detach cleanly; drop the handles.
    release_statements();
    if (impl_->tra) { impl_->tra->release(); impl_->tra = nullptr; }
    if (impl_->att) { impl_->att->release(); impl_->att = nullptr; }
    unit_depth_ = 0;
    open();
}

void Database::create(const std::string& name, const Login& login) {
    try {
        Status st;
        auto dpb = build_dpb(login, true);
        IProvider* prov = master()->getDispatcher();
        IAttachment* att = prov->createDatabase(&st, name.c_str(), static_cast<unsigned>(dpb.size()), dpb.data());
        att->detach(&st);
        prov->release();
    } catch (const FbException& e) {
        rethrow(e, "Datenbank anlegen " + name);
    }
}

void Database::set_statement_cache(bool on) {
    cache_on_ = on;
    if (!on) release_statements();
}

Database::Prepared& Database::prepare(std::string_view sql) {
    if (!is_open()) throw Error("Datenbank ist nicht geöffnet [" + std::string(sql) + "]");
    auto it = cache_.find(sql);
    if (it != cache_.end() && cache_on_) return *it->second;

    auto p = std::make_unique<Prepared>();
    p->sql = std::string(sql);
    PositionalSql pos = to_positional(sql);
    p->names = std::move(pos.names);
    try {
        Status st;
        p->stmt = impl_->att->prepare(&st, impl_->tra, 0, pos.sql.c_str(), 1, IStatement::PREPARE_PREFETCH_METADATA);
        p->in = p->stmt->getInputMetadata(&st);
        const unsigned type = p->stmt->getType(&st);
        p->is_select = type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;

        IMessageMetadata* out = p->stmt->getOutputMetadata(&st);
        const unsigned n = out->getCount(&st);
        auto cols = std::make_shared<std::vector<std::string>>();
        IMetadataBuilder* b = out->getBuilder(&st);
        for (unsigned i = 0; i < n; ++i) {
            cols->push_back(lower(out->getAlias(&st, i)));
            const unsigned t = out->getType(&st, i) & ~1u;
            const int scale = out->getScale(&st, i);
            if (t == SQL_SHORT || t == SQL_LONG || t == SQL_INT64) {
                if (scale == 0) {
                    b->setType(&st, i, SQL_INT64);
                    b->setLength(&st, i, sizeof(ISC_INT64));
                } else {
                    b->setType(&st, i, SQL_DOUBLE);
                    b->setLength(&st, i, sizeof(double));
                    b->setScale(&st, i, 0);
                }
            } else if (t == SQL_FLOAT || t == SQL_D_FLOAT || t == SQL_DOUBLE) {
                b->setType(&st, i, SQL_DOUBLE);
                b->setLength(&st, i, sizeof(double));
            } else if (t == SQL_TYPE_DATE || t == SQL_TYPE_TIME) {
                b->setType(&st, i, SQL_TIMESTAMP);
                b->setLength(&st, i, sizeof(ISC_TIMESTAMP));
            } else if (t == SQL_BLOB) {
                // Text blobs are read as text of up to 32 kB.
                b->setType(&st, i, SQL_VARYING);
                b->setLength(&st, i, 32000);
            }
        }
        p->out = b->getMetadata(&st);
        b->release();
        out->release();
        p->columns = std::move(cols);
    } catch (const FbException& e) {
        rethrow(e, sql);
    }
    if (!cache_on_) {
        auto& slot = cache_[std::string(sql)];
        slot = std::move(p);
        return *slot;
    }
    auto [ins, ok] = cache_.emplace(std::string(sql), std::move(p));
    return *ins->second;
}

namespace {

struct InputMessage {
    IMessageMetadata* meta = nullptr;
    std::vector<unsigned char> buf;
    ~InputMessage() {
        if (meta) meta->release();
    }
};

const Value* find_param(const Params& params, const std::string& name) {
    for (const auto& p : params)
        if (p.name.size() == name.size() && lower(p.name) == name) return &p.value;
    return nullptr;
}

void build_input(IMessageMetadata* declared, const std::vector<std::string>& names, const Params& params,
                 std::string_view sql, InputMessage& msg) {
    for (const auto& p : params) {
        std::string n = lower(p.name);
        if (std::find(names.begin(), names.end(), n) == names.end())
            throw Error("Parameter :" + p.name + " kommt im SQL nicht vor [" + std::string(sql) + "]");
    }
    Status st;
    const unsigned n = declared->getCount(&st);
    std::vector<const Value*> values(n);
    IMetadataBuilder* b = declared->getBuilder(&st);
    for (unsigned i = 0; i < n; ++i) {
        const Value* v = find_param(params, names[i]);
        if (!v) {
            b->release();
            throw Error("Parameter :" + names[i] + " hat keinen Wert [" + std::string(sql) + "]");
        }
        values[i] = v;
        const unsigned t = declared->getType(&st, i) & ~1u;
        if (std::holds_alternative<std::int64_t>(*v)) {
            b->setType(&st, i, SQL_INT64);
            b->setLength(&st, i, sizeof(ISC_INT64));
            b->setScale(&st, i, 0);
        } else if (std::holds_alternative<double>(*v)) {
            b->setType(&st, i, SQL_DOUBLE);
            b->setLength(&st, i, sizeof(double));
            b->setScale(&st, i, 0);
        } else if (const auto* s = std::get_if<std::string>(v)) {
            if (s->empty() && !is_text_type(t)) {
                values[i] = nullptr;  // blank on a number or date column: NULL
                continue;
            }
            b->setType(&st, i, SQL_VARYING);
            b->setLength(&st, i, static_cast<unsigned>(std::max<size_t>(1, s->size())));
            if (!is_text_type(t)) b->setCharSet(&st, i, 0);
        } else if (std::holds_alternative<tl::DateTime>(*v)) {
            b->setType(&st, i, SQL_TIMESTAMP);
            b->setLength(&st, i, sizeof(ISC_TIMESTAMP));
        } else {
            values[i] = nullptr;
        }
    }
    msg.meta = b->getMetadata(&st);
    b->release();
    msg.buf.assign(msg.meta->getMessageLength(&st), 0);
    for (unsigned i = 0; i < n; ++i) {
        unsigned char* data = msg.buf.data() + msg.meta->getOffset(&st, i);
        auto* null_flag = reinterpret_cast<short*>(msg.buf.data() + msg.meta->getNullOffset(&st, i));
        const Value* v = values[i];
        if (!v) {
            *null_flag = -1;
            continue;
        }
        *null_flag = 0;
        if (const auto* x = std::get_if<std::int64_t>(v)) {
            ISC_INT64 y = *x;
            std::memcpy(data, &y, sizeof y);
        } else if (const auto* d = std::get_if<double>(v)) {
            std::memcpy(data, d, sizeof *d);
        } else if (const auto* s = std::get_if<std::string>(v)) {
            const auto len = static_cast<unsigned short>(s->size());
            std::memcpy(data, &len, sizeof len);
            std::memcpy(data + sizeof len, s->data(), s->size());
        } else if (const auto* t = std::get_if<tl::DateTime>(v)) {
            ISC_TIMESTAMP ts = encode_timestamp(*t);
            std::memcpy(data, &ts, sizeof ts);
        }
    }
}

Value read_value(IMessageMetadata* meta, const unsigned char* buf, unsigned i) {
    Status st;
    const auto* null_flag = reinterpret_cast<const short*>(buf + meta->getNullOffset(&st, i));
    if (*null_flag) return Null{};
    const unsigned char* data = buf + meta->getOffset(&st, i);
    const unsigned t = meta->getType(&st, i) & ~1u;
    switch (t) {
        case SQL_INT64: {
            ISC_INT64 v;
            std::memcpy(&v, data, sizeof v);
            return static_cast<std::int64_t>(v);
        }
        case SQL_DOUBLE: {
            double v;
            std::memcpy(&v, data, sizeof v);
            return v;
        }
        case SQL_TEXT: {
            std::string s(reinterpret_cast<const char*>(data), meta->getLength(&st, i));
            // CHAR columns are padded with blanks; their value is without them.
            while (!s.empty() && s.back() == ' ') s.pop_back();
            return s;
        }
        case SQL_VARYING: {
            unsigned short len;
            std::memcpy(&len, data, sizeof len);
            return std::string(reinterpret_cast<const char*>(data + sizeof len), len);
        }
        case SQL_TIMESTAMP: {
            ISC_TIMESTAMP ts;
            std::memcpy(&ts, data, sizeof ts);
            return decode_timestamp(ts);
        }
        case SQL_BOOLEAN:
            return static_cast<std::int64_t>(*data ? 1 : 0);
        default:
            throw Error("Spaltentyp " + std::to_string(t) + " wird nicht unterstützt");
    }
}

}  // namespace

Rows Database::query(std::string_view sql, const Params& params) {
    Prepared& p = prepare(sql);
    InputMessage in;
    build_input(p.in, p.names, params, sql, in);
    ++statements_;
    Rows rows;
    try {
        Status st;
        IResultSet* rs = p.stmt->openCursor(&st, impl_->tra, in.meta, in.buf.data(), p.out, 0);
        std::vector<unsigned char> buf(p.out->getMessageLength(&st));
        const unsigned n = p.out->getCount(&st);
        try {
            while (rs->fetchNext(&st, buf.data()) == IStatus::RESULT_OK) {
                std::vector<Value> vals;
                vals.reserve(n);
                for (unsigned i = 0; i < n; ++i) vals.push_back(read_value(p.out, buf.data(), i));
                rows.emplace_back(p.columns, std::move(vals));
            }
            rs->close(&st);
        } catch (...) {
            rs->release();
            throw;
        }
    } catch (const FbException& e) {
        rethrow(e, sql);
    }
    return rows;
}

std::optional<Row> Database::query_first(std::string_view sql, const Params& params) {
    Rows rows = query(sql, params);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

std::int64_t Database::execute(std::string_view sql, const Params& params) {
    Prepared& p = prepare(sql);
    if (p.is_select) {
        query(sql, params);
        return 0;
    }
    InputMessage in;
    build_input(p.in, p.names, params, sql, in);
    ++statements_;
    try {
        Status st;
        std::vector<unsigned char> outbuf(p.out->getMessageLength(&st));
        p.stmt->execute(&st, impl_->tra, in.meta, in.buf.data(), p.out, outbuf.data());
        return static_cast<std::int64_t>(p.stmt->getAffectedRecords(&st));
    } catch (const FbException& e) {
        rethrow(e, sql);
    }
}

std::int64_t Database::generator(std::string_view generator_name) {
    std::string sql = "select next value for " + std::string(generator_name) + " from rdb$database";
    auto row = query_first(sql);
    // The one column is the generator value (gen_id); Firebird names it itself.
    if (!row || row->values().empty()) return 0;
    const Value& v = row->values().front();
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
    if (const auto* d = std::get_if<double>(&v)) return static_cast<std::int64_t>(std::llround(*d));
    return 0;
}

double Database::scalar(std::string_view sql, const Params& params, std::string_view column) {
    auto row = query_first(sql, params);
    return row ? row->number(column) : 0.0;
}

void Database::real_commit() {
    if (!impl_->tra) return;
    try {
        Status st;
        impl_->tra->commitRetaining(&st);
        ++commits_;
    } catch (const FbException& e) {
        rethrow(e, "commit");
    }
}

void Database::commit() {
    if (unit_depth_ > 0) return;
    real_commit();
}

void Database::rollback() {
    if (!impl_->tra) return;
    try {
        Status st;
        impl_->tra->rollbackRetaining(&st);
    } catch (const FbException& e) {
        rethrow(e, "rollback");
    }
}

void Database::execute_script(std::string_view script) {
    std::string stmt;
    bool in_quote = false;
    auto flush = [&] {
        auto first = stmt.find_first_not_of(" \t\r\n");
        if (first != std::string::npos) {
            execute(stmt.substr(first));
            real_commit();
        }
        stmt.clear();
    };
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (!in_quote && c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            stmt += '\n';
            continue;
        }
        if (c == '\'') in_quote = !in_quote;
        if (c == ';' && !in_quote) {
            flush();
            continue;
        }
        stmt += c;
    }
    flush();
    // DDL changes the metadata the cached statements were prepared against.
    release_statements();
}

void Database::begin_unit() {
    // An inner unit is a savepoint of the outer one, so it can be undone alone.
    if (unit_depth_ > 0) execute("savepoint tl_unit_" + std::to_string(unit_depth_));
    ++unit_depth_;
}

void Database::end_unit(bool keep) {
    if (unit_depth_ == 0) return;
    --unit_depth_;
    if (unit_depth_ > 0) {
        const std::string name = "tl_unit_" + std::to_string(unit_depth_);
        execute(keep ? "release savepoint " + name : "rollback to savepoint " + name);
        return;
    }
    if (keep)
        real_commit();
    else
        rollback();
}

UnitOfWork::UnitOfWork(Database& db) : db_(db) { db_.begin_unit(); }

UnitOfWork::~UnitOfWork() {
    if (done_) return;
    done_ = true;
    try {
        db_.end_unit(false);
    } catch (...) {
        // A failed rollback leaves nothing to keep; the connection is gone.
    }
}

void UnitOfWork::commit() {
    if (done_) return;
    done_ = true;
    db_.end_unit(true);
}

void UnitOfWork::rollback() {
    if (done_) return;
    done_ = true;
    db_.end_unit(false);
}

}  // namespace db
