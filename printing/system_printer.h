// A document on an installed system printer (CUPS underneath QPrinter): the
// list of installed printers, one open document with its page metrics in
// device dots, text in a named font at a line's top edge, a bitmap
// stretched into a rectangle, new pages. The header is plain C++; texts are
// Windows-1252 bytes and become UTF-8 only inside.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tl {

// Names of the installed printers in the platform's order.
std::vector<std::string> installed_printer_names();

class SystemPrinterDocument {
public:
    SystemPrinterDocument();
    ~SystemPrinterDocument();
    SystemPrinterDocument(const SystemPrinterDocument&) = delete;
    SystemPrinterDocument& operator=(const SystemPrinterDocument&) = delete;

    // Begins a portrait document on printer `index` of installed_printer_names()
    // under the job title `name`. False when there is no such printer or the
    // printer refuses the document.
    bool begin(int index, const std::string& name);
    bool is_open() const;

    // Resolution and printable page height of the open document, in dots.
    int dpi_x() const;
    int dpi_y() const;
    int page_height() const;

    // Fixed-pitch font by name; the size is in points.
    void set_font(const std::string& name, int size_points, bool bold);
    // Draws the text with the top of its line at y.
    void draw_text(int x, int y, const std::string& text);
    // Loads the image file and draws it stretched into the rectangle. False
    // when the file is not a readable image.
    bool draw_image(const std::filesystem::path& file, int left, int top, int right, int bottom);
    void new_page();
    // Releases the pages to the printer.
    void end();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tl
