#include "app/qt_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

#include "app/qt_text.h"

namespace tl {

namespace {

// The till breaks message lines with CR; a box breaks them with LF.
QString box_text(const std::string& text) {
    QString t = to_qt(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

}  // namespace

void QtDialogs::message(const std::string& text) {
    QMessageBox::information(parent, parent ? parent->windowTitle() : QString(), box_text(text));
}

std::optional<std::string> QtDialogs::input(const std::string& title, const std::string& prompt,
                                            const std::string& preset) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, to_qt(title), to_qt(prompt), QLineEdit::Normal, to_qt(preset), &ok);
    if (!ok) return std::nullopt;
    return from_qt(answer);
}

bool QtDialogs::confirm(const std::string& text, bool default_answer) {
    const auto def = default_answer ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::question(parent, parent ? parent->windowTitle() : QString(), box_text(text),
                                 QMessageBox::Yes | QMessageBox::No, def) == QMessageBox::Yes;
}

}  // namespace tl
