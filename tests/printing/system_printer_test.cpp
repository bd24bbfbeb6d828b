// The system printer end to end: a document goes through QPrinter to the
// CUPS queue "PDF" of cups-pdf; the PDF it writes is read back with
// pdftotext (lines, words and their positions) and pdfimages (the logo).
//
// cups-pdf turns the job into PostScript and back into PDF with
// Ghostscript; on that round trip the subset fonts lose their character
// names, so pdftotext finds the words of each line but cannot tell their
// letters. The tests therefore read back the layout (pages, lines, words,
// positions), which is what this printer decides, not the letters.
#include <pwd.h>
#include <unistd.h>

#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <thread>

#include "printing/printer.h"
#include "tests/printing/printer_fixture.h"

namespace tltest {
namespace {

std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    ::pclose(pipe);
    return out;
}

// Where cups-pdf puts its files: "Out" of cups-pdf.conf, ${HOME} being the
// home of the job's user.
fs::path cups_pdf_output_dir() {
    std::string out = "${HOME}/PDF";
    std::ifstream conf("/etc/cups/cups-pdf.conf");
    std::string line;
    while (std::getline(conf, line)) {
        if (line.rfind("Out ", 0) == 0) out = line.substr(4);
    }
    const passwd* pw = ::getpwuid(::getuid());
    const std::string home = pw ? pw->pw_dir : "/root";
    const auto pos = out.find("${HOME}");
    if (pos != std::string::npos) out.replace(pos, 7, home);
    return out;
}

// The PDF that cups-pdf wrote for the job titled `name`, once it is whole.
fs::path wait_for_pdf(const std::string& name) {
    const fs::path dir = cups_pdf_output_dir();
    for (int i = 0; i < 600; ++i) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            const std::string file = entry.path().filename().string();
            if (file.rfind(name, 0) != 0 || entry.path().extension() != ".pdf") continue;
            if (run("pdfinfo '" + entry.path().string() + "' >/dev/null 2>&1 && echo ok") == "ok\n")
                return entry.path();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

struct Word {
    std::string text;
    double y_min;
};
using Page = std::vector<Word>;

std::vector<Page> words_by_page(const fs::path& pdf) {
    const std::string xml = run("pdftotext -bbox '" + pdf.string() + "' -");
    std::vector<Page> pages;
    static const std::regex token(R"re(<page |<word xMin="[^"]*" yMin="([^"]*)"[^>]*>([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), token); it != std::sregex_iterator(); ++it) {
        if ((*it)[0].str() == "<page ") {
            pages.emplace_back();
            continue;
        }
        if (!pages.empty()) pages.back().push_back({(*it)[2].str(), std::stod((*it)[1].str())});
    }
    return pages;
}

class SystemPrinterTest : public PrinterTest {
protected:
    static void SetUpTestSuite() {
        const int rc = std::system(("bash '" TL_PRINTING_TEST_DIR "/cups_pdf_queue.sh'"));
        ready_ = rc == 0;
    }
    void SetUp() override {
        if (!ready_) GTEST_SKIP() << "CUPS cannot run on this machine (see cups_pdf_queue.sh above)";
        PrinterTest::SetUp();
        insert_profile({.anschluss = "PDF", .size = 10, .height = 4, .lrbon = 2});
        printer->lade_drucker(1, 1);
        const QPrinter probe(QPrinterInfo::printerInfo("PDF"), QPrinter::HighResolution);
        dpi_ = probe.resolution();
    }
    // A job title of this test process alone.
    std::string job_title(const std::string& what) const {
        return "tablinker" + what + std::to_string(::getpid());
    }
    double points(int dots) const { return dots * 72.0 / dpi_; }

    static inline bool ready_ = false;
    int dpi_ = 0;
};

TEST_F(SystemPrinterTest, DocumentOnTheCupsQueueReadsBack) {
    const auto names = tl::installed_printer_names();
    const auto it = std::find(names.begin(), names.end(), "PDF");
    ASSERT_NE(it, names.end());
    EXPECT_TRUE(settings.use_system_printer);
    EXPECT_EQ(settings.system_printer_index, it - names.begin());

    printer->document_name = job_title("text");
    printer->use_font('p');
    printer->drucke("Gasthaus Zur Linde");
    printer->drucke("Grüße aus der Küche");
    EXPECT_TRUE(printer->document_open());
    EXPECT_EQ(printer->margin_prefix, "  ");
    EXPECT_EQ(printer->dots_per_mm_y, std::lround(dpi_ / 25.4));
    printer->end_print_document();
    EXPECT_FALSE(printer->document_open());

    const fs::path pdf = wait_for_pdf(printer->document_name);
    ASSERT_FALSE(pdf.empty()) << "cups-pdf wrote nothing into " << cups_pdf_output_dir();
    const auto pages = words_by_page(pdf);
    ASSERT_EQ(pages.size(), 1u);
    // "Gasthaus" "Zur" "Linde" on the first line, "Grüße" "aus" "der"
    // "Küche" one line height below.
    ASSERT_EQ(pages[0].size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_FALSE(pages[0][i].text.empty()) << i;
        const int row = i < 3 ? 0 : 1;
        EXPECT_NEAR(pages[0][i].y_min - pages[0][0].y_min, points(row * printer->line_height_dots), 0.5) << i;
    }
    if (!HasFailure()) fs::remove(pdf);
}

TEST_F(SystemPrinterTest, PageBreakAtTheBottomLimitAndLogoSpace) {
    printer->document_name = job_title("pages");
    printer->use_font('p');
    printer->drucke("Zeile1");
    const int d = printer->dots_per_mm_y;
    const int line = printer->line_height_dots;
    const int limit = printer->page_height_dots - 10 * d;
    ASSERT_EQ(line, 4 * d);
    // The line whose advance reaches the limit is the last one on the page.
    int last_on_page = 1;
    while (last_on_page * line < limit) ++last_on_page;
    for (int n = 2; n <= last_on_page; ++n) {
        EXPECT_EQ(printer->print_y, (n - 1) * line);
        printer->drucke("Zeile" + std::to_string(n));
    }
    EXPECT_EQ(printer->print_y, d);
    printer->drucke("Zeile" + std::to_string(last_on_page + 1));
    printer->end_print_document();

    QImage logo(60, 30, QImage::Format_RGB32);
    logo.fill(Qt::black);
    ASSERT_TRUE(logo.save(QString::fromStdString((dir / "logo.bmp").string()), "BMP"));
    printer->document_name = job_title("logo");
    printer->print_logo = true;
    settings.logolehr = "3";
    printer->drucke("Logozeile");
    EXPECT_EQ(printer->print_y, 4 * line);
    printer->end_print_document();

    const fs::path pages_pdf = wait_for_pdf(job_title("pages"));
    const fs::path logo_pdf = wait_for_pdf(job_title("logo"));
    ASSERT_FALSE(pages_pdf.empty());
    ASSERT_FALSE(logo_pdf.empty());

    // One word per line: page 1 holds lines 1..last_on_page, page 2 the
    // next line, 1 mm below the top where line 1 stood at the top edge.
    const auto pages = words_by_page(pages_pdf);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].size(), static_cast<std::size_t>(last_on_page));
    ASSERT_EQ(pages[1].size(), 1u);
    const double top = pages[0][0].y_min;
    for (int n = 1; n < last_on_page; ++n) EXPECT_NEAR(pages[0][n].y_min - top, points(n * line), 0.5) << n;
    EXPECT_NEAR(pages[1][0].y_min - top, points(d), 0.5);

    const auto logo_pages = words_by_page(logo_pdf);
    ASSERT_EQ(logo_pages.size(), 1u);
    ASSERT_EQ(logo_pages[0].size(), 1u);
    EXPECT_NEAR(logo_pages[0][0].y_min - top, points(3 * line), 0.5);
    const std::string images = run("pdfimages -list '" + logo_pdf.string() + "'");
    EXPECT_NE(images.find("\n   1 "), std::string::npos) << images;
    if (HasFailure()) return;
    fs::remove(pages_pdf);
    fs::remove(logo_pdf);
}

TEST_F(SystemPrinterTest, FontSizeNoNumberAbandonsTheOpenDocument) {
    printer->document_name = job_title("abandoned");
    printer->use_font('p');
    printer->drucke("halber Beleg");
    ASSERT_TRUE(printer->document_open());
    settings.sgrok = "";
    EXPECT_THROW(printer->use_font('k'), tl::PrintError);
    EXPECT_FALSE(printer->document_open());
    // What was drawn before the error is released on its own, like the
    // lines a port printer has already printed.
    const fs::path pdf = wait_for_pdf(printer->document_name);
    ASSERT_FALSE(pdf.empty());
    const auto pages = words_by_page(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].size(), 2u);
    if (!HasFailure()) fs::remove(pdf);
}

}  // namespace
}  // namespace tltest
