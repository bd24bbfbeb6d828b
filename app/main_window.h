// The server window: the status area (title, IP address, "TSE ist aktiv",
// the page "Trace" with the trace list, "clear", the switches "Trace" and
// "Logfile", the help memo and the information memo) and the work page
// "Logbuch" with the booking list. A thin view over the Server: it renders
// the records and forwards the timers, the activation (station settings
// are loaded again) and the close (the end steps).
#pragma once

#include <QMainWindow>

namespace tl {
class ConsoleView;
class Operations;
class Server;
struct StationLoad;
}

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;
class QTabWidget;
class QTextEdit;
class QTimer;

namespace tl {

class MainWindow final : public QMainWindow {
public:
    // Without operations the window shows the status area only.
    explicit MainWindow(Server& server, Operations* operations = nullptr);

    // Shows what the start-up set: title, labels, the information memo and
    // the captions of the first station load.
    void apply_start();
    void apply_station_load(const StationLoad& load);

    static constexpr int kBookingRows = 30;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void sync_trace();
    void refresh_bookings();
    void toggle_help();
    void toggle_logbook();

    Server& server_;
    ConsoleView* console_ = nullptr;
    QLabel* title_label_ = nullptr;
    QLabel* ip_label_ = nullptr;
    QLabel* tse_label_ = nullptr;
    QWidget* status_area_ = nullptr;
    QTabWidget* status_pages_ = nullptr;
    QListWidget* trace_list_ = nullptr;
    QCheckBox* trace_switch_ = nullptr;
    QCheckBox* logfile_switch_ = nullptr;
    QPlainTextEdit* help_memo_ = nullptr;
    QTextEdit* info_memo_ = nullptr;
    QTabWidget* work_pages_ = nullptr;
    QWidget* receipt_page_ = nullptr;
    QWidget* logbook_page_ = nullptr;
    QTableWidget* booking_grid_ = nullptr;
    QAction* help_action_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* service_timer_ = nullptr;
    bool ended_ = false;
};

}  // namespace tl
