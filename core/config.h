// tablinker.conf: the local configuration that the station file leaves open
// (database password, printer device map, e-receipt upload endpoint, card
// terminal password). One key=value per line, '#' starts a comment, blanks
// around key and value are dropped. Never compiled in.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tl {

struct Config {
    std::map<std::string, std::string> values;
    // Keys the program does not know, in file order (reported once in the trace).
    std::vector<std::string> unknown_keys;
    // Lines that are neither a comment nor key=value.
    std::vector<std::string> bad_lines;

    std::string get(const std::string& key, const std::string& fallback = "") const;
    bool has(const std::string& key) const { return values.count(key) > 0; }
};

// Known keys are the exact names in `known`; a known prefix ends with '.'
// ("port.").
Config parse_config(const std::string& text, const std::vector<std::string>& known);
Config load_config(const std::string& path, const std::vector<std::string>& known);

// The keys tablinker reads.
const std::vector<std::string>& known_config_keys();

}  // namespace tl
