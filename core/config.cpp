#include "config.h"

#include <fstream>
#include <sstream>

namespace tl {

namespace {

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool is_known(const std::string& key, const std::vector<std::string>& known) {
    for (const auto& k : known) {
        if (k == key) return true;
        if (!k.empty() && k.back() == '.' && key.size() > k.size() && key.compare(0, k.size(), k) == 0) return true;
    }
    return false;
}

}  // namespace

std::string Config::get(const std::string& key, const std::string& fallback) const {
    auto it = values.find(key);
    return it == values.end() ? fallback : it->second;
}

Config parse_config(const std::string& text, const std::vector<std::string>& known) {
    Config c;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos || eq == 0) {
            c.bad_lines.push_back(t);
            continue;
        }
        std::string key = trim(t.substr(0, eq));
        c.values[key] = trim(t.substr(eq + 1));
        if (!is_known(key, known)) c.unknown_keys.push_back(key);
    }
    return c;
}

Config load_config(const std::string& path, const std::vector<std::string>& known) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream s;
    s << in.rdbuf();
    return parse_config(s.str(), known);
}

const std::vector<std::string>& known_config_keys() {
    static const std::vector<std::string> keys = {
        "db.password", "port.", "ebon.sftp_host", "ebon.sftp_user", "ebon.sftp_password", "ebon.web_base",
        "terminal.repeat_password",
    };
    return keys;
}

}  // namespace tl
