// Printer profiles, line output on ports, the serial lines, the end codes
// and the small device functions.
#include "printing/printer.h"

#include <sys/stat.h>

#include <vector>

#include "tests/printing/printer_fixture.h"

namespace tltest {
namespace {

TEST(Umlaut, MapsToCodePage437AndKeepsEverythingElse) {
    struct Case {
        std::string in, out;
    };
    const std::vector<Case> cases = {
        {"ä", "\x84"}, {"ü", "\x81"}, {"ö", "\x94"}, {"Ä", "\x8E"}, {"Ü", "\x9A"},
        {"Ö", "\x99"}, {"ß", "\xE1"}, {"é", "\x82"}, {"è", "\x8A"}, {"ê", "\x88"},
        {"Grüße, 3,50 €", "Gr\x81\xE1" "e, 3,50 \x80"},
        {std::string("A\x00\x1B p", 5), std::string("A\x00\x1B p", 5)},
    };
    for (const auto& c : cases) EXPECT_EQ(tl::umlaut(c.in), c.out) << c.in;
}

TEST(PrintNumber, AcceptsDecimalTextOnly) {
    EXPECT_EQ(tl::print_number("10"), 10);
    EXPECT_EQ(tl::print_number(" 4"), 4);
    for (const char* bad : {"", "abc", "10,5", "4mm"}) {
        try {
            tl::print_number(bad);
            ADD_FAILURE() << bad;
        } catch (const tl::PrintError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(bad) + "' ist kein gültiger Integerwert");
        }
    }
}

TEST_F(PrinterTest, LadeDruckerCopiesTheProfileAndSwitchesDtrRtsOff) {
    insert_profile({.pc = 2, .nr = 4, .anschluss = "com2", .baudrate = "19200", .paritaet = "even", .datenbits = 7,
                    .stopbits = 2, .font = "Lucida", .size = 12, .height = 5, .lrbeleg = 3, .lrbon = 2, .blattb = 150,
                    .logob = 320, .logoh = 160, .logolehr = 9, .qrcode = "1"});
    settings.serial_set_dtr = true;
    settings.serial_set_rts = true;
    printer->lade_drucker(2, 4);
    EXPECT_EQ(settings.printer_port, "com2");
    EXPECT_FALSE(settings.use_system_printer);
    EXPECT_EQ(settings.serial_baud, "19200");
    EXPECT_EQ(settings.serial_parity, "even");
    EXPECT_EQ(settings.serial_data_bits, "7");
    EXPECT_EQ(settings.serial_stop_bits, "2");
    EXPECT_FALSE(settings.serial_set_dtr);
    EXPECT_FALSE(settings.serial_set_rts);
    for (const std::string* name : {&settings.sartk, &settings.sartp, &settings.sartb, &settings.sart4})
        EXPECT_EQ(*name, "Lucida");
    for (const std::string* size : {&settings.sgrok, &settings.sgrop, &settings.sgrob, &settings.sgro4})
        EXPECT_EQ(*size, "12");
    for (const std::string* height : {&settings.zhoek, &settings.zhoep, &settings.zhoeb, &settings.shoe4})
        EXPECT_EQ(*height, "5");
    EXPECT_EQ(settings.lrbeleg, "3");
    EXPECT_EQ(settings.lrbon, 2);
    EXPECT_EQ(settings.blattb, 150);
    EXPECT_EQ(settings.logob, "320");
    EXPECT_EQ(settings.logoh, "160");
    EXPECT_EQ(settings.logolehr, "9");
    EXPECT_TRUE(settings.print_fiscal_qr);
}

TEST_F(PrinterTest, AnschlussSelectsPortOrSystemPrinterCaseSensitively) {
    struct Case {
        std::string anschluss;
        bool system_printer;
    };
    const std::vector<Case> cases = {
        {"lpt1", false}, {"com2", false}, {"COM1", true}, {"LPT1", true},
        {"Com1", true},  {"Kueche", true}, {"", true},
    };
    int nr = 1;
    for (const auto& c : cases) {
        insert_profile({.nr = nr, .anschluss = c.anschluss});
        settings.system_printer_index = 3;
        printer->lade_drucker(1, nr++);
        EXPECT_EQ(settings.printer_port, c.anschluss);
        EXPECT_EQ(settings.use_system_printer, c.system_printer) << c.anschluss;
        // No installed printer carries these names: the first one is taken.
        EXPECT_EQ(settings.system_printer_index, c.system_printer ? 0 : 3) << c.anschluss;
    }
}

TEST_F(PrinterTest, MissingProfileKeepsTheSettingsInForce) {
    insert_profile({.nr = 1, .anschluss = "com1", .baudrate = "4800"});
    printer->lade_drucker(1, 1);
    const tl::StationSettings before = settings;
    printer->lade_drucker(1, 9);
    printer->lade_drucker(7, 1);
    EXPECT_EQ(settings.printer_port, before.printer_port);
    EXPECT_EQ(settings.serial_baud, "4800");
    EXPECT_EQ(settings.sgrop, before.sgrop);
    EXPECT_TRUE(trace.messages().empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrinterTest, ParallelPortMappedToFileGetsCodePage437LinesOpenedPerLine) {
    insert_profile({.anschluss = "lpt1"});
    printer->lade_drucker(1, 1);
    map_port("lpt1", "bondrucker.txt");
    settings.parallel_line_pause_ms = 1;
    printer->drucke("Grüße aus der Küche");
    printer->drucke("");
    EXPECT_EQ(read_file(dir / "bondrucker.txt"), "Gr\x81\xE1" "e aus der K\x81" "che\r\n\r\n");
    // Each line opens the device anew: after the file is moved away the
    // next line lands in a new file, not behind the old descriptor.
    fs::rename(dir / "bondrucker.txt", dir / "alt.txt");
    printer->drucke("Öl 0,5l");
    EXPECT_EQ(read_file(dir / "bondrucker.txt"), "\x99l 0,5l\r\n");
    EXPECT_EQ(read_file(dir / "alt.txt"), "Gr\x81\xE1" "e aus der K\x81" "che\r\n\r\n");
}

TEST_F(PrinterTest, SerialPrinterOnPtyGetsExactBytesAndLineSettings) {
    Pty pty;
    insert_profile({.anschluss = "com1", .baudrate = "19200", .paritaet = "even", .datenbits = 7, .stopbits = 2});
    printer->lade_drucker(1, 1);
    map_port("com1", pty.device());
    settings.serial_line_pause_ms = 2;

    printer->drucke("Käse");
    EXPECT_EQ(pty.read(6), "K\x84se\r\n");
    printer->append_crlf = false;
    printer->drucke("\x1B" "d\x03");
    EXPECT_EQ(pty.read(3), "\x1B" "d\x03");
    EXPECT_TRUE(printer->append_crlf);
    printer->drucke("x");
    EXPECT_EQ(pty.read(3), "x\r\n");

    // Linux pseudo-terminals keep 8 data bits without parity whatever is
    // asked for; speed, stop bits and flow control read back as set. The
    // data-bit and parity choice itself is shown by SerialConfigTexts.
    const termios t = pty.attributes();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
}

TEST(SerialConfigTexts, ValueSetsAndTextsOutsideThem) {
    using P = tl::SerialConfig::Parity;
    struct Case {
        std::string baud, parity, data, stop;
        int want_baud;
        P want_parity;
        int want_data, want_stop;
    };
    // Applied one after the other: a text outside its set keeps the value
    // the case before it left.
    const std::vector<Case> cases = {
        {"19200", "even", "7", "2", 19200, P::even, 7, 2},
        {"300", "odd", "8", "1", 300, P::odd, 8, 1},
        {"14400", "mark", "6", "3", 300, P::odd, 8, 1},
        {"115200", "none", "", "2", 115200, P::none, 8, 2},
        {"", "EVEN", "7", "1,5", 115200, P::none, 7, 2},
    };
    tl::SerialConfig config;
    for (const auto& c : cases) {
        config.apply(c.baud, c.parity, c.data, c.stop);
        EXPECT_EQ(config.baud, c.want_baud) << c.baud;
        EXPECT_EQ(config.parity, c.want_parity) << c.parity;
        EXPECT_EQ(config.data_bits, c.want_data) << c.data;
        EXPECT_EQ(config.stop_bits, c.want_stop) << c.stop;
    }
}

TEST_F(PrinterTest, SerialLineSettingsTable) {
    struct Case {
        std::string baud, parity, data, stop;
        speed_t speed;
        bool cstopb;
    };
    // The last case holds texts outside the value sets: the line keeps what
    // the case before it set.
    const std::vector<Case> cases = {
        {"2400", "odd", "8", "1", B2400, false},
        {"115200", "none", "8", "2", B115200, true},
        {"300", "even", "7", "1", B300, false},
        {"14400", "mark", "6", "3", B300, false},
    };
    Pty pty;
    map_port("com4", pty.device());
    settings.printer_port = "com4";
    for (const auto& c : cases) {
        settings.serial_baud = c.baud;
        settings.serial_parity = c.parity;
        settings.serial_data_bits = c.data;
        settings.serial_stop_bits = c.stop;
        printer->drucke("1");
        EXPECT_EQ(pty.read(3), "1\r\n");
        const termios t = pty.attributes();
        EXPECT_EQ(cfgetospeed(&t), c.speed) << c.baud;
        EXPECT_EQ(bool(t.c_cflag & CSTOPB), c.cstopb) << c.baud;
    }
}

TEST_F(PrinterTest, CustomerDisplayRowsAndTwentyCharacters) {
    Pty pty;
    settings.display_port = "com2";
    settings.display_baud = "4800";
    settings.display_parity = "none";
    settings.display_data_bits = "8";
    settings.display_stop_bits = "1";
    map_port("com2", pty.device());
    printer->kundis("Summe 12,50 EUR danke schön", 1);
    EXPECT_EQ(pty.read(21), "\x0C" "Summe 12,50 EUR dank");
    printer->kundis("Willkommen", 2);
    EXPECT_EQ(pty.read(14), "\x1F\x24\x01\x02" "Willkommen");
    const termios t = pty.attributes();
    EXPECT_EQ(cfgetospeed(&t), B4800);
}

TEST_F(PrinterTest, LadecomSendsTheSignalAt9600_8N2) {
    Pty pty;
    settings.drawer_port = "com3";
    map_port("com3", pty.device());
    printer->ladecom();
    EXPECT_EQ(pty.read(17), "Xqaxde dsdvt fjkj");
    const termios t = pty.attributes();
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
}

TEST_F(PrinterTest, OpenDrawerThroughReceiptPrinterAndOwnLine) {
    Pty pty;
    insert_profile({.nr = 2, .anschluss = "com1"});
    settings.receipt_printer_number = 2;
    settings.drawer_via_printer = true;
    settings.drawer_sequence = std::string("\x1Bp\x00\x19\xFA", 5);
    settings.drawer_serial = true;
    settings.drawer_port = "com3";
    map_port("com1", pty.device());
    Pty drawer;
    map_port("com3", drawer.device());
    dispatch.ebon_mode = true;
    printer->ebon_page_line = [](const std::string&) { ADD_FAILURE() << "drawer code on the e-receipt page"; };
    printer->open_drawer();
    EXPECT_EQ(pty.read(5), std::string("\x1Bp\x00\x19\xFA", 5));
    EXPECT_EQ(drawer.read(17), "Xqaxde dsdvt fjkj");
    EXPECT_TRUE(printer->append_crlf);
    EXPECT_TRUE(dispatch.ebon_mode);
}

TEST_F(PrinterTest, PrinterOffPrintsNothingOnAnyTarget) {
    Pty pty;
    map_port("lpt1", "bon.txt");
    map_port("com1", pty.device());
    std::vector<std::string> ebon_lines;
    printer->ebon_page_line = [&](const std::string& line) { ebon_lines.push_back(line); };
    settings.printer_on = "0";
    struct Case {
        std::string port;
        bool system_printer, ebon;
    };
    const std::vector<Case> cases = {
        {"lpt1", false, false}, {"com1", false, false}, {"PDF", true, false}, {"lpt1", false, true},
    };
    for (const auto& c : cases) {
        settings.printer_port = c.port;
        settings.use_system_printer = c.system_printer;
        dispatch.ebon_mode = c.ebon;
        printer->drucke("Zeile");
        printer->append_crlf = false;
        printer->drucke("\x1B" "i");
    }
    EXPECT_FALSE(fs::exists(dir / "bon.txt"));
    EXPECT_EQ(pty.read(0), "");
    EXPECT_FALSE(printer->document_open());
    EXPECT_TRUE(ebon_lines.empty());
}

TEST_F(PrinterTest, EreceiptLinesGoToTheDeviceUntilThePageIsAttached) {
    map_port("lpt1", "bon.txt");
    settings.printer_port = "lpt1";
    dispatch.ebon_mode = true;
    printer->drucke("Beleg 1");
    EXPECT_EQ(read_file(dir / "bon.txt"), "Beleg 1\r\n");
    std::vector<std::string> page;
    printer->ebon_page_line = [&](const std::string& line) { page.push_back(line); };
    printer->drucke("Beleg 2");
    EXPECT_EQ(page, std::vector<std::string>{"Beleg 2"});
    EXPECT_EQ(read_file(dir / "bon.txt"), "Beleg 1\r\n");
}

TEST_F(PrinterTest, PrinterOnOffCommandTogglesAndNamesTheState) {
    EXPECT_EQ(settings.printer_on, "1");
    EXPECT_EQ(printer->toggle_printer_on(), "Drucker ist aus");
    EXPECT_EQ(settings.printer_on, "0");
    EXPECT_EQ(printer->toggle_printer_on(), "Drucker ist ein");
    EXPECT_EQ(settings.printer_on, "1");
}

TEST_F(PrinterTest, PrintMehrzeilPrintsTheContinuationLinesOnly) {
    db.execute("insert into material (artikelnummer, text) values ('77', :t)", {{"t", "A\r\nB\r\nC"}});
    db.execute("insert into material (artikelnummer, text) values ('78', :t)", {{"t", "Eins\r\nZwei\r\nDrei\r\n"}});
    db.execute("insert into material (artikelnummer, text) values ('79', :t)", {{"t", "Nur eine Zeile\r\nRest"}});
    db.commit();
    map_port("lpt1", "bon.txt");
    settings.printer_port = "lpt1";
    printer->print_mehrzeil("77");
    EXPECT_EQ(read_file(dir / "bon.txt"), "     B\r\n");
    settings.price_width = 3;
    printer->print_mehrzeil("78");
    printer->print_mehrzeil("79");
    printer->print_mehrzeil("nicht da");
    EXPECT_EQ(read_file(dir / "bon.txt"), "     B\r\n  Zwei\r\n  Drei\r\n");
}

TEST_F(PrinterTest, EndCodesOnASerialPrinter) {
    Pty pty;
    map_port("com1", pty.device());
    settings.printer_port = "com1";
    settings.end_sequence = "\x1D" "V\x01";
    printer->form_feed();
    printer->end_sequence();
    printer->driver_end_code();
    EXPECT_EQ(pty.read(0), "");
    settings.form_feed_at_end = true;
    settings.send_end_sequence = true;
    printer->form_feed();
    EXPECT_EQ(pty.read(3), "\x0C\r\n");
    printer->end_sequence();
    EXPECT_EQ(pty.read(3), "\x1D" "V\x01");
    EXPECT_TRUE(printer->append_crlf);
    printer->driver_end_code();
    printer->end_print_document();
    printer->drucke("Ende");
    EXPECT_EQ(pty.read(6), "Ende\r\n");
}

TEST_F(PrinterTest, FontSlotsAndAFontSizeThatIsNoNumber) {
    settings.sartk = "Kopf";
    settings.sgrok = "8";
    settings.zhoek = "3";
    settings.sart4 = "Küche";
    settings.sgro4 = "14";
    settings.shoe4 = "6";
    printer->use_font('k');
    EXPECT_EQ(printer->current_font_name, "Kopf");
    EXPECT_EQ(printer->current_font_size, 8);
    EXPECT_EQ(printer->current_line_height, 3);
    printer->use_font('4');
    EXPECT_EQ(printer->current_font_name, "Küche");
    EXPECT_EQ(printer->current_font_size, 14);
    EXPECT_EQ(printer->current_line_height, 6);

    settings.sgrop = "zehn";
    try {
        printer->use_font('p');
        ADD_FAILURE() << "no error";
    } catch (const tl::PrintError& e) {
        EXPECT_STREQ(e.what(), "'zehn' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(printer->current_font_name, "Küche");
    settings.sgrop = "10";
    settings.zhoeb = "";
    EXPECT_THROW(printer->use_font('b'), tl::PrintError);
}

TEST_F(PrinterTest, PortsThatCannotBeOpenedLoseTheLineWithoutHanging) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "verzeichnis");
    write_file(dir / "datei.txt", "");
    struct Case {
        std::string port, mapped;
    };
    const std::vector<Case> cases = {
        {"lpt1", "/nonexistent/dir/bon.txt"},
        {"lpt1", (dir / "fifo").string()},
        {"lpt1", (dir / "verzeichnis").string()},
        {"lpt1", ""},
        {"lptx", "*unmapped*"},
        {"com1", "/nonexistent/ttyX"},
        {"com1", (dir / "fifo").string()},
        {"com1", (dir / "datei.txt").string()},
        {"com1", ""},
        {"comx", "*unmapped*"},
        {"usb1", "*unmapped*"},
    };
    settings.parallel_line_pause_ms = 5;
    settings.serial_line_pause_ms = 5;
    for (const auto& c : cases) {
        config.values.erase("port." + c.port);
        if (c.mapped != "*unmapped*") map_port(c.port, c.mapped);
        settings.printer_port = c.port;
        printer->drucke("verloren");
    }
    settings.display_port = "com1";
    settings.drawer_port = "com1";
    printer->kundis("Anzeige", 1);
    printer->ladecom();
    EXPECT_EQ(read_file(dir / "datei.txt"), "");
    EXPECT_TRUE(trace.messages().empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(PortDevice, DeviceMapAndDefaults) {
    tl::Config config;
    config.values["port.lpt1"] = "bondrucker.txt";
    config.values["port.com2"] = "/dev/ttyUSB0";
    struct Case {
        std::string port, device;
    };
    const std::vector<Case> cases = {
        {"lpt1", "/srv/till/bondrucker.txt"}, {"com2", "/dev/ttyUSB0"}, {"lpt2", "/dev/lp1"},
        {"com1", "/dev/ttyS0"}, {"com4", "/dev/ttyS3"}, {"lpt", ""}, {"COM1", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(tl::port_device(config, "/srv/till", c.port).string(), c.device) << c.port;
}

}  // namespace
}  // namespace tltest
