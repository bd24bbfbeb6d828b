// Dialogs of a run with a display: modal message boxes and input boxes over
// the main window.
#pragma once

#include "core/dialogs.h"

class QWidget;

namespace tl {

class QtDialogs final : public Dialogs {
public:
    // The window the boxes belong to; none before it exists.
    QWidget* parent = nullptr;

    void message(const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& preset) override;
    bool confirm(const std::string& text, bool default_answer) override;
};

}  // namespace tl
