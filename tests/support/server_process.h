// The real tablinker binary run headless as a child process in a working
// directory, with its own XDG_RUNTIME_DIR (so its single-instance lock is its
// own) and its standard output and error captured in files. Waits are
// bounded so that a broken binary cannot hang a test; the destructor kills
// what is still running.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tltest {

class ServerProcess {
public:
    ServerProcess(const std::filesystem::path& binary, const std::filesystem::path& workdir,
                  const std::filesystem::path& runtime, const std::string& name);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool running();
    // The exit code; nullopt (and the process killed) when it has not ended
    // within `seconds`.
    std::optional<int> wait(int seconds = 60);
    void signal(int sig);
    // Standard output and error so far, as Windows-1252 bytes.
    std::string out() const;
    std::string err() const;

private:
    pid_t pid_ = -1;
    std::optional<int> exit_code_;
    std::filesystem::path out_, err_;
};

// Polls `done` every 20 ms for up to `seconds`; true once it holds.
bool eventually(const std::function<bool()>& done, int seconds = 30);

}  // namespace tltest
