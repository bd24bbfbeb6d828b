#include "db/firebird_root.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "db/error.h"

namespace db {

namespace fs = std::filesystem;

namespace {

fs::path system_root() {
    for (const char* c : {"/usr/lib/x86_64-linux-gnu/firebird/3.0", "/usr/lib/aarch64-linux-gnu/firebird/3.0",
                          "/usr/lib/firebird/3.0", "/opt/firebird"}) {
        if (fs::exists(fs::path(c) / "plugins")) return c;
    }
    return {};
}

bool usable(const fs::path& root) { return fs::exists(root / "firebird.conf") && fs::exists(root / "intl"); }

void build(const fs::path& root, const fs::path& sys) {
    fs::create_directories(root / "intl");
    {
        std::ofstream conf(root / "firebird.conf");
        conf << "# Private Firebird root of tablinker: several processes share one\n"
                "# embedded database file, which needs SuperClassic.\n"
                "ServerMode = SuperClassic\n";
    }
    for (const char* name : {"plugins", "lib", "UDF", "firebird.msg", "plugins.conf"}) {
        std::error_code ec;
        if (fs::exists(sys / name)) fs::create_symlink(sys / name, root / name, ec);
    }
    std::error_code ec;
    fs::copy_file(sys / "intl" / "libfbintl.so", root / "intl" / "libfbintl.so", fs::copy_options::overwrite_existing, ec);
    fs::copy_file(sys / "intl" / "fbintl.conf", root / "intl" / "fbintl.conf", fs::copy_options::overwrite_existing, ec);
}

}  // namespace

std::string ensure_firebird_root() {
    static const std::string root = [] {
        if (const char* env = std::getenv("FIREBIRD"); env && *env && usable(env)) return std::string(env);
        const fs::path sys = system_root();
        if (sys.empty()) throw Error("Firebird ist nicht installiert (kein Verzeichnis mit plugins/ gefunden)");
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        fs::path base = runtime && *runtime && fs::is_directory(runtime) ? fs::path(runtime) : fs::temp_directory_path();
        fs::path dir = base / ("tablinker-firebird-" + std::to_string(::getuid()));
        if (!usable(dir) || !fs::exists(dir / "intl" / "libfbintl.so")) {
            // Build beside and rename, so that processes starting together never
            // see half a root.
            fs::path tmp = base / ("tablinker-firebird-" + std::to_string(::getpid()) + ".new");
            std::error_code ec;
            fs::remove_all(tmp, ec);
            build(tmp, sys);
            fs::rename(tmp, dir, ec);
            if (ec) fs::remove_all(tmp, ec);
        }
        ::setenv("FIREBIRD", dir.c_str(), 1);
        return dir.string();
    }();
    return root;
}

}  // namespace db
