-- Master data of the demo restaurant "Gasthaus Zur Linde". The demo working
-- directory and the tests that need more than a small fixture of their own
-- use it. Amounts are gross prices in EUR.

insert into firma (mehrwertsteuer, mwst2, mwst3, nettop, waehrung) values (19, 7, 0, '0', 'EUR');

insert into tse (tse_aktiv, tse_serialnumber, tse_hashalgorithmus, tse_publickey, tse_seriennrk, tse_clientid)
  values ('0', '', '', '', '', 'KASSE-1');

insert into lasttag (happyhour, datum) values ('0', '01.01.2000');

insert into ebonready (lizenznr, status, belegnr, splittnr, ebonon) values ('4711', '+', 0, 0, '0');

-- Waiters: number, password, lock key, status, name, cancellation level.
insert into kellner (kellnernr, passwort, schloss, status, name, stornostufe) values (1, '1111', '101', '', 'Anna', 4);
insert into kellner (kellnernr, passwort, schloss, status, name, stornostufe) values (2, '2222', '102', '', 'Ben', 2);
insert into kellner (kellnernr, passwort, schloss, status, name, stornostufe) values (3, '3333', '103', '', 'Jörg', 1);
insert into kellner (kellnernr, passwort, schloss, status, name, stornostufe) values (4, '4444', '104', 'G', 'Lena', 0);

-- Tables of group 1 (the station's group); table 20 belongs to waiter 2.
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (1, 1, 'Fenster links', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (2, 1, 'Fenster rechts', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (3, 1, 'Kamin', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (4, 1, 'Mitte', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (5, 1, 'Nische', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (10, 1, 'Stammtisch', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (11, 1, 'Terrasse 1', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (12, 1, 'Terrasse 2', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (20, 1, 'Saal', 0, 2, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (30, 1, 'Theke', 0, 0, 0, 0, 'F', '', 2, 0, 0, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (40, 1, 'Vereinstisch', 0, 0, 0, 0, 'F', '', 0, 0, 10, 0, '', 0, 0, 0, '1');
insert into tisch (tischnr, gruppennr, text, kellnernr, skellner, belegnr, summe, status, gastname, mwst, krueck, rabatt, zimmernr, teilzahlung, anzpers, gastnr, bestellnr, statust)
  values (101, 2, 'Biergarten 1', 0, 0, 0, 0, 'F', '', 0, 0, 0, 0, '', 0, 0, 0, '1');

insert into abbild (tischnr, status) values (1, 'F');
insert into abbild (tischnr, status) values (2, 'F');
insert into abbild (tischnr, status) values (3, 'F');
insert into abbild (tischnr, status) values (4, 'F');
insert into abbild (tischnr, status) values (5, 'F');
insert into abbild (tischnr, status) values (10, 'F');
insert into abbild (tischnr, status) values (11, 'F');
insert into abbild (tischnr, status) values (12, 'F');
insert into abbild (tischnr, status) values (20, 'F');
insert into abbild (tischnr, status) values (30, 'F');
insert into abbild (tischnr, status) values (40, 'F');
insert into abbild (tischnr, status) values (101, 'F');

-- Article groups: drinks go to the bar printer (3), food to the kitchen
-- printer (2); collective tickets by shop, single tickets by drucker3.
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (1, 'G', 'Alkoholfreie Getränke', 16776960, '', 1, 0, '3', '3', '3', '3', 'Getränke');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (2, 'G', 'Bier vom Fass', 16744448, '', 2, 0, '3', '3', '3', '3', 'Getränke');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (3, 'G', 'Wein', 8388736, '', 3, 0, '3', '3', '3', '3', 'Getränke');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (4, 'G', 'Heißgetränke', 4210816, '', 4, 0, '3', '3', '3', '3', 'Getränke');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (5, 'S', 'Vorspeisen', 65280, '', 5, 1, '2', '2', '2', '2', 'Küche');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (6, 'S', 'Hauptgerichte', 33023, '', 6, 2, '2', '2', '2', '2', 'Küche');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (7, 'S', 'Nachspeisen', 16711935, '', 7, 3, '2', '2', '2', '2', 'Küche');
insert into warengrp (warengrp, warenart, text, bfarbe, nicht_anzeigen, reihenfolge, speisenfolge, shop, drucker2, drucker3, drucker4, abteilung)
  values (8, '', 'Sonstiges', 12632256, '', 8, 0, '0', '0', '0', '0', 'Sonstiges');

-- Articles: number, text, price, happy-hour price, linked article, group,
-- variant group, VAT class, kitchen mark, station, stock, receipt text,
-- additional text, never on a ticket, favourite, colour, hidden, sort key, unit.
insert into material values ('1', 'Mineralwasser 0,25l', 2.60, 0, '', 1, 0, '1', '', 1, 200, 'Wasser_0,25l', '', '', 1, 0, '', 1, 'Fl');
insert into material values ('2', 'Mineralwasser 0,75l', 5.90, 0, '', 1, 0, '1', '', 1, 100, 'Wasser_0,75l', '', '', 2, 0, '', 2, 'Fl');
insert into material values ('3', 'Apfelschorle 0,4l', 3.90, 2.50, '', 1, 0, '1', '', 1, 0, 'Apfelschorle', '', '', 3, 0, '', 3, 'Gl');
insert into material values ('4', 'Cola 0,33l', 3.50, 2.50, '', 1, 0, '1', '', 1, 0, 'Cola', '', '', 4, 0, '', 4, 'Fl');
insert into material values ('5', 'Spezi 0,4l', 3.90, 0, '', 1, 0, '1', '', 1, 0, 'Spezi', '', '', 5, 0, '', 5, 'Gl');
insert into material values ('6', 'Orangensaft 0,2l', 3.20, 0, '', 1, 0, '1', '', 1, 0, 'O-Saft', '', '', 6, 0, '', 6, 'Gl');
insert into material values ('10', 'Pils 0,3l', 3.40, 2.50, '', 2, 0, '1', '', 1, 0, 'Pils_0,3l', '', '', 10, 0, '', 10, 'Gl');
insert into material values ('11', 'Pils 0,5l', 4.80, 3.50, '', 2, 0, '1', '', 1, 0, 'Pils_0,5l', '', '', 11, 0, '', 11, 'Gl');
insert into material values ('12', 'Weißbier 0,5l', 4.90, 3.50, '', 2, 0, '1', '', 1, 0, 'Weißbier', '', '', 12, 0, '', 12, 'Gl');
insert into material values ('13', 'Radler 0,5l', 4.60, 0, '', 2, 0, '1', '', 1, 0, 'Radler', '', '', 13, 0, '', 13, 'Gl');
insert into material values ('14', 'Alkoholfreies Weizen 0,5l', 4.70, 0, '', 2, 0, '1', '', 1, 0, 'Weizen_alkfrei', '', '', 14, 0, '', 14, 'Gl');
insert into material values ('20', 'Riesling 0,2l', 5.80, 0, '', 3, 0, '1', '', 1, 0, 'Riesling', '', '', 20, 0, '', 20, 'Gl');
insert into material values ('21', 'Spätburgunder 0,2l', 6.20, 0, '', 3, 0, '1', '', 1, 0, 'Spätburgunder', '', '', 21, 0, '', 21, 'Gl');
insert into material values ('22', 'Weinschorle 0,4l', 5.20, 0, '', 3, 0, '1', '', 1, 0, 'Weinschorle', '', '', 22, 0, '', 22, 'Gl');
insert into material values ('23', 'Sekt 0,1l', 4.90, 0, '', 3, 0, '1', '', 1, 0, 'Sekt', '', '', 23, 0, '', 23, 'Gl');
insert into material values ('30', 'Kaffee', 2.90, 0, '', 4, 0, '1', '', 1, 0, 'Kaffee', '', '', 30, 0, '', 30, 'Ta');
insert into material values ('31', 'Cappuccino', 3.60, 0, '', 4, 0, '1', '', 1, 0, 'Cappuccino', '', '', 31, 0, '', 31, 'Ta');
insert into material values ('32', 'Espresso', 2.40, 0, '', 4, 0, '1', '', 1, 0, 'Espresso', '', '', 32, 0, '', 32, 'Ta');
insert into material values ('33', 'Latte macchiato', 3.90, 0, '', 4, 0, '1', '', 1, 0, 'Latte', '', '', 33, 0, '', 33, 'Gl');
insert into material values ('34', 'Tee', 2.80, 0, '', 4, 1, '1', '', 1, 0, 'Tee', '', '', 34, 0, '', 34, 'Ta');
insert into material values ('40', 'Tomatensuppe', 5.50, 0, '', 5, 0, '1', 'F', 2, 0, 'Tomatensuppe', 'mit Sahnehaube', '', 40, 0, '', 40, 'Tl');
insert into material values ('41', 'Leberknödelsuppe', 5.90, 0, '', 5, 0, '1', 'F', 2, 0, 'Leberknödelsuppe', '', '', 41, 0, '', 41, 'Tl');
insert into material values ('42', 'Gemischter Salat', 6.50, 0, '', 5, 3, '1', 'F', 2, 0, 'Salat_gemischt', '', '', 42, 0, '', 42, 'Tl');
insert into material values ('43', 'Bruschetta', 7.20, 0, '', 5, 0, '1', 'F', 2, 0, 'Bruschetta', '', '', 43, 0, '', 43, 'Tl');
insert into material values ('50', 'Wiener Schnitzel' || ascii_char(13) || ascii_char(10) || 'mit Pommes frites' || ascii_char(13) || ascii_char(10), 18.90, 0, '', 6, 0, '1', 'F', 2, 0, 'Wiener_Schnitzel', '', '', 50, 0, '', 50, 'Tl');
insert into material values ('51', 'Schweinebraten' || ascii_char(13) || ascii_char(10) || 'mit Knödel und Kraut' || ascii_char(13) || ascii_char(10), 15.90, 0, '', 6, 0, '1', 'F', 2, 0, 'Schweinebraten', '', '', 51, 0, '', 51, 'Tl');
insert into material values ('52', 'Käsespätzle', 13.50, 0, '', 6, 0, '1', 'F', 2, 0, 'Käsespätzle', '', '', 52, 0, '', 52, 'Tl');
insert into material values ('53', 'Rinderroulade', 19.80, 0, '', 6, 0, '1', 'F', 2, 0, 'Rinderroulade', '', '', 53, 0, '', 53, 'Tl');
insert into material values ('54', 'Forelle Müllerin', 21.50, 0, '', 6, 0, '1', 'F', 2, 0, 'Forelle', '', '', 54, 0, '', 54, 'Tl');
insert into material values ('55', 'Gemüsecurry', 14.20, 0, '', 6, 0, '1', 'F', 2, 0, 'Gemüsecurry', '', '', 55, 0, '', 55, 'Tl');
insert into material values ('56', 'Burger', 16.50, 0, '57', 6, 2, '1', 'F', 2, 0, 'Burger', '', '', 56, 0, '', 56, 'Tl');
insert into material values ('57', 'Beilage Pommes frites', 0, 0, '', 6, 0, '1', 'F', 2, 0, 'Pommes', '', '', 0, 0, 'X', 57, 'Tl');
insert into material values ('58', 'Pommes frites', 4.50, 0, '', 6, 0, '1', 'F', 2, 0, 'Pommes', '', '', 58, 0, '', 58, 'Tl');
insert into material values ('60', 'Apfelstrudel', 6.90, 0, '', 7, 0, '1', 'F', 2, 0, 'Apfelstrudel', '', '', 60, 0, '', 60, 'Tl');
insert into material values ('61', 'Kaiserschmarrn', 9.80, 0, '', 7, 0, '1', 'F', 2, 0, 'Kaiserschmarrn', '', '', 61, 0, '', 61, 'Tl');
insert into material values ('62', 'Eisbecher', 7.50, 0, '', 7, 0, '1', 'F', 2, 0, 'Eisbecher', '', '', 62, 0, '', 62, 'Tl');
insert into material values ('63', 'Rote Grütze', 5.90, 0, '', 7, 0, '1', 'F', 2, 0, 'Rote_Grütze', '', '', 63, 0, '', 63, 'Tl');
insert into material values ('70', 'Brot zum Mitnehmen', 4.20, 0, '', 8, 0, '2', '', 0, 30, 'Brot', '', 'X', 70, 0, '', 70, 'St');
insert into material values ('71', 'Zigaretten', 8.00, 0, '', 8, 0, '1', '', 0, 50, 'Zigaretten', '', 'X', 71, 0, '', 71, 'Pk');
insert into material values ('72', 'Gutschein', 10.00, 0, '', 8, 0, '0', '', 0, 0, 'Gutschein', '', 'X', 72, 0, '', 72, 'St');
insert into material values ('FF00', 'Freie Position ohne MwSt', 0, 0, '', 8, 0, '0', '', 0, 0, '', '', 'X', 0, 0, 'X', 900, '');
insert into material values ('FF01', 'Freie Position', 0, 0, '', 8, 0, '1', '', 0, 0, '', '', '', 0, 0, 'X', 901, '');
insert into material values ('FF02', 'Freie Position ermäßigt', 0, 0, '', 8, 0, '2', '', 0, 0, '', '', '', 0, 0, 'X', 902, '');

-- Variant texts of variant groups (surcharges) and price variants of articles.
insert into varianten (vgruppe, vpos, vtext, vpreis) values (1, 1, 'mit Zitrone', 0);
insert into varianten (vgruppe, vpos, vtext, vpreis) values (1, 2, 'mit Milch', 0.30);
insert into varianten (vgruppe, vpos, vtext, vpreis) values (2, 1, 'mit Käse', 1.00);
insert into varianten (vgruppe, vpos, vtext, vpreis) values (2, 2, 'mit Bacon', 1.50);
insert into varianten (vgruppe, vpos, vtext, vpreis) values (2, 3, 'ohne Zwiebeln', 0);
insert into varianten (vgruppe, vpos, vtext, vpreis) values (3, 1, 'Dressing Joghurt', 0);
insert into varianten (vgruppe, vpos, vtext, vpreis) values (3, 2, 'Dressing Essig und Öl', 0);
insert into pvarianten (artikelnummer, vpos, vpreis, vhappypreis, vtext) values ('11', 1, 4.80, 3.50, 'Pils 0,5l');
insert into pvarianten (artikelnummer, vpos, vpreis, vhappypreis, vtext) values ('11', 2, 9.20, 7.00, 'Pils 1,0l Maß');
insert into pvarianten (artikelnummer, vpos, vpreis, vhappypreis, vtext) values ('42', 1, 6.50, 0, 'Salat klein');
insert into pvarianten (artikelnummer, vpos, vpreis, vhappypreis, vtext) values ('42', 2, 10.50, 0, 'Salat groß');

-- Bill of material: the burger and its parts.
insert into material values ('900', 'Rinderpatty 180g', 0, 0, '', 8, 0, '1', '', 0, 40, '', '', 'X', 0, 0, 'X', 990, 'St');
insert into material values ('901', 'Brioche-Bun', 0, 0, '', 8, 0, '1', '', 0, 60, '', '', 'X', 0, 0, 'X', 991, 'St');
insert into material values ('902', 'Cheddar', 0, 0, '', 8, 0, '1', '', 0, 80, '', '', 'X', 0, 0, 'X', 992, 'Sch');
insert into stueli (artikelnummer, startikel, stmenge) values ('56', '900', 1);
insert into stueli (artikelnummer, startikel, stmenge) values ('56', '901', 1);
insert into stueli (artikelnummer, startikel, stmenge) values ('56', '902', 2);

-- Printer profiles of PC 1: 1 receipt printer, 2 kitchen, 3 bar.
insert into drucker (pcnummer, druckernr, anschluss, baudrate, paritaet, datenbits, stopbits, sartk, sartp, sartb, sgrok, sgrop, sgrob, zhoek, zhoep, zhoeb, sart4, sgro4, shoe4, lrbeleg, lrbon, blattb, blatth, logob, logoh, logolehr, qrcode)
  values (1, 1, 'lpt1', '9600', 'none', 8, 1, 'Courier', 'Courier', 'Courier', 10, 10, 12, 4, 4, 5, 'Courier', 10, 4, 5, 0, 200, 280, 300, 300, 11, '0');
insert into drucker (pcnummer, druckernr, anschluss, baudrate, paritaet, datenbits, stopbits, sartk, sartp, sartb, sgrok, sgrop, sgrob, zhoek, zhoep, zhoeb, sart4, sgro4, shoe4, lrbeleg, lrbon, blattb, blatth, logob, logoh, logolehr, qrcode)
  values (1, 2, 'lpt2', '9600', 'none', 8, 1, 'Courier', 'Courier', 'Courier', 10, 10, 12, 4, 4, 5, 'Courier', 12, 5, 5, 0, 200, 280, 300, 300, 11, '0');
insert into drucker (pcnummer, druckernr, anschluss, baudrate, paritaet, datenbits, stopbits, sartk, sartp, sartb, sgrok, sgrop, sgrob, zhoek, zhoep, zhoeb, sart4, sgro4, shoe4, lrbeleg, lrbon, blattb, blatth, logob, logoh, logolehr, qrcode)
  values (1, 3, 'lpt3', '9600', 'none', 8, 1, 'Courier', 'Courier', 'Courier', 10, 10, 12, 4, 4, 5, 'Courier', 12, 5, 5, 0, 200, 280, 300, 300, 11, '0');

-- Guests of the hotel part.
insert into gast (gastnr, gastname, zimmernr, adresse, adresse2, plz, ort, telefon, infotext)
  values (1, 'Familie Huber', 12, '', 'Lindenweg 4', '83022', 'Rosenheim', '08031 12345', 'Halbpension');

-- A reservation for table 3 at 19:30 on every demo day is added by the demo
-- creator, which knows today's date.
