// tablinker: the store server. One instance per user session (a second copy
// ends at once, silently, with code 0); the working directory is the till
// directory. Without a display, or with QT_QPA_PLATFORM=offscreen, it runs
// headless: message boxes go to standard error without waiting, every trace
// line goes to standard output. SIGTERM and SIGINT close the window, so the
// end steps run as when the operator closes it.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "app/operations.h"
#include "app/qt_dialogs.h"
#include "app/server.h"
#include "core/win1252.h"

namespace {

int signal_pipe[2] = {-1, -1};

void on_signal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signal_pipe[1], &c, 1);
}

void install_signal_handlers() {
    struct sigaction sa = {};
    sa.sa_handler = on_signal;
    ::sigemptyset(&sa.sa_mask);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
}

bool has_display() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

void print_trace_line(const std::string& line) {
    const std::string utf8 = tl::win1252_to_utf8(line);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const auto lock = tl::InstanceLock::acquire(tl::instance_lock_path());
    if (!lock) return 0;

    if (!has_display() && !std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const QString platform = QGuiApplication::platformName();
    const bool headless = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");

    tl::HeadlessDialogs headless_dialogs;
    tl::QtDialogs window_dialogs;
    tl::Dialogs& dialogs = headless ? static_cast<tl::Dialogs&>(headless_dialogs) : window_dialogs;
    const tl::SystemClock clock;
    tl::Server server(std::filesystem::current_path(), clock, dialogs);
    if (headless) server.trace().add_listener(print_trace_line);

    tl::Operations operations(server);
    tl::MainWindow window(server, &operations);
    window_dialogs.parent = &window;

    if (::pipe2(signal_pipe, O_CLOEXEC) == 0) {
        install_signal_handlers();
        auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&] {
            char buf[16];
            [[maybe_unused]] const auto n = ::read(signal_pipe[0], buf, sizeof buf);
            window.close();
            QApplication::quit();
        });
    }

    // The Firebird client sets its own SIGINT/SIGTERM handlers when it
    // attaches, which shut the attachment down at once; ours take over again
    // so that the end steps can still write the log book.
    if (signal_pipe[0] >= 0) server.connected = install_signal_handlers;

    const tl::Server::StartResult started = server.start();
    if (started.ended) return started.exit_code;
    window.apply_start();
    window.show();
    const int rc = app.exec();
    // Everything the run wrote is committed by now (the end steps commit
    // their log-book row). Under the X11 platform the embedded engine's
    // detach at this point has been seen to spin forever in its
    // shared-memory cleanup, so the process ends without detaching; the
    // lock manager of the other processes on the file clears the dead
    // attachment.
    std::fflush(nullptr);
    std::_Exit(rc);
}
