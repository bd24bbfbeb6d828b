#include "app/startup.h"

#include <fcntl.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <arpa/inet.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "catalogue/catalogue.h"

namespace tl {

namespace {

bool is_executable_file(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

std::optional<fs::path> find_in_path(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return std::nullopt;
    std::istringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (dir.empty()) continue;
        if (is_executable_file(fs::path(dir) / name)) return fs::path(dir) / name;
    }
    return std::nullopt;
}

std::optional<fs::path> locate_sibling(const fs::path& workdir, const std::string& name) {
    for (const auto& candidate : {workdir / name, workdir / (name + ".exe")})
        if (is_executable_file(candidate)) return candidate;
    return find_in_path(name);
}

}  // namespace

std::unique_ptr<InstanceLock> InstanceLock::acquire(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

InstanceLock::~InstanceLock() { ::close(fd_); }

fs::path instance_lock_path() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    if (runtime && *runtime && fs::is_directory(runtime, ec)) return fs::path(runtime) / "tablinker.lock";
    return fs::temp_directory_path() / "tablinker.lock";
}

std::optional<std::vector<std::string>> read_text_lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    const std::string bytes = s.str();
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            cur += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.push_back(std::move(cur));
        cur.clear();
    }
    if (!cur.empty()) lines.push_back(std::move(cur));
    return lines;
}

std::string line_at(const std::vector<std::string>& lines, int n) {
    return n >= 1 && n <= static_cast<int>(lines.size()) ? lines[n - 1] : std::string();
}

bool local_mode(const std::vector<std::string>& angebot) { return line_at(angebot, 8) == "0"; }

std::string database_name(const std::vector<std::string>& angebot, const fs::path& workdir, bool nolocalhost) {
    const std::string mode = line_at(angebot, 8);
    if (mode == "1") {
        const std::string dir = line_at(angebot, 6);
        const char* sep = !dir.empty() && dir[0] == '/' ? "/" : "\\";
        return line_at(angebot, 7) + "/3050:" + dir + sep + "korvex.fdb";
    }
    if (mode == "0") {
        const std::string file = (workdir / "korvex.fdb").string();
        return nolocalhost ? file : "localhost:" + file;
    }
    return {};
}

std::string missing_database_message() {
    return "Die Datenbank wurde nicht gefunden.\rDie Datei korvex.fdb muss sich im aktuellen\r"
           "Korvex-Verzeichnis befinden, das ist nicht der Fall !\r\rAm besten installieren Sie die Software neu !";
}

std::string connection_failure_message(const std::string& database_name) {
    auto t = [](int n) { return catalogue_text(n); };
    return t(695) + "\n" + "\n" + t(696) + "\n" + "\n" + "- " + t(697) + "\n" + "- " + t(698) + "\n" + "- " + t(699) +
           "\n" + "- ein Firewall blockiert Port 3050" + "\n" + "- " + t(700) + "\n" + "\n" + t(701) + " " +
           database_name;
}

bool start_sibling(const fs::path& workdir, const std::string& name) {
    const auto program = locate_sibling(workdir, name);
    if (!program) return false;
    // Double fork: the sibling belongs to no one and never becomes a zombie
    // of the server; it runs in its own session so a Ctrl+C on the server's
    // terminal does not reach it.
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::setsid();
        if (::fork() != 0) ::_exit(0);
        if (::chdir(workdir.c_str()) != 0) ::_exit(127);
        const std::string path = program->string();
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        ::execv(path.c_str(), argv);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return true;
}

namespace {

bool loopback(const in_addr& a) { return (ntohl(a.s_addr) >> 24) == 127; }

std::vector<std::string> lookup_host_name(bool& only_loopback) {
    std::vector<std::string> out;
    only_loopback = true;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0) return out;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &res) != 0) return out;
    for (addrinfo* a = res; a; a = a->ai_next) {
        const in_addr& addr = reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr;
        char buf[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &addr, buf, sizeof buf);
        if (std::find(out.begin(), out.end(), buf) != out.end()) continue;
        out.push_back(buf);
        if (!loopback(addr)) only_loopback = false;
    }
    ::freeaddrinfo(res);
    return out;
}

std::vector<std::string> interface_addresses() {
    std::vector<std::string> out;
    ifaddrs* ifs = nullptr;
    if (::getifaddrs(&ifs) != 0) return out;
    for (ifaddrs* i = ifs; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
        const in_addr& addr = reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr;
        if (loopback(addr)) continue;
        char buf[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &addr, buf, sizeof buf);
        out.push_back(buf);
    }
    ::freeifaddrs(ifs);
    return out;
}

}  // namespace

// A host name that resolves to loopback only (Debian's 127.0.1.1 line in
// /etc/hosts) would show the tablets an address they cannot reach; the
// interfaces' addresses are the ones to type in then.
std::vector<std::string> host_ipv4_addresses() {
    bool only_loopback = true;
    std::vector<std::string> out = lookup_host_name(only_loopback);
    if (!only_loopback) return out;
    std::vector<std::string> interfaces = interface_addresses();
    return interfaces.empty() ? out : interfaces;
}

ConsoleOptions read_console_options(const std::vector<std::string>& pda3) {
    ConsoleOptions o;
    o.ohne_storno = true;
    o.nur_einzelbon = line_at(pda3, 5) == "1";
    o.einzelpos = line_at(pda3, 6) == "1";
    return o;
}

bool write_console_options(const fs::path& file, const ConsoleOptions& o) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    auto b = [](bool v) { return v ? "1" : "0"; };
    out << "0\r\n0\r\n0\r\n" << b(o.ohne_storno) << "\r\n" << b(o.nur_einzelbon) << "\r\n" << b(o.einzelpos) << "\r\n";
    return static_cast<bool>(out.flush());
}

}  // namespace tl
