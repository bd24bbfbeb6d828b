// The job queue: the relay inserts one row into `netjob` per tablet message;
// the server polls the table once a second and executes the messages one
// after the other in `jobid` order, driving the console as an operator
// would (waiter, password, table, command).
//
// Every job is one unit of work: what it books and the deletion of its
// `netjob` row are committed together, so after a crash or a restart no
// executed job runs again and no job is lost. A job ends in one of four ways:
//
//   done          committed with its row deleted; the batch goes on.
//   locked        another program holds a row the job needs (no-wait lock
//                 conflict): rolled back, the row stays, the batch stops and
//                 the next poll starts again from this job, keeping the order.
//   disconnected  the connection to the database is lost: rolled back as far
//                 as the engine still can, the row stays; later polls open
//                 the connection again and go on from this job.
//   failed        any other error (a field that must be a number and is not,
//                 a database error): rolled back, reported (a message that
//                 does not hold up the queue, a trace line, a log-book row),
//                 its row deleted; the batch goes on with the next job.
//
// After a job that did not end as done the console's table is selected
// afresh by the next job, so no in-memory state of a rolled-back job is used.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/context.h"
#include "jobs/dispatcher.h"
#include "jobs/message.h"
#include "ledger/booking.h"
#include "ledger/tables.h"

namespace tl {

class JobQueue {
public:
    JobQueue(Context& ctx, Tables& tables, Booking& booking, Dispatcher& dispatcher)
        : ctx_(ctx), tables_(tables), booking_(booking), dispatcher_(dispatcher) {}

    // One tick of Timer1. Never re-enters itself (a message box opened by an
    // operation runs a nested event loop that may fire the timer again).
    void poll();

    // Console switches "Trace" and "Logfile".
    bool trace_messages = false;
    bool log_messages = false;

    // Jobs done since start (benchmarks, window).
    std::uint64_t jobs_done() const { return jobs_done_; }
    // Called after each job that ended as done, with its key.
    std::function<void(std::int64_t)> on_done;

private:
    enum class Outcome { done, locked, disconnected, failed };

    bool ensure_connection();
    Outcome run_job(std::int64_t jobid, const std::string& puffer);
    void execute(const std::string& puffer);
    bool log_in(const Message& m);
    void select_table(const Message& m);
    void report_failure(std::int64_t jobid, const std::string& puffer, const std::string& error);
    void delete_job(std::int64_t jobid);
    void append_logfile(const std::string& puffer);

    Context& ctx_;
    Tables& tables_;
    Booking& booking_;
    Dispatcher& dispatcher_;
    bool busy_ = false;
    bool reconnect_ = false;
    int reconnect_attempts_ = 0;
    std::uint64_t jobs_done_ = 0;
};

}  // namespace tl
