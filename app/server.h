// Server: what the store server owns for the whole run (the database
// connection, the clock, the dialogs, the trace, the booking list, the
// station settings, the till state, the console fields, the dispatcher
// state, tablinker.conf and the Context over them), its start-up in order,
// its end, and the places where the job queue, the service results and the
// customer display plug in. It knows no widget: the window renders what it
// holds and forwards the timers and the window's activation and close.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/station_settings_loader.h"
#include "core/context.h"
#include "db/database.h"

namespace tl {

inline constexpr const char* kServerVersion = "20.22.12";
inline constexpr const char* kWindowTitle = "Korvex Zeradivoriz Idezo Store-Server für Android Version 20.25.01";

class Server {
public:
    Server(std::filesystem::path workdir, const Clock& clock, Dialogs& dialogs);
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    struct StartResult {
        bool ended = false;  // a start-up failure ends the program
        int exit_code = 0;
    };
    // The start-up steps in order; a failure that ends the program has been
    // shown through the dialogs when this returns.
    StartResult start();
    // The end steps (customer display idle lines, pda3.ini, log-book row).
    // Runs once, and only after a start that did not end the program.
    void finish();

    // The station-settings load of start-up and of every window activation.
    // An error is shown in a box once; the same error at the next
    // activations goes to the trace, so closing the box (which activates
    // the window again) cannot bring it back in a loop.
    const StationLoad& reload_station_settings();
    const StationLoad& last_station_load() const { return last_load_; }

    // Timer1 and the service-result timer, every 1000 ms.
    void tick_job_queue();
    void tick_service_results();

    // Plug-in places of the later layers. The job-queue poll runs its batch
    // and must tolerate an unconnected database; the tick never re-enters
    // it. The service-result poll likewise. The customer display shows
    // its two idle lines at the end (and after each station load with the
    // display switched on).
    std::function<void()> job_queue_poll;
    std::function<void()> service_result_poll;
    std::function<void()> show_display_idle;
    // Called once the database is open (the program takes its signal
    // handlers back from the Firebird client there).
    std::function<void()> connected;
    // The ledger and printing operation objects (login and tables, booking,
    // printing) are built over context() by the layer that owns them.

    Context& context() { return ctx_; }
    db::Database& database() { return db_; }
    Trace& trace() { return trace_; }
    BookingList& bookings() { return bookings_; }
    StationSettings& settings() { return settings_; }
    const Config& config() const { return config_; }
    const std::filesystem::path& workdir() const { return workdir_; }

    const std::string& window_title() const { return window_title_; }
    const std::string& title_label() const { return title_label_; }
    // First host address, shown under "IP-Adresse Server:".
    std::string ip_address() const { return host_addresses_.empty() ? std::string() : host_addresses_.front(); }
    const std::vector<std::string>& host_addresses() const { return host_addresses_; }
    const std::string& export_folder() const { return export_folder_; }
    // Lines of the hidden information memo, shown in green.
    const std::vector<std::string>& info_lines() const { return info_lines_; }
    bool tse_active() const { return settings_.tse_active; }
    bool running() const { return started_; }

    ConsoleOptions options;
    // The console switches "Trace" and "Logfile", off at start.
    bool trace_switch = false;
    bool logfile_switch = false;

private:
    StartResult connect();

    std::filesystem::path workdir_;
    const Clock& clock_;
    Dialogs& dialogs_;
    Trace trace_;
    BookingList bookings_;
    StationSettings settings_;
    TillState till_;
    ConsoleFields fields_;
    DispatcherState dispatch_;
    Config config_;
    db::Database db_;
    Context ctx_;

    std::string window_title_ = kWindowTitle;
    std::string title_label_ = std::string(kWindowTitle) + " PDA-Server";
    std::vector<std::string> host_addresses_;
    std::string export_folder_;
    std::vector<std::string> info_lines_;
    StationLoad last_load_;
    std::string last_station_error_;
    bool started_ = false;
    bool finished_ = false;
    bool in_job_poll_ = false;
    bool in_service_poll_ = false;
};

}  // namespace tl
