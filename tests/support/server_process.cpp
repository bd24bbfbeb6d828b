#include "tests/support/server_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "core/win1252.h"
#include "tests/support/fixture.h"

extern char** environ;

namespace tltest {

namespace {

// The embedded engine coordinates the processes on one database file through
// its lock directory, by default /tmp/firebird for the whole machine, where
// one hung process of some other run would hold up every start. The test
// process and the servers it starts share a directory of their own, set
// before the first use of the client library.
struct OwnLockDirectory {
    std::string dir = (std::filesystem::temp_directory_path() / "tablinker-e2e-lock-XXXXXX").string();
    OwnLockDirectory() {
        if (::mkdtemp(dir.data())) ::setenv("FIREBIRD_LOCK", dir.c_str(), 1);
    }
    ~OwnLockDirectory() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
} own_lock_directory;

}  // namespace

ServerProcess::ServerProcess(const std::filesystem::path& binary, const std::filesystem::path& workdir,
                             const std::filesystem::path& runtime, const std::string& name) {
    out_ = workdir / (name + ".out");
    err_ = workdir / (name + ".err");
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("QT_QPA_PLATFORM=", 0) == 0 || v.rfind("XDG_RUNTIME_DIR=", 0) == 0 || v.rfind("DISPLAY=", 0) == 0) continue;
        env.push_back(v);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_RUNTIME_DIR=" + runtime.string());
    std::vector<char*> envp;
    for (auto& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    const std::string wd = workdir.string(), out = out_.string(), err = err_.string(), bin = binary.string();
    pid_ = ::fork();
    if (pid_ == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || e < 0 || ::chdir(wd.c_str()) != 0) ::_exit(126);
        ::dup2(o, 1);
        ::dup2(e, 2);
        char* argv[] = {const_cast<char*>("tablinker"), nullptr};
        ::execve(bin.c_str(), argv, envp.data());
        ::_exit(127);
    }
}

ServerProcess::~ServerProcess() {
    if (pid_ > 0 && !exit_code_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool ServerProcess::running() {
    if (exit_code_) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

std::optional<int> ServerProcess::wait(int seconds) {
    for (int i = 0; i < seconds * 50 && running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!running()) return exit_code_;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    exit_code_ = -1;
    return std::nullopt;
}

void ServerProcess::signal(int sig) {
    if (!exit_code_) ::kill(pid_, sig);
}

std::string ServerProcess::out() const { return tl::utf8_to_win1252(read_file(out_)); }

std::string ServerProcess::err() const { return tl::utf8_to_win1252(read_file(err_)); }

bool eventually(const std::function<bool()>& done, int seconds) {
    for (int i = 0; i < seconds * 50; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

}  // namespace tltest
