// The console part of the window: the login panel (waiter, password, table,
// receipt number, sum, positions, "Happy Hour"), the booking panel (article
// number, quantity, text, price, VAT, customer, discount), the action
// buttons, the work pages "Beleg" (receipt view with its kitchen-comment
// editor) and "Tische" (table lists), and the console keys. It forwards
// keys and buttons to the operations and renders the console records after
// every change; it holds no till state of its own.
#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace tl {

class Operations;

class ConsoleView final : public QObject {

public:
    // Builds the panels into `panel_parent` and the pages into `pages`;
    // the shortcuts belong to `window`.
    ConsoleView(Operations& ops, QWidget* window, QWidget* panel_parent, QTabWidget* pages, QWidget* receipt_page);

    // Re-reads every console record into the widgets.
    void refresh();
    // The 800 x 600 layout of the station switch: entry fields, labels and
    // buttons at font size 10, the discount label at 8, the work pages and
    // the grids at 8, narrower panels.
    void apply_compact_layout();
    // The menu caption of the printer switch after Ctrl+D.
    QString printer_caption() const { return printer_caption_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_login_panel(QWidget* parent);
    void build_booking_panel(QWidget* parent);
    void build_receipt_page(QWidget* page);
    void build_tables_page();
    void build_payment_page();
    void fill_balances();
    void build_shortcuts(QWidget* window);
    // Runs a console operation as one unit of work after the entry fields
    // were taken into the records.
    template <typename F>
    void run(F&& f);
    void take_fields();
    void show_tables(int kind);
    void fill_receipt_view();
    void fill_table_list();
    bool guard();

    Operations& ops_;
    QWidget* panel_ = nullptr;
    QWidget* booking_panel_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QWidget* receipt_page_ = nullptr;
    QWidget* tables_page_ = nullptr;
    QLineEdit *edit14_ = nullptr, *edit15_ = nullptr, *edit16_ = nullptr;
    QLineEdit *edit1_ = nullptr, *edit2_ = nullptr, *edit5_ = nullptr, *edit9_ = nullptr;
    QLineEdit *edit3_ = nullptr, *edit4_ = nullptr, *edit17_ = nullptr, *edit18_ = nullptr, *edit19_ = nullptr;
    QLabel *table_label_ = nullptr, *vat_label_ = nullptr, *customer_label_ = nullptr, *discount_label_ = nullptr;
    QCheckBox* happy_box_ = nullptr;
    QTableWidget* receipt_grid_ = nullptr;
    QTableWidget* table_grid_ = nullptr;
    QPlainTextEdit* ktext_editor_ = nullptr;
    QWidget* payment_page_ = nullptr;
    QLineEdit* balance_fields_[5] = {};  // Edit27 .. Edit31
    QWidget* source_buttons_[5] = {};
    QWidget* target_buttons_[5] = {};
    QLineEdit* edit26_ = nullptr;
    int rebook_mode_ = 0;
    QString printer_caption_;
    bool refreshing_ = false;
};

}  // namespace tl
