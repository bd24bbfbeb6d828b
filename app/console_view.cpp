#include "app/console_view.h"

#include <QCheckBox>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

#include "app/operations.h"
#include "app/qt_text.h"
#include "core/format.h"

namespace tl {

namespace {

constexpr const char* kNoTable = "Bitte zuerst Tisch anwählen!";

// Colour values of the login panel: normal and happy hour (orange).
const QColor kPanelNormal(0xCD, 0xC8, 0xA0);  // 10537421
const QColor kPanelHappy(0xFF, 0x80, 0x00);   // 33023

QLineEdit* entry(QGridLayout* grid, int row, const char* caption, QWidget* parent, QLabel** label_out = nullptr) {
    auto* label = new QLabel(to_qt(caption), parent);
    auto* edit = new QLineEdit(parent);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (label_out) *label_out = label;
    return edit;
}

QTableWidgetItem* cell(const std::string& text) {
    auto* item = new QTableWidgetItem(to_qt(text));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

ConsoleView::ConsoleView(Operations& ops, QWidget* window, QWidget* panel_parent, QTabWidget* pages, QWidget* receipt_page)
    : QObject(window), ops_(ops), pages_(pages), receipt_page_(receipt_page) {
    panel_ = new QWidget(panel_parent);
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(0, 0, 0, 0);
    build_login_panel(panel_);
    build_booking_panel(panel_);
    if (panel_parent->layout()) panel_parent->layout()->addWidget(panel_);
    build_receipt_page(receipt_page_);
    build_tables_page();
    build_payment_page();
    build_shortcuts(window);
    auto previous = ops_.ctx.hooks.changed;
    ops_.ctx.hooks.changed = [this, previous] {
        if (previous) previous();
        refresh();
    };
    refresh();
}

void ConsoleView::build_login_panel(QWidget* parent) {
    auto* box = new QWidget(parent);
    box->setAutoFillBackground(true);
    box->setObjectName(QStringLiteral("login_panel"));
    auto* grid = new QGridLayout(box);
    edit14_ = entry(grid, 0, "Bearbeiter", box);
    edit15_ = entry(grid, 1, "Passwort", box);
    edit15_->setEchoMode(QLineEdit::Password);
    edit16_ = entry(grid, 2, "Tisch-Nr", box, &table_label_);
    edit4_ = entry(grid, 3, "Beleg-Nr", box);
    edit3_ = entry(grid, 4, "Summe", box);
    edit17_ = entry(grid, 5, "Positionen", box);
    for (QLineEdit* e : {edit4_, edit3_, edit17_}) e->setReadOnly(true);
    happy_box_ = new QCheckBox(to_qt("Happy Hour"), box);
    grid->addWidget(happy_box_, 6, 0, 1, 2);
    connect(happy_box_, &QCheckBox::clicked, this, [this](bool on) { run([this, on] { ops_.booking.set_happy_hour(on); }); });
    for (QLineEdit* e : {edit14_, edit15_, edit16_}) e->installEventFilter(this);
    parent->layout()->addWidget(box);
}

void ConsoleView::build_booking_panel(QWidget* parent) {
    booking_panel_ = new QWidget(parent);
    auto* grid = new QGridLayout(booking_panel_);
    edit1_ = entry(grid, 0, "Artikel-Nr", booking_panel_);
    edit9_ = entry(grid, 1, "Menge", booking_panel_);
    edit5_ = entry(grid, 2, "Text", booking_panel_);
    edit2_ = entry(grid, 3, "Preis", booking_panel_);
    vat_label_ = new QLabel(booking_panel_);
    customer_label_ = new QLabel(booking_panel_);
    discount_label_ = new QLabel(booking_panel_);
    grid->addWidget(vat_label_, 4, 0, 1, 2);
    grid->addWidget(customer_label_, 5, 0, 1, 2);
    grid->addWidget(discount_label_, 6, 0, 1, 2);
    edit1_->installEventFilter(this);
    connect(edit1_, &QLineEdit::textEdited, this, [this] {
        take_fields();
        ops_.booking.article_changed();
        refresh();
    });
    // The action buttons are shown but never enabled: their operations are
    // reached through the keys (Enter, F5, F9, F10, F11, Del).
    auto* buttons = new QGridLayout();
    const char* captions[] = {"buchen", "Storno F5", "schliessen", "anzeigen", "Beleg", "Rechnung", "Bon", "Funktionen"};
    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(to_qt(captions[i]), booking_panel_);
        b->setEnabled(false);
        buttons->addWidget(b, i / 2, i % 2);
    }
    auto* logout = new QPushButton(to_qt("schließen"), booking_panel_);
    connect(logout, &QPushButton::clicked, this, [this] { run([this] { ops_.tables.console_logout(); }); });
    buttons->addWidget(logout, 4, 0, 1, 2);
    grid->addLayout(buttons, 7, 0, 1, 2);
    parent->layout()->addWidget(booking_panel_);
    static_cast<QVBoxLayout*>(parent->layout())->addStretch(1);
}

void ConsoleView::build_receipt_page(QWidget* page) {
    auto* layout = page->layout() ? static_cast<QVBoxLayout*>(page->layout()) : new QVBoxLayout(page);
    auto* top = new QHBoxLayout();
    top->addWidget(new QLabel(to_qt("Beleg-Nr"), page));
    edit18_ = new QLineEdit(page);
    top->addWidget(edit18_);
    auto* show = new QPushButton(to_qt("anzeigen"), page);
    connect(show, &QPushButton::clicked, this, [this] { run([this] { ops_.tables.show_receipt_number(); }); });
    top->addWidget(show);
    top->addWidget(new QLabel(to_qt("Summe"), page));
    edit19_ = new QLineEdit(page);
    edit19_->setReadOnly(true);
    top->addWidget(edit19_);
    layout->addLayout(top);
    receipt_grid_ = new QTableWidget(0, 8, page);
    QStringList headers;
    for (const char* t : {"Pos", "ST", "Artikel", "Bezeichnung", "EPreis", "Menge", "GPreis", "Küche"}) headers << to_qt(t);
    receipt_grid_->setHorizontalHeaderLabels(headers);
    receipt_grid_->verticalHeader()->hide();
    receipt_grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    receipt_grid_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    receipt_grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    receipt_grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(receipt_grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (refreshing_) return;
        ops_.ctx.fields.receipt_view_current = row;
        const auto& rows = ops_.ctx.fields.receipt_view;
        ktext_editor_->setPlainText(row >= 0 && row < static_cast<int>(rows.size()) ? to_qt(rows[row].ktext) : QString());
    });
    layout->addWidget(receipt_grid_, 1);
    ktext_editor_ = new QPlainTextEdit(page);
    ktext_editor_->setMaximumHeight(80);
    layout->addWidget(ktext_editor_);
    auto* save = new QPushButton(to_qt("Speichern"), page);
    connect(save, &QPushButton::clicked, this, [this] {
        const int row = ops_.ctx.fields.receipt_view_current;
        const auto& rows = ops_.ctx.fields.receipt_view;
        if (row < 0 || row >= static_cast<int>(rows.size())) return;
        const long long posi = rows[row].posi;
        std::string text = from_qt(ktext_editor_->toPlainText());
        std::string crlf;
        for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        run([this, posi, crlf] { ops_.tables.save_kitchen_comment(posi, crlf); });
    });
    layout->addWidget(save);
}

void ConsoleView::build_tables_page() {
    tables_page_ = new QWidget(pages_);
    auto* layout = new QVBoxLayout(tables_page_);
    auto* buttons = new QHBoxLayout();
    const char* captions[] = {"eigene", "belegt", "frei", "alle"};
    for (int kind = 0; kind < 4; ++kind) {
        auto* b = new QPushButton(to_qt(captions[kind]), tables_page_);
        connect(b, &QPushButton::clicked, this, [this, kind] { show_tables(kind); });
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    table_grid_ = new QTableWidget(0, 8, tables_page_);
    QStringList headers;
    for (const char* t : {"T-Nr", "ST", "Summe", "Text", "Kellner", "reserv", "Gast", "Rabatt"}) headers << to_qt(t);
    table_grid_->setHorizontalHeaderLabels(headers);
    table_grid_->verticalHeader()->hide();
    table_grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_grid_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    table_grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(table_grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const auto& rows = ops_.tables.shown_tables();
        if (row < 0 || row >= static_cast<int>(rows.size())) return;
        const long long t = rows[row].tischnr;
        run([this, t] { ops_.tables.table_double_click(t); });
    });
    layout->addWidget(table_grid_, 1);
    pages_->insertTab(1, tables_page_, to_qt("Tische"));
}

// The re-booking tab "Zahlart": balance per payment account of the receipt,
// source and target account, the three modes and "Umbuchung ausführen";
// below it "Beleg auf aktuellen Kellner".
void ConsoleView::build_payment_page() {
    payment_page_ = new QWidget(pages_);
    auto* layout = new QVBoxLayout(payment_page_);
    auto* grid = new QGridLayout();
    grid->addWidget(new QLabel(to_qt("Buchen von:"), payment_page_), 0, 1);
    grid->addWidget(new QLabel(to_qt("Buchen an:"), payment_page_), 0, 3);
    auto* sources = new QButtonGroup(payment_page_);
    auto* targets = new QButtonGroup(payment_page_);
    const char* accounts[] = {"Kasse", "Karte", "Zimmer", "Rechnung", "Sonder"};
    for (int i = 0; i < 5; ++i) {
        auto* source = new QRadioButton(to_qt(accounts[i]), payment_page_);
        auto* target = new QRadioButton(to_qt(accounts[i]), payment_page_);
        balance_fields_[i] = new QLineEdit(payment_page_);
        balance_fields_[i]->setReadOnly(true);
        sources->addButton(source, i);
        targets->addButton(target, i);
        source_buttons_[i] = source;
        target_buttons_[i] = target;
        grid->addWidget(source, i + 1, 1);
        grid->addWidget(balance_fields_[i], i + 1, 2);
        grid->addWidget(target, i + 1, 3);
    }
    layout->addLayout(grid);
    auto* modes = new QButtonGroup(payment_page_);
    auto* mode_row = new QHBoxLayout();
    const char* mode_captions[] = {"gesamter Beleg", "anderer Betrag:", "aktuelle Position"};
    for (int m = 0; m < 3; ++m) {
        auto* b = new QRadioButton(to_qt(mode_captions[m]), payment_page_);
        modes->addButton(b, m);
        mode_row->addWidget(b);
        if (m == 0) b->setChecked(true);
    }
    edit26_ = new QLineEdit(payment_page_);
    mode_row->addWidget(edit26_);
    layout->addLayout(mode_row);
    connect(modes, &QButtonGroup::idClicked, this, [this](int m) {
        rebook_mode_ = m;
        edit26_->clear();
    });
    auto* execute = new QPushButton(to_qt("Umbuchung ausführen"), payment_page_);
    connect(execute, &QPushButton::clicked, this, [this, sources, targets] {
        const int from = sources->checkedId();
        const int to = targets->checkedId();
        if (from < 0 || to < 0) return;
        const auto mode = static_cast<Settlement::RebookMode>(rebook_mode_);
        const std::string amount = from_qt(edit26_->text());
        const int row = ops_.ctx.fields.receipt_view_current;
        const auto& rows = ops_.ctx.fields.receipt_view;
        const long long posi = row >= 0 && row < static_cast<int>(rows.size()) ? rows[row].posi : 0;
        run([this, mode, from, to, amount, posi] {
            ops_.settlement.umbuchung(mode, Settlement::kAccounts[from], Settlement::kAccounts[to], amount, posi);
        });
        fill_balances();
    });
    layout->addWidget(execute);
    auto* waiter_box = new QGroupBox(to_qt("Beleg auf aktuellen Kellner"), payment_page_);
    auto* waiter_row = new QHBoxLayout(waiter_box);
    auto* to_waiter = new QPushButton(to_qt("buchen"), waiter_box);
    connect(to_waiter, &QPushButton::clicked, this, [this] { run([this] { ops_.settlement.receipt_to_current_waiter(); }); });
    waiter_row->addWidget(to_waiter);
    layout->addWidget(waiter_box);
    layout->addStretch(1);
    pages_->insertTab(2, payment_page_, to_qt("Zahlart"));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int) {
        if (pages_->currentWidget() == payment_page_) fill_balances();
    });
}

// Accounts with a positive balance can be the source; the last of them is
// chosen, as choosing one deselects the others.
void ConsoleView::fill_balances() {
    std::array<double, 5> balances{};
    try {
        balances = ops_.settlement.balances();
    } catch (const std::exception& e) {
        ops_.ctx.dialogs.message(e.what());
        return;
    }
    for (int i = 0; i < 5; ++i) {
        balance_fields_[i]->setText(to_qt(format_amount(balances[i])));
        auto* source = static_cast<QRadioButton*>(source_buttons_[i]);
        source->setEnabled(balances[i] > 0);
        if (balances[i] > 0) source->setChecked(true);
    }
}

void ConsoleView::build_shortcuts(QWidget* window) {
    auto add = [this, window](QKeySequence seq, std::function<void()> f) {
        auto* s = new QShortcut(seq, window);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, std::move(f));
    };
    for (int n = 1; n <= 4; ++n)
        add(QKeySequence(Qt::Key_F1 + n - 1), [this, n] { run([this, n] { ops_.booking.vat_key(n); }); });
    add(QKeySequence(Qt::Key_F6), [this] { run([this] { ops_.booking.lookup_key(); }); });
    add(QKeySequence(Qt::Key_F7), [this] { guard(); });
    add(QKeySequence(Qt::Key_F8), [this] { run([this] { ops_.tables.console_logout(); }); });
    add(QKeySequence(Qt::Key_F9), [this] { run([this] { ops_.settlement.rechnung(); }); });
    add(QKeySequence(Qt::Key_F10), [this] {
        if (guard()) run([this] { ops_.tables.close_receipt(); });
    });
    add(QKeySequence(Qt::Key_F11), [this] { run([this] { ops_.tables.show_tables(); }); });
    add(QKeySequence(Qt::Key_F12), [this] {
        if (guard()) run([this] { ops_.tables.kitchen_comment_page(); });
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_F8), [this] { run([this] { ops_.booking.clear_entries(); }); });
    add(QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
        if (guard()) run([this] { ops_.tables.guest_name(); });
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_X), [this] { run([this] { ops_.booking.toggle_happy_hour(); }); });
    for (auto k : {Qt::Key_T, Qt::Key_A, Qt::Key_R, Qt::Key_M}) add(QKeySequence(Qt::CTRL | k), [this] { guard(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_B), [this] {
        if (guard()) run([this] { ops_.settlement.print_selected_bill(); });
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_U), [this] {
        if (guard()) run([this] { ops_.settlement.print_selected_bill(); });
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_E), [this] { run([this] { ops_.settlement.rechnung_einzelpositionen(); }); });
    add(QKeySequence(Qt::Key_Delete), [this] {
        run([this] {
            ops_.ctx.dispatch.ebon_mode = false;
            ops_.kitchen.bon();
        });
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { printer_caption_ = to_qt(ops_.printer.toggle_printer_on()); });
    add(QKeySequence(Qt::CTRL | Qt::Key_F10), [this] { run([this] { ops_.printer.open_drawer(); }); });
}

void ConsoleView::apply_compact_layout() {
    QFont ten = panel_->font();
    ten.setPointSize(10);
    panel_->setFont(ten);
    if (panel_->parentWidget()) panel_->parentWidget()->setFixedWidth(200);
    QFont eight = discount_label_->font();
    eight.setPointSize(8);
    discount_label_->setFont(eight);
    pages_->setFont(eight);
    receipt_grid_->setFont(eight);
    table_grid_->setFont(eight);
}

bool ConsoleView::guard() {
    if (ops_.ctx.till.table_selected) return true;
    ops_.ctx.meldung(kNoTable);
    return false;
}

template <typename F>
void ConsoleView::run(F&& f) {
    take_fields();
    ops_.console(std::forward<F>(f));
    refresh();
}

void ConsoleView::take_fields() {
    auto& f = ops_.ctx.fields;
    f.Edit14 = from_qt(edit14_->text());
    f.Edit15 = from_qt(edit15_->text());
    f.Edit16 = from_qt(edit16_->text());
    f.Edit1 = from_qt(edit1_->text());
    f.Edit2 = from_qt(edit2_->text());
    f.Edit5 = from_qt(edit5_->text());
    f.Edit9 = from_qt(edit9_->text());
    f.Edit18 = from_qt(edit18_->text());
}

bool ConsoleView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && watched == edit1_) {
        take_fields();
        ops_.booking.article_key_released();
        refresh();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool escape = key == Qt::Key_Escape;
    if (watched == edit14_ && enter) run([this] { ops_.tables.waiter_enter(); });
    else if (watched == edit14_ && escape) run([this] { ops_.tables.waiter_escape(); });
    else if (watched == edit15_ && enter) run([this] { ops_.tables.login(); });
    else if (watched == edit15_ && escape) run([this] { ops_.tables.password_escape(); });
    else if (watched == edit16_ && enter) run([this] { ops_.tables.select_table(); });
    else if (watched == edit1_ && enter) run([this] { ops_.booking.article_enter(ArticleKey::enter); });
    else if (watched == edit1_ && key == Qt::Key_F5) run([this] { ops_.booking.article_enter(ArticleKey::f5); });
    else if (watched == edit1_ && key == Qt::Key_F6) run([this] { ops_.booking.article_enter(ArticleKey::f6); });
    else return false;
    return enter || escape;
}

void ConsoleView::show_tables(int kind) {
    run([this, kind] {
        ops_.tables.table_list(static_cast<TableList>(kind));
        ops_.ctx.fields.work_page = "Tische";
    });
}

void ConsoleView::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    const auto& f = ops_.ctx.fields;
    const auto& till = ops_.ctx.till;
    auto set = [](QLineEdit* e, const std::string& v) {
        const QString q = to_qt(v);
        if (e->text() != q) e->setText(q);
    };
    set(edit14_, f.Edit14);
    set(edit15_, f.Edit15);
    set(edit16_, f.Edit16);
    set(edit1_, f.Edit1);
    set(edit2_, f.Edit2);
    set(edit5_, f.Edit5);
    set(edit9_, f.Edit9);
    set(edit3_, f.Edit3);
    set(edit4_, f.Edit4);
    set(edit17_, f.Edit17);
    set(edit18_, f.Edit18);
    set(edit19_, f.Edit19);
    edit16_->setVisible(f.table_entry_visible || f.work_pages_visible);
    table_label_->setVisible(edit16_->isVisible());
    if (!f.table_caption.empty()) table_label_->setText(to_qt(f.table_caption));
    booking_panel_->setVisible(f.booking_panel_visible);
    // The booking list (Ctrl+L) may show the work pages before any login.
    const bool logbook = pages_->tabText(pages_->currentIndex()) == QStringLiteral("Logbuch");
    pages_->setVisible(f.work_pages_visible || (logbook && pages_->isVisible()));
    const bool emphasised = till.vat_class != "1";
    vat_label_->setText(to_qt("MwSt = " + format_amount(till.vat_rate) + " %"));
    vat_label_->setStyleSheet(emphasised ? QStringLiteral("font-weight: bold; font-size: 14pt; color: red") : QString());
    customer_label_->setText(to_qt(f.customer_caption));
    discount_label_->setText(to_qt(f.discount_caption));
    discount_label_->setVisible(!f.discount_caption.empty());
    happy_box_->setChecked(till.happy_hour);
    auto* login = panel_->findChild<QWidget*>(QStringLiteral("login_panel"));
    if (login) {
        QPalette p = login->palette();
        p.setColor(QPalette::Window, till.happy_hour ? kPanelHappy : kPanelNormal);
        login->setPalette(p);
    }
    fill_receipt_view();
    fill_table_list();
    if (f.work_page == "Tische") pages_->setCurrentWidget(tables_page_);
    if (f.work_page == "Beleg" || f.work_page == "Küche") pages_->setCurrentWidget(receipt_page_);
    if (f.work_page == "Küche") ktext_editor_->setFocus();
    refreshing_ = false;
}

void ConsoleView::fill_receipt_view() {
    const auto& rows = ops_.ctx.fields.receipt_view;
    receipt_grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& row = rows[r];
        const std::string values[] = {std::to_string(row.posi), row.status, row.artikelnummer, row.text,
                                      format_amount(row.epreis), format_amount(row.menge), format_amount(row.preis), row.kueche};
        for (int c = 0; c < 8; ++c) {
            auto* item = cell(values[c]);
            if (row.status == "U") item->setBackground(QColor(255, 255, 160));
            if (c == 7 && row.kueche == "F") item->setBackground(QColor(255, 200, 120));
            receipt_grid_->setItem(r, c, item);
        }
    }
    const int current = ops_.ctx.fields.receipt_view_current;
    if (current >= 0 && current < receipt_grid_->rowCount()) receipt_grid_->setCurrentCell(current, 0);
}

void ConsoleView::fill_table_list() {
    const auto& rows = ops_.tables.shown_tables();
    table_grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& t = rows[r];
        const std::string values[] = {std::to_string(t.tischnr), t.status, format_amount(t.summe), t.text,
                                      std::to_string(t.kellnernr), t.reserv, t.gastname, format_amount(t.rabatt)};
        for (int c = 0; c < 8; ++c) {
            auto* item = cell(values[c]);
            item->setBackground(t.status == "B" ? QColor(144, 238, 144) : QColor(Qt::white));
            if (c == 5 && !t.reserv.empty()) item->setBackground(QColor(Qt::yellow));
            table_grid_->setItem(r, c, item);
        }
    }
}

}  // namespace tl
