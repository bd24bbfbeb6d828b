#include "app/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "app/console_view.h"
#include "app/operations.h"
#include "app/qt_text.h"
#include "app/server.h"

namespace tl {

namespace {

QLabel* label(const std::string& text, QWidget* parent) { return new QLabel(to_qt(text), parent); }

}  // namespace

MainWindow::MainWindow(Server& server, Operations* operations) : server_(server) {
    setWindowTitle(to_qt(server_.window_title()));
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    auto* console_panel = new QWidget(central);
    new QVBoxLayout(console_panel);
    console_panel->setFixedWidth(260);
    row->addWidget(console_panel);

    work_pages_ = new QTabWidget(central);
    receipt_page_ = new QWidget(work_pages_);
    work_pages_->addTab(receipt_page_, to_qt("Beleg"));
    logbook_page_ = new QWidget(work_pages_);
    auto* logbook_layout = new QVBoxLayout(logbook_page_);
    booking_grid_ = new QTableWidget(kBookingRows, 8, logbook_page_);
    const char* titles[] = {"Zeit", "Kellner", "Tisch", "Beleg", "Menge", "Artikel", "Text", "Preis"};
    const int widths[] = {60, 35, 35, 35, 35, 35, 150, 35};
    QStringList headers;
    for (const char* t : titles) headers << to_qt(t);
    booking_grid_->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < 8; ++c) booking_grid_->setColumnWidth(c, widths[c]);
    booking_grid_->verticalHeader()->hide();
    booking_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    logbook_layout->addWidget(booking_grid_);
    work_pages_->addTab(logbook_page_, to_qt("Logbuch"));
    work_pages_->hide();
    row->addWidget(work_pages_, 1);

    status_area_ = new QWidget(central);
    auto* status = new QVBoxLayout(status_area_);
    title_label_ = label(server_.title_label(), status_area_);
    QFont bold = title_label_->font();
    bold.setBold(true);
    title_label_->setFont(bold);
    title_label_->setWordWrap(true);
    status->addWidget(title_label_);
    status->addWidget(label("IP-Adresse Server:", status_area_));
    ip_label_ = label("", status_area_);
    QFont big = ip_label_->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    ip_label_->setFont(big);
    status->addWidget(ip_label_);
    status->addWidget(label("(wird am Mobilgerät eingegeben)", status_area_));
    tse_label_ = label("TSE ist aktiv", status_area_);
    tse_label_->setStyleSheet(QStringLiteral("color: green; font-weight: bold"));
    tse_label_->hide();
    status->addWidget(tse_label_);

    status_pages_ = new QTabWidget(status_area_);
    auto* trace_page = new QWidget(status_pages_);
    auto* trace_layout = new QVBoxLayout(trace_page);
    trace_list_ = new QListWidget(trace_page);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    trace_list_->setFont(courier);
    trace_layout->addWidget(trace_list_, 1);
    help_memo_ = new QPlainTextEdit(trace_page);
    help_memo_->setReadOnly(true);
    help_memo_->setFont(courier);
    help_memo_->hide();
    trace_layout->addWidget(help_memo_, 1);
    info_memo_ = new QTextEdit(trace_page);
    info_memo_->setReadOnly(true);
    info_memo_->hide();
    trace_layout->addWidget(info_memo_);
    auto* buttons = new QHBoxLayout;
    auto* clear = new QPushButton(to_qt("clear"), trace_page);
    trace_switch_ = new QCheckBox(to_qt("Trace"), trace_page);
    logfile_switch_ = new QCheckBox(to_qt("Logfile"), trace_page);
    buttons->addWidget(clear);
    buttons->addWidget(trace_switch_);
    buttons->addWidget(logfile_switch_);
    buttons->addStretch(1);
    trace_layout->addLayout(buttons);
    status_pages_->addTab(trace_page, to_qt("Trace"));
    status->addWidget(status_pages_, 1);
    status_area_->setFixedWidth(560);
    row->addWidget(status_area_, 0, Qt::AlignRight);
    setCentralWidget(central);

    connect(clear, &QPushButton::clicked, this, [this] {
        server_.trace().clear();
        trace_list_->clear();
    });
    connect(trace_switch_, &QCheckBox::toggled, this, [this](bool on) { server_.trace_switch = on; });
    connect(logfile_switch_, &QCheckBox::toggled, this, [this](bool on) { server_.logfile_switch = on; });

    help_action_ = menuBar()->addAction(QString());
    help_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    help_action_->setShortcutContext(Qt::ApplicationShortcut);
    connect(help_action_, &QAction::triggered, this, [this] { toggle_help(); });
    auto* logbook_action = new QAction(this);
    logbook_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    logbook_action->setShortcutContext(Qt::ApplicationShortcut);
    connect(logbook_action, &QAction::triggered, this, [this] { toggle_logbook(); });
    addAction(logbook_action);

    server_.trace().add_listener([this](const std::string&) { sync_trace(); });
    server_.bookings().add_listener([this] { refresh_bookings(); });

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, [this] { server_.tick_job_queue(); });
    timer1_->start();
    service_timer_ = new QTimer(this);
    service_timer_->setInterval(1000);
    connect(service_timer_, &QTimer::timeout, this, [this] { server_.tick_service_results(); });
    service_timer_->start();

    if (operations) console_ = new ConsoleView(*operations, this, console_panel, work_pages_, receipt_page_);
    resize(1300, 760);
}

void MainWindow::apply_start() {
    setWindowTitle(to_qt(server_.window_title()));
    title_label_->setText(to_qt(server_.title_label()));
    ip_label_->setText(to_qt(server_.ip_address()));
    tse_label_->setVisible(server_.tse_active());
    status_pages_->setCurrentIndex(0);
    info_memo_->clear();
    for (const auto& line : server_.info_lines())
        info_memo_->append(QStringLiteral("<span style=\"color:green\">%1</span>").arg(to_qt(line).toHtmlEscaped()));
    sync_trace();
    refresh_bookings();
    apply_station_load(server_.last_station_load());
}

void MainWindow::apply_station_load(const StationLoad& load) {
    if (!load.captions_set) return;
    help_action_->setText(to_qt(load.captions.help_menu));
    QStringList help;
    for (const auto& l : load.captions.help_lines) help << to_qt(l);
    help_memo_->setPlainText(help.join(QLatin1Char('\n')));
    if (server_.settings().compact_layout) {
        resize(800, 600);
        status_area_->setFixedWidth(330);
        if (console_) console_->apply_compact_layout();
    }
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && server_.running() && !ended_)
        apply_station_load(server_.reload_station_settings());
    return QMainWindow::event(e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!ended_) {
        ended_ = true;
        timer1_->stop();
        service_timer_->stop();
        server_.finish();
    }
    e->accept();
}

void MainWindow::sync_trace() {
    const auto& lines = server_.trace().lines();
    if (static_cast<size_t>(trace_list_->count()) + 1 == lines.size()) {
        trace_list_->insertItem(0, to_qt(lines.front()));
        return;
    }
    trace_list_->clear();
    for (const auto& l : lines) trace_list_->addItem(to_qt(l));
}

void MainWindow::refresh_bookings() {
    const auto& entries = server_.bookings().entries();
    for (int r = 0; r < kBookingRows; ++r) {
        const BookingEntry* e = r < static_cast<int>(entries.size()) ? &entries[r] : nullptr;
        const std::string cells[] = {
            e ? e->time : "", e ? e->waiter : "", e ? e->table : "", e ? e->receipt : "",
            e ? e->quantity : "", e ? e->article : "", e ? e->text : "", e ? e->price : "",
        };
        for (int c = 0; c < 8; ++c) booking_grid_->setItem(r, c, new QTableWidgetItem(to_qt(cells[c])));
    }
}

void MainWindow::toggle_help() {
    help_memo_->setVisible(!help_memo_->isVisible());
    if (help_memo_->isVisible()) help_memo_->raise();
}

void MainWindow::toggle_logbook() {
    if (work_pages_->isVisible() && work_pages_->currentWidget() == logbook_page_) {
        work_pages_->setCurrentWidget(receipt_page_);
        return;
    }
    work_pages_->show();
    work_pages_->setCurrentWidget(logbook_page_);
}

}  // namespace tl
