// Everything that asks the user goes through Dialogs: the window shows modal
// boxes, tests script the answers, and a headless run writes the message to
// standard error and takes the default answer instead of blocking.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tl {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Texts are Windows-1252 bytes.
    virtual void message(const std::string& text) = 0;
    // nullopt when the box is cancelled.
    virtual std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                             const std::string& preset) = 0;
    virtual bool confirm(const std::string& text, bool default_answer) = 0;
    // A message that must not hold up the caller (the job queue goes on while
    // it is shown). By default it is an ordinary message.
    virtual void notify(const std::string& text) { message(text); }
};

// Writes messages to standard error in UTF-8; inputs keep their preset,
// questions take their default answer.
class HeadlessDialogs final : public Dialogs {
public:
    void message(const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& preset) override;
    bool confirm(const std::string& text, bool default_answer) override;
};

// Records every message and answers inputs from a queue (preset when empty).
class ScriptedDialogs final : public Dialogs {
public:
    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> inputs;
    std::deque<bool> answers;

    void message(const std::string& text) override { messages.push_back(text); }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string& preset) override;
    bool confirm(const std::string&, bool default_answer) override;
};

}  // namespace tl
