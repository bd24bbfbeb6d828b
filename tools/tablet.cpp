// tablet: puts tablet messages into the job queue of a till database the way
// the network relay does: one `netjob` row per message, committed at once,
// its key drawn from the generator `netjobid` (the server's own print orders
// draw from the same generator, so keys never collide). Position lists of Z
// messages go into `splitt` first. Message bytes are stored as given: texts
// typed in a UTF-8 terminal arrive like a tablet's.
//
//   tablet <database> [options] [message ...]
//     --list <key> <row>   a `splitt` row for list <key>; <row> is
//                          artikelnummer;text;epreis;menge;ktext;aufpreis;pvariante
//                          (numbers with a decimal point)
//     --file <file>        messages from a file, one per line ('#' comments)
//     --wait <seconds>     wait until the server has taken every message
//     --pause <ms>         pause between messages (a waiter's pace)
//
// Exit code 0 when every message was inserted (and, with --wait, taken).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "db/database.h"

namespace {

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t pos = 0;
    for (;;) {
        size_t next = s.find(sep, pos);
        if (next == std::string::npos) {
            out.push_back(s.substr(pos));
            return out;
        }
        out.push_back(s.substr(pos, next - pos));
        pos = next + 1;
    }
}

double number(const std::string& s) { return s.empty() ? 0.0 : std::strtod(s.c_str(), nullptr); }

int usage() {
    std::fprintf(stderr,
                 "usage: tablet <database> [--list <key> <row>] [--file <file>] [--wait <seconds>] [--pause <ms>] [message ...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    db::Database database;
    database.set_name(argv[1]);
    std::vector<std::string> messages;
    std::vector<std::pair<long long, std::string>> list_rows;
    int wait_seconds = 0;
    int pause_ms = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--list" && i + 2 < argc) {
            list_rows.emplace_back(std::atoll(argv[i + 1]), argv[i + 2]);
            i += 2;
        } else if (a == "--file" && i + 1 < argc) {
            std::ifstream in(argv[++i], std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "tablet: cannot read %s\n", argv[i]);
                return 1;
            }
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (line.empty() || line[0] == '#') continue;
                messages.push_back(line);
            }
        } else if (a == "--wait" && i + 1 < argc) {
            wait_seconds = std::atoi(argv[++i]);
        } else if (a == "--pause" && i + 1 < argc) {
            pause_ms = std::atoi(argv[++i]);
        } else if (a.rfind("--", 0) == 0) {
            return usage();
        } else {
            messages.push_back(a);
        }
    }
    std::vector<long long> keys;
    try {
        database.open();
        for (const auto& [key, row] : list_rows) {
            auto f = split(row, ';');
            f.resize(7);
            database.execute(
                "insert into splitt (jobid, artikelnummer, text, epreis, menge, ktext, aufpreis, pvariante) "
                "values (:jobid, :artikelnummer, :text, :epreis, :menge, :ktext, :aufpreis, :pvariante)",
                {{"jobid", key}, {"artikelnummer", f[0]}, {"text", f[1]}, {"epreis", number(f[2])}, {"menge", number(f[3])},
                 {"ktext", f[4]}, {"aufpreis", number(f[5])}, {"pvariante", std::atoll(f[6].c_str())}});
            database.commit();
        }
        for (const auto& m : messages) {
            const long long key = database.generator("netjobid");
            database.execute("insert into netjob (jobid, puffer) values (:jobid, :puffer)", {{"jobid", key}, {"puffer", m}});
            database.commit();
            keys.push_back(key);
            std::printf("tablet: job %lld  %s\n", key, m.c_str());
            if (pause_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
        }
        if (wait_seconds > 0 && !keys.empty()) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(wait_seconds);
            for (;;) {
                database.commit();
                const double left = database.scalar("select count(*) anzahl from netjob where jobid <= :jobid",
                                                    {{"jobid", keys.back()}}, "anzahl");
                if (left == 0) break;
                if (std::chrono::steady_clock::now() > deadline) {
                    std::fprintf(stderr, "tablet: %g message(s) still waiting after %d s\n", left, wait_seconds);
                    return 1;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tablet: %s\n", e.what());
        return 1;
    }
    return 0;
}
