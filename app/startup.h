// The pieces of the server's start and end that need no window: the
// single-instance lock, the start-up files of the working directory
// (angebot.db, nolocalhost.txt, pda3.ini, oem.txt, logfile.txt), the
// database name and the two start-up failure messages, the sibling
// programs and the host's IPv4 addresses.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

namespace fs = std::filesystem;

// An exclusive flock on tablinker.lock, held until the object dies (the
// descriptor is close-on-exec, so the sibling programs never inherit it).
class InstanceLock {
public:
    // nullptr when another process holds the lock.
    static std::unique_ptr<InstanceLock> acquire(const fs::path& file);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_;
};

// $XDG_RUNTIME_DIR/tablinker.lock, else the temporary directory's.
fs::path instance_lock_path();

// The lines of a text file; CR LF, LF and CR end lines. nullopt when the
// file cannot be read.
std::optional<std::vector<std::string>> read_text_lines(const fs::path& file);
// Line `n` (1-based) or the empty text.
std::string line_at(const std::vector<std::string>& lines, int n);

// The database name angebot.db selects: remote "host/3050:dir" + separator
// + "korvex.fdb" (line 7 host, line 6 directory, "/" after a POSIX directory,
// "\" after a Windows one), local "localhost:" + working directory +
// "/korvex.fdb", or with nolocalhost.txt the plain file path (the embedded
// engine). Any other mode gives the empty name.
std::string database_name(const std::vector<std::string>& angebot, const fs::path& workdir, bool nolocalhost);
// Line 8 is "0".
bool local_mode(const std::vector<std::string>& angebot);

// Windows-1252 texts of the two messages that end the start-up.
std::string missing_database_message();
std::string connection_failure_message(const std::string& database_name);

// Starts `name` detached (own session, working directory `workdir`, empty
// argument list): workdir/name, workdir/name.exe, else `name` from PATH.
// False when none was found; a program that fails after starting is not
// noticed.
bool start_sibling(const fs::path& workdir, const std::string& name);

// The IPv4 addresses of the host name in lookup order; when the name gives
// none or only loopback ones, those of the interfaces other than loopback
// (the lookup's loopback addresses when there are none either).
std::vector<std::string> host_ipv4_addresses();

// The console options of pda3.ini (lines 4-6).
struct ConsoleOptions {
    bool ohne_storno = true;  // always on after start-up, whatever line 4 says
    bool nur_einzelbon = false;
    bool einzelpos = false;
};

ConsoleOptions read_console_options(const std::vector<std::string>& pda3);
// "0", "0", "0" and the three options, CR LF ended. False when it could not
// be written.
bool write_console_options(const fs::path& file, const ConsoleOptions& options);

}  // namespace tl
