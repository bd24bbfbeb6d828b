#include "catalogue/catalogue.h"

#include <array>
#include <memory>
#include <string_view>

namespace tl {

namespace catalogue_data {
std::string_view de();
std::string_view fr();
std::string_view en();
std::string_view pt();
std::string_view nl();
std::string_view es();
}  // namespace catalogue_data

namespace {

struct Catalogue {
    std::array<std::string, kCatalogueSize + 1> resident;  // index 0 unused
    int current_language = 0;
    bool reload = false;
};

Catalogue& state() {
    static Catalogue c;
    return c;
}

// Assigns every entry the language's data defines; others stay as they are.
void load(std::string_view data, std::array<std::string, kCatalogueSize + 1>& table) {
    size_t pos = 0;
    while (pos < data.size()) {
        size_t end = data.find('\n', pos);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        int number = 0;
        for (char c : line.substr(0, tab)) number = c >= '0' && c <= '9' ? number * 10 + (c - '0') : -1000000;
        if (number < 1 || number > kCatalogueSize) continue;
        table[number] = std::string(line.substr(tab + 1));
    }
}

std::string_view data_of(int language) {
    switch (language) {
        case 1: return catalogue_data::de();
        case 2: return catalogue_data::fr();
        case 3: return catalogue_data::en();
        case 4: return catalogue_data::pt();
        case 5: return catalogue_data::nl();
        case 6: return catalogue_data::es();
        default: return {};
    }
}

}  // namespace

void set_catalogue_language(int language) {
    state().current_language = language;
    state().reload = true;
}

int catalogue_language() { return state().current_language; }

const std::string& catalogue_text(int number) {
    static const std::string empty;
    Catalogue& c = state();
    if (c.reload) {
        load(data_of(c.current_language), c.resident);
        c.reload = false;
    }
    if (number < 1 || number > kCatalogueSize) return empty;
    return c.resident[number];
}

}  // namespace tl

namespace tl {

std::string catalogue_entry(int language, int number) {
    auto table = std::make_unique<std::array<std::string, kCatalogueSize + 1>>();
    load(data_of(language), *table);
    if (number < 1 || number > kCatalogueSize) return {};
    return (*table)[number];
}

}  // namespace tl
