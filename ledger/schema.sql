-- The shared till database as tablinker reads and writes it. SQL dialect 1
-- (double precision numbers, "date" carries date and time of day), default
-- character set WIN1252. The main till owns the schema; this script builds
-- the same tables for the demo and for tests. No triggers, no procedures.

-- Receipt positions. The main till's row key is (kassenr, datum, belegnr, posi).
create table kasseb (
  kassenr        double precision not null,
  datum          date not null,
  belegnr        double precision not null,
  splittnr       integer,
  bestellnr      integer,
  posi           double precision not null,
  artikelnummer  varchar(30),
  preis          double precision,
  mwst           double precision,
  kassierer      varchar(30),
  menge          double precision,
  epreis         double precision,
  text           varchar(100),
  text1          varchar(30),
  text2          varchar(30),
  text3          varchar(30),
  text4          varchar(30),
  tischnr        double precision,
  status         char(1),
  zeit1          date,
  kueche         char(1),
  bondru         char(1),
  rechdru        char(1),
  gastname       varchar(50),
  zahlart        char(1),
  menged         double precision,
  stationsnr     integer,
  ktext          varchar(1000),
  uhrzeit        varchar(8),
  buart          char(1),
  datum_storno   date,
  kellner_storno integer,
  anzeige        char(1),
  stornoart      char(1),
  stornogrund    varchar(40),
  gastnr         double precision,
  zimmernr       double precision,
  umgebucht      varchar(10),
  zieltisch      varchar(10),
  inhaus         char(1),
  abgerechnet    char(1),
  datumk         date,
  kellnerk       integer,
  uhrzeitk       varchar(8),
  zeit2          date,
  zeit3          date,
  zeit4          date,
  koch           varchar(30),
  abgerechnetg   char(1),
  an_hotel       char(1),
  bewirtung      char(1),
  anzpers        integer,
  fahrernr       integer,
  statusp        char(1),
  statusl        char(1),
  constraint pk_kasseb primary key (kassenr, datum, belegnr, posi)
);
create index ix_kasseb_beleg on kasseb (belegnr, posi);
create index ix_kasseb_gast on kasseb (gastnr, zimmernr);

-- Restaurant tables.
create table tisch (
  tischnr     double precision not null,
  gruppennr   double precision,
  text        varchar(50),
  kellnernr   double precision,
  skellner    double precision,
  belegnr     double precision,
  summe       double precision,
  status      char(1),
  gastname    varchar(50),
  mwst        integer,
  krueck      integer,
  rabatt      double precision,
  zimmernr    double precision,
  teilzahlung varchar(20),
  anzpers     double precision,
  gastnr      double precision,
  bestellnr   integer,
  statust     char(1)
);
create index ix_tisch_nr on tisch (tischnr);

create table abbild (
  tischnr double precision,
  status  char(1)
);
create index ix_abbild_nr on abbild (tischnr);

-- Bills: one row per receipt and split part; the signing service fills the
-- fiscal columns.
create table beleg (
  belegnr      double precision not null,
  splittnr     integer not null,
  statusb      char(1),
  signature    varchar(1024),
  tnumber      integer,
  logtimef     varchar(40),
  signaturect  integer,
  process_data varchar(4000)
);
create index ix_beleg_nr on beleg (belegnr, splittnr);

-- Order rounds of a receipt.
create table bestellung (
  belegnr   double precision not null,
  bestellnr integer not null,
  statusb   char(1),
  logtimes  varchar(40)
);
create index ix_bestellung_nr on bestellung (belegnr, bestellnr);

-- Work for the signing service and its answers.
create table job (
  jobid     integer not null,
  tasknr    integer,
  belegnr   double precision,
  splittnr  integer,
  bestellnr integer,
  pcnr      integer
);

create table jobready (
  jobid    integer not null,
  pcnr     integer,
  tasknr   integer,
  belegnr  double precision,
  splittnr integer,
  ergebnis integer
);

-- The job queue the relay fills with tablet messages.
create table netjob (
  jobid  integer not null,
  puffer varchar(2000)
);
create index ix_netjob_id on netjob (jobid);

-- Position lists of mobile jobs.
create table splitt (
  jobid         integer not null,
  artikelnummer varchar(30),
  text          varchar(100),
  epreis        double precision,
  menge         double precision,
  ktext         varchar(1000),
  aufpreis      double precision,
  pvariante     integer
);
create index ix_splitt_id on splitt (jobid);

-- Articles.
create table material (
  artikelnummer  varchar(30) not null,
  text           varchar(200),
  verkaufspreis  double precision,
  listenpreis    double precision,
  artikelnrp     varchar(30),
  warengrp       integer,
  vgruppe        integer,
  mwst           char(1),
  kueche         char(1),
  stationsnr     integer,
  lagerbestand   double precision,
  b_text         varchar(100),
  zusatztext     varchar(200),
  kein_abon      char(1),
  favoritnr      integer,
  bfarbe         integer,
  nicht_anzeigen char(1),
  a_nummer       integer,
  mengeneinheit  varchar(20),
  constraint pk_material primary key (artikelnummer)
);

-- Article groups with their kitchen printer routing.
create table warengrp (
  warengrp       integer not null,
  warenart       char(1),
  text           varchar(50),
  bfarbe         integer,
  nicht_anzeigen char(1),
  reihenfolge    integer,
  speisenfolge   integer,
  shop           varchar(10),
  drucker2       varchar(10),
  drucker3       varchar(10),
  drucker4       varchar(10),
  abteilung      varchar(30),
  constraint pk_warengrp primary key (warengrp)
);

create table varianten (
  vgruppe integer,
  vpos    integer,
  vtext   varchar(50),
  vpreis  double precision
);

create table pvarianten (
  artikelnummer varchar(30),
  vpos          integer,
  vpreis        double precision,
  vhappypreis   double precision,
  vtext         varchar(50)
);
create index ix_pvarianten on pvarianten (artikelnummer, vpos);

-- Bills of material: one unit of artikelnummer holds stmenge of startikel.
create table stueli (
  artikelnummer varchar(30),
  startikel     varchar(30),
  stmenge       double precision
);
create index ix_stueli on stueli (artikelnummer);

create table kellner (
  kellnernr   double precision not null,
  passwort    varchar(30),
  schloss     varchar(30),
  status      char(1),
  name        varchar(50),
  stornostufe integer,
  constraint pk_kellner primary key (kellnernr)
);

-- Hotel guests.
create table gast (
  gastnr   double precision,
  gastname varchar(50),
  zimmernr double precision,
  adresse  varchar(100),
  adresse2 varchar(100),
  plz      varchar(10),
  ort      varchar(50),
  telefon  varchar(30),
  infotext varchar(200)
);

-- Printer profiles per PC and printer number.
create table drucker (
  pcnummer  integer not null,
  druckernr integer not null,
  anschluss varchar(100),
  baudrate  varchar(10),
  paritaet  varchar(10),
  datenbits integer,
  stopbits  integer,
  sartk     varchar(50),
  sartp     varchar(50),
  sartb     varchar(50),
  sgrok     integer,
  sgrop     integer,
  sgrob     integer,
  zhoek     integer,
  zhoep     integer,
  zhoeb     integer,
  sart4     varchar(50),
  sgro4     integer,
  shoe4     integer,
  lrbeleg   integer,
  lrbon     integer,
  blattb    integer,
  blatth    integer,
  logob     integer,
  logoh     integer,
  logolehr  integer,
  qrcode    char(1)
);

-- The fiscal signing unit.
create table tse (
  tse_aktiv           char(1),
  tse_serialnumber    varchar(100),
  tse_hashalgorithmus varchar(100),
  tse_publickey       varchar(500),
  tse_seriennrk       varchar(100),
  tse_clientid        varchar(100)
);

-- E-receipt hand-shake rows of the tablets.
create table ebonready (
  lizenznr varchar(20),
  status   char(1),
  belegnr  double precision,
  splittnr integer,
  ebonon   char(1)
);

create table logbuch (
  datum      date,
  bearbeiter varchar(30),
  text       varchar(1000)
);

-- One row per business day closed by the main till.
create table kasse (
  datum date
);

create table lasttag (
  happyhour char(1),
  datum     date
);

-- Table reservations; zeit holds the time of day on 30.12.1899.
create table tischres (
  datum   date,
  tischnr double precision,
  zeit    date
);

create table firma (
  mehrwertsteuer double precision,
  mwst2          double precision,
  mwst3          double precision,
  nettop         char(1),
  waehrung       varchar(10)
);

create generator belegnr;
create generator jobid;
create generator netjobid;
