#include "app/server.h"

#include <fstream>

#include "catalogue/catalogue.h"
#include "ledger/log_book.h"

namespace tl {

namespace {

// Passes a message to the real dialogs unless it is the one shown last;
// a repeat goes to the trace instead.
class RepeatGuardDialogs final : public Dialogs {
public:
    RepeatGuardDialogs(Dialogs& real, Trace& trace, std::string& last) : real_(real), trace_(trace), last_(last) {}
    void message(const std::string& text) override {
        shown_ = true;
        if (text == last_) {
            trace_.meldung(text);
            return;
        }
        last_ = text;
        real_.message(text);
    }
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& preset) override {
        return real_.input(title, prompt, preset);
    }
    bool confirm(const std::string& text, bool default_answer) override { return real_.confirm(text, default_answer); }
    bool shown() const { return shown_; }

private:
    Dialogs& real_;
    Trace& trace_;
    std::string& last_;
    bool shown_ = false;
};

// Resets a flag when the scope ends, exceptions included.
struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
};

}  // namespace

Server::Server(std::filesystem::path workdir, const Clock& clock, Dialogs& dialogs)
    : workdir_(std::move(workdir)),
      clock_(clock),
      dialogs_(dialogs),
      trace_(clock),
      ctx_{db_, clock_, dialogs_, trace_, bookings_, settings_, till_, fields_, dispatch_, config_, workdir_, {}} {}

Server::StartResult Server::start() {
    try {
        config_ = load_config((workdir_ / "tablinker.conf").string(), known_config_keys());
        for (const auto& key : config_.unknown_keys) trace_.meldung("tablinker.conf: unbekannter Schlüssel " + key);
        for (const auto& line : config_.bad_lines) trace_.meldung("tablinker.conf: Zeile ohne Schlüssel=Wert: " + line);

        db_.close();
        db_.set_login({"SYSDBA", config_.get("db.password", "masterkey")});

        till_ = TillState{};
        fields_ = ConsoleFields{};
        dispatch_ = DispatcherState{};
        settings_.tse_active = false;

        // The failure messages of the database step are catalogue texts, so
        // the language is set before it.
        set_catalogue_language(1);

        export_folder_ = (workdir_ / "Daten_Tablet").string();
        host_addresses_ = host_ipv4_addresses();
        std::ofstream(workdir_ / "logfile.txt", std::ios::binary | std::ios::trunc);

        if (const StartResult r = connect(); r.ended) return r;

        if (const auto tse = db_.query_first("select * from tse"); tse && tse->text("tse_aktiv") == "1") {
            settings_.tse_active = true;
            start_sibling(workdir_, "signhost");
        }
        start_sibling(workdir_, "netrelay");

        fields_.customer_caption.clear();
        started_ = true;

        if (const auto pda3 = read_text_lines(workdir_ / "pda3.ini")) options = read_console_options(*pda3);
        if (const auto oem = read_text_lines(workdir_ / "oem.txt")) {
            window_title_ = line_at(*oem, 1);
            title_label_ = window_title_ + " PDA-Server";
        }
        logbuch(ctx_, std::string("Start PDA-Server Version ") + kServerVersion);
        reload_station_settings();
    } catch (const std::exception& e) {
        started_ = true;
        dialogs_.message(e.what());
    }
    return {};
}

// The database named by angebot.db, or the file korvex.fdb of the working
// directory when there is no angebot.db. A database the server cannot open
// ends the program: nothing it does works without one.
Server::StartResult Server::connect() {
    std::string name = (workdir_ / "korvex.fdb").string();
    const auto angebot_file = workdir_ / "angebot.db";
    std::error_code ec;
    if (fs::exists(angebot_file, ec)) {
        const auto angebot = read_text_lines(angebot_file);
        if (!angebot) {
            trace_.meldung("angebot.db kann nicht gelesen werden");
        } else {
            name = database_name(*angebot, workdir_, fs::exists(workdir_ / "nolocalhost.txt", ec));
            if (local_mode(*angebot)) {
                info_lines_.push_back(" " + catalogue_text(694) + " ");
                if (!fs::exists(workdir_ / "korvex.fdb", ec)) {
                    dialogs_.message(missing_database_message());
                    return {true, 1};
                }
            }
            trace_.meldung(name);
        }
    }
    db_.set_name(name);
    try {
        if (name.empty()) throw db::Error("kein Datenbankname");
        db_.open();
    } catch (const db::Error& e) {
        trace_.meldung(e.what());
        dialogs_.message(connection_failure_message(name));
        return {true, 1};
    }
    if (connected) connected();
    return {};
}

void Server::finish() {
    if (!started_ || finished_) return;
    finished_ = true;
    if (settings_.customer_display && show_display_idle) show_display_idle();
    write_console_options(workdir_ / "pda3.ini", options);
    try {
        logbuch(ctx_, std::string("Ende PDA-Server Version ") + kServerVersion);
    } catch (const std::exception& e) {
        dialogs_.message(e.what());
    }
}

const StationLoad& Server::reload_station_settings() {
    RepeatGuardDialogs guard(dialogs_, trace_, last_station_error_);
    Context ctx{db_, clock_, guard, trace_, bookings_, settings_, till_, fields_, dispatch_, config_, workdir_, ctx_.hooks};
    try {
        last_load_ = load_station_settings(ctx);
    } catch (const std::exception& e) {
        last_load_ = StationLoad{};
        last_load_.error = e.what();
        guard.message(e.what());
    }
    if (!guard.shown()) last_station_error_.clear();
    if (last_load_.captions_set && settings_.customer_display && show_display_idle) show_display_idle();
    return last_load_;
}

void Server::tick_job_queue() {
    // The job queue opens a lost connection again itself.
    if (!started_ || in_job_poll_ || !job_queue_poll) return;
    Busy busy(in_job_poll_);
    job_queue_poll();
}

void Server::tick_service_results() {
    if (!started_ || in_service_poll_ || !service_result_poll || !db_.is_open()) return;
    Busy busy(in_service_poll_);
    service_result_poll();
}

}  // namespace tl
