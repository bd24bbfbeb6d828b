// The system printer document over QPrinter, QPrinterInfo and QPainter.
#include "printing/system_printer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/win1252.h"

namespace tl {

namespace {

QString to_qt(const std::string& text) { return QString::fromStdString(win1252_to_utf8(text)); }

}  // namespace

std::vector<std::string> installed_printer_names() {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        names.push_back(utf8_to_win1252(name.toStdString()));
    }
    return names;
}

struct SystemPrinterDocument::Impl {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter;
};

SystemPrinterDocument::SystemPrinterDocument() : impl_(std::make_unique<Impl>()) {}

SystemPrinterDocument::~SystemPrinterDocument() { end(); }

bool SystemPrinterDocument::begin(int index, const std::string& name) {
    end();
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (index < 0 || index >= names.size()) return false;
    const QPrinterInfo info = QPrinterInfo::printerInfo(names[index]);
    if (info.isNull()) return false;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setDocName(to_qt(name));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get())) return false;
    QFont font;
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    painter->setFont(font);
    impl_->printer = std::move(printer);
    impl_->painter = std::move(painter);
    return true;
}

bool SystemPrinterDocument::is_open() const { return impl_->painter != nullptr; }

int SystemPrinterDocument::dpi_x() const { return is_open() ? impl_->printer->logicalDpiX() : 0; }

int SystemPrinterDocument::dpi_y() const { return is_open() ? impl_->printer->logicalDpiY() : 0; }

int SystemPrinterDocument::page_height() const { return is_open() ? impl_->printer->height() : 0; }

void SystemPrinterDocument::set_font(const std::string& name, int size_points, bool bold) {
    if (!is_open()) return;
    QFont font(to_qt(name));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (size_points > 0) font.setPointSize(size_points);
    font.setBold(bold);
    impl_->painter->setFont(font);
}

void SystemPrinterDocument::draw_text(int x, int y, const std::string& text) {
    if (!is_open()) return;
    QPainter& p = *impl_->painter;
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), to_qt(text));
}

bool SystemPrinterDocument::draw_image(const std::filesystem::path& file, int left, int top, int right, int bottom) {
    if (!is_open()) return false;
    QImage image;
    if (!image.load(QString::fromStdString(file.string()))) return false;
    impl_->painter->drawImage(QRect(left, top, right - left, bottom - top), image);
    return true;
}

void SystemPrinterDocument::new_page() {
    if (is_open()) impl_->printer->newPage();
}

void SystemPrinterDocument::end() {
    if (!is_open()) return;
    impl_->painter->end();
    impl_->painter.reset();
    impl_->printer.reset();
}

}  // namespace tl
