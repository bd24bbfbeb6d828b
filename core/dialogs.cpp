#include "dialogs.h"

#include <cstdio>

#include "win1252.h"

namespace tl {

void HeadlessDialogs::message(const std::string& text) {
    std::string utf8 = win1252_to_utf8(text);
    for (char& c : utf8)
        if (c == '\r') c = '\n';
    std::fprintf(stderr, "%s\n", utf8.c_str());
    std::fflush(stderr);
}

std::optional<std::string> HeadlessDialogs::input(const std::string&, const std::string&, const std::string& preset) {
    return preset;
}

bool HeadlessDialogs::confirm(const std::string& text, bool default_answer) {
    message(text);
    return default_answer;
}

std::optional<std::string> ScriptedDialogs::input(const std::string&, const std::string&, const std::string& preset) {
    if (inputs.empty()) return preset;
    auto v = inputs.front();
    inputs.pop_front();
    return v;
}

bool ScriptedDialogs::confirm(const std::string&, bool default_answer) {
    if (answers.empty()) return default_answer;
    bool v = answers.front();
    answers.pop_front();
    return v;
}

}  // namespace tl
