#include "jobs/job_queue.h"

#include <fstream>
#include <string_view>

#include "core/format.h"
#include "db/database.h"
#include "ledger/log_book.h"

namespace tl {

namespace {

// Commands that always select their table afresh.
bool selects_afresh(char command) {
    return command != 0 && std::string_view("RACGHIBMQZ").find(command) != std::string_view::npos;
}

// The log book holds at most this much text per row.
constexpr size_t kLogText = 1000;

}  // namespace

void JobQueue::poll() {
    // A console operation waiting in a dialog holds its unit of work open; a
    // job run now would be committed only with it. The next tick runs it.
    if (busy_ || ctx_.db.in_unit_of_work()) return;
    busy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{busy_};

    if (!ensure_connection()) return;
    bool had_jobs = false;
    try {
        booking_.update_business_date();
        const db::Rows batch = ctx_.db.query("select * from netjob order by jobid ");
        had_jobs = !batch.empty();
        for (const auto& row : batch) {
            const Outcome outcome = run_job(row.integer("jobid"), row.text("puffer"));
            if (outcome == Outcome::locked || outcome == Outcome::disconnected) break;
        }
    } catch (const db::Error& e) {
        if (e.connection_lost()) {
            reconnect_ = true;
            ctx_.meldung("Datenbankverbindung unterbrochen: " + std::string(e.what()));
            return;
        }
        ctx_.meldung("Fehler beim Lesen der Auftragsliste: " + std::string(e.what()));
    } catch (const std::exception& e) {
        ctx_.dialogs.notify(e.what());
        ctx_.meldung("Fehler beim Lesen der Auftragsliste: " + std::string(e.what()));
    }
    if (!had_jobs) return;
    ctx_.fields.table_entry_visible = false;
    ctx_.changed();
}

bool JobQueue::ensure_connection() {
    if (!reconnect_ && ctx_.db.is_open()) return true;
    try {
        ctx_.db.reconnect();
    } catch (const db::Error& e) {
        // One line now and then, not one per second while the server is down.
        if (reconnect_attempts_++ % 30 == 0) ctx_.meldung("Datenbankverbindung fehlgeschlagen: " + std::string(e.what()));
        return false;
    }
    reconnect_ = false;
    reconnect_attempts_ = 0;
    ctx_.till.selection_failed = true;
    ctx_.meldung("Datenbankverbindung wiederhergestellt");
    return true;
}

JobQueue::Outcome JobQueue::run_job(std::int64_t jobid, const std::string& puffer) {
    const std::string id = std::to_string(jobid);
    try {
        db::UnitOfWork unit(ctx_.db);
        execute(puffer);
        delete_job(jobid);
        unit.commit();
        ++jobs_done_;
        if (on_done) on_done(jobid);
        return Outcome::done;
    } catch (const db::Error& e) {
        ctx_.till.selection_failed = true;
        if (e.lock_conflict()) {
            ctx_.meldung("Datensatz gesperrt, Job " + id + " wird wiederholt");
            return Outcome::locked;
        }
        if (e.connection_lost()) {
            reconnect_ = true;
            ctx_.meldung("Datenbankverbindung unterbrochen, Job " + id + " wird wiederholt");
            return Outcome::disconnected;
        }
        report_failure(jobid, puffer, e.what());
        return Outcome::failed;
    } catch (const std::exception& e) {
        ctx_.till.selection_failed = true;
        report_failure(jobid, puffer, e.what());
        return Outcome::failed;
    }
}

void JobQueue::execute(const std::string& puffer) {
    if (trace_messages) ctx_.meldung(puffer);
    if (log_messages) append_logfile(puffer);
    const Message m = Message::split(puffer);
    if (!log_in(m)) return;
    ctx_.fields.table_entry_visible = true;
    select_table(m);
    if (ctx_.till.selection_failed) return;
    dispatcher_.execute(m);
}

bool JobQueue::log_in(const Message& m) {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    const auto number = parse_integer(m.waiter());
    // An empty waiter entry is nobody logged in, never a match.
    if (!f.Edit14.empty() && m.waiter() == f.Edit14 && number && till.waiter_no == *number) return true;

    f.Edit14 = m.waiter();
    tables_.waiter_enter();
    std::optional<db::Row> row;
    if (number) row = ctx_.db.query_first("select passwort from kellner where kellnernr = :kellnernr ", {{"kellnernr", *number}});
    if (row) {
        f.Edit15 = row->text("passwort");
        tables_.login();
        if (till.waiter_no == *number) return true;
    } else {
        ctx_.meldung("Kellner " + m.waiter() + "nicht gefunden");
    }
    // Nobody stays logged in: a later job naming this number is checked again
    // and never runs under the waiter logged in before.
    f.Edit14.clear();
    f.Edit15.clear();
    till.waiter_no = 0;
    till.waiter_name.clear();
    till.storno_level = 0;
    return false;
}

void JobQueue::select_table(const Message& m) {
    auto& f = ctx_.fields;
    auto& till = ctx_.till;
    const std::string table = m.table();
    if (f.Edit16 == table && !till.selection_failed && !selects_afresh(m.command())) return;
    till.selection_failed = false;
    f.Edit16 = table;
    if (!parse_integer(table)) {
        ctx_.meldung("ungültige Tischnummer: " + m.field(2));
        f.Edit16 = "1";
        till.selection_failed = true;
    }
    tables_.select_table();
}

void JobQueue::delete_job(std::int64_t jobid) {
    ctx_.db.execute("delete from netjob where jobid = :jobid", {{"jobid", jobid}});
}

void JobQueue::report_failure(std::int64_t jobid, const std::string& puffer, const std::string& error) {
    const std::string id = std::to_string(jobid);
    ctx_.dialogs.notify(error);
    ctx_.meldung("Job " + id + " abgebrochen und entfernt: " + error);
    try {
        db::UnitOfWork unit(ctx_.db);
        logbuch(ctx_, ("Fehler in Job " + id + " \"" + puffer + "\": " + error).substr(0, kLogText));
        delete_job(jobid);
        unit.commit();
    } catch (const db::Error& e) {
        // The job stays in the queue and fails again on the next poll.
        if (e.connection_lost()) reconnect_ = true;
        ctx_.meldung("Job " + id + " konnte nicht entfernt werden: " + std::string(e.what()));
    }
}

void JobQueue::append_logfile(const std::string& puffer) {
    std::ofstream out(ctx_.workdir / "logfile.txt", std::ios::binary | std::ios::app);
    out << format_datetime(ctx_.clock.now()) << "        " << puffer << "\r\n";
    // A trace file that cannot be written must not cost the order.
    if (!out) ctx_.meldung("logfile.txt kann nicht geschrieben werden");
}

}  // namespace tl
