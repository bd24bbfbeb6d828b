// The text catalogue: captions, messages and printed labels by number
// (1..1271) in six languages (1 German, 2 French, 3 English, 4 Portuguese,
// 5 Dutch, 6 Spanish). One language is resident at a time; its table is
// loaded lazily, on the first lookup after the language was set. Before a
// language is set every text is empty. Texts are Windows-1252 bytes.
#pragma once

#include <string>

namespace tl {

constexpr int kCatalogueSize = 1271;

void set_catalogue_language(int language);
int catalogue_language();
// Entry `number` of the resident table; empty outside 1..1271.
const std::string& catalogue_text(int number);
// Entry `number` as the data of `language` defines it (empty when it does
// not), without touching the resident table.
std::string catalogue_entry(int language, int number);

}  // namespace tl
