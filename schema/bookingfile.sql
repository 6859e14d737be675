-- The bookingfile: every table, stored query (view) and first row the program expects.
-- mkdb turns this script into Emptydatabase.mdb; with demodata.sql after it into Demodata.mdb.
--
-- Storage conventions:
--   INTEGER  whole numbers: keys, day numbers (days since 1900-01-01 = day 0), minutes and
--            seconds of the day, kind codes, colours
--   DOUBLE   amounts and rates
--   TEXT     texts (never a numeric affinity, so a postal code '0123' stays a text)
--   BOOLEAN  0 / 1
--   DATETIME text 'yyyy-MM-dd HH:mm:ss'
--   BLOB     the logo picture
-- Names with æ, ø, å are spelled exactly as the program spells them: SQLite folds ASCII case only.
--
-- The layout's version. A change to any table, view, trigger or index raises it by one and adds
-- the step that brings a file of the version before up to this one (src/core/fileschemas.cpp);
-- the program refuses a file whose layout is not exactly one of its versions.
PRAGMA user_version = 8;

------------------------------------------------------------------------------------------------
-- Marker and counters
------------------------------------------------------------------------------------------------

-- Its presence marks a file as a bookingfile.
CREATE TABLE RUC (ID INTEGER PRIMARY KEY);

-- The key counter: the next booking number to hand out.
CREATE TABLE næstenøgle (
    ID      INTEGER PRIMARY KEY,
    nextkey INTEGER NOT NULL DEFAULT 1
);

-- Row ID = 1 holds the day of the last daily archiving run.
CREATE TABLE arkiveringsdato (
    ID              INTEGER PRIMARY KEY,
    arkiveringsdato DATETIME
);

------------------------------------------------------------------------------------------------
-- Settings row and its choice lists
------------------------------------------------------------------------------------------------

-- One row. The six times are seconds since midnight.
CREATE TABLE institutionsoplysninger (
    ID                INTEGER PRIMARY KEY,
    Åbntid            INTEGER,
    Luktid            INTEGER,
    Prrimstart        INTEGER,
    Primslut          INTEGER,
    Skemastart        INTEGER,
    Skemaslut         INTEGER,
    taxpct            DOUBLE,
    tax               BOOLEAN DEFAULT 0,
    dateformatstr1    TEXT,
    dateformatstr2    TEXT,
    dateformatnr      INTEGER,
    arCdEl            INTEGER,
    deldel            INTEGER,
    ampm              BOOLEAN DEFAULT 0,
    military          BOOLEAN DEFAULT 0,
    Tentative         BOOLEAN DEFAULT 0,
    Timeunits         INTEGER,
    FirstDay          TEXT,
    Instutionsnavn    TEXT,
    Instutionsadresse TEXT,
    Instutionspostnr  TEXT,
    Instutionsby      TEXT,
    Instutionstlf     TEXT,
    Instutionsfax     TEXT,
    Institutionsemail TEXT,
    Institutionswww   TEXT,
    Senr              TEXT,
    banknr            TEXT,
    gironr            TEXT,
    Logopic           BLOB
);

-- Date formats of the options form; 0 = month first, any other number = day first.
CREATE TABLE Valgformat (
    Dateformatno INTEGER PRIMARY KEY,
    Formatname   TEXT
);

-- Archiving delays in days.
CREATE TABLE Valgarcdel (
    arcdel INTEGER PRIMARY KEY
);

-- Deletion delays: shown in years, stored in days.
CREATE TABLE Valgdeldel (
    deldelDays INTEGER PRIMARY KEY,
    deldelY    DOUBLE
);

-- Time units of the planner grids: unitnr is the length of a slot in minutes.
CREATE TABLE Valgunits (
    unitnr   INTEGER PRIMARY KEY,
    unittext TEXT
);

------------------------------------------------------------------------------------------------
-- Resource hierarchy: kinds, groups, types, items
------------------------------------------------------------------------------------------------

-- The three kinds: 1 Domestic, 2 Add-On, 3 Stand-Alone. No form writes it.
CREATE TABLE gruppetyper (
    gruppeart INTEGER PRIMARY KEY,
    gtypenavn TEXT
);

-- Resource groups.
CREATE TABLE overgruppenavne (
    overgruppenr    INTEGER PRIMARY KEY AUTOINCREMENT,
    OverGruppenavn  TEXT,
    Gruppeart       INTEGER
);

-- Resource types, each in one group.
CREATE TABLE lokaliteter (
    Lokalitetsnr   INTEGER PRIMARY KEY AUTOINCREMENT,
    Lokalitetsnavn TEXT,
    Overgruppenr   INTEGER,
    Lokibeskr      TEXT,
    gruppeart      INTEGER
);
CREATE INDEX lokaliteter_Overgruppenr ON lokaliteter (Overgruppenr);

-- Resource items, each of one type. inakstart/inakslut are day numbers; ID is the homebase.
CREATE TABLE lokale (
    lokalenr       INTEGER PRIMARY KEY AUTOINCREMENT,
    Lokalenavn     TEXT,
    lokalinr       INTEGER,
    Gruppeart      INTEGER DEFAULT 1,
    lokbeskrivelse TEXT,
    gebyr          DOUBLE DEFAULT 0,
    maxprs         INTEGER DEFAULT 0,
    Lokfastinv     TEXT,
    inaktiv        BOOLEAN DEFAULT 0,
    inakstart      INTEGER,
    inakslut       INTEGER,
    ID             INTEGER,
    lokfabrikat    TEXT,
    lokmodel       TEXT,
    loksernr       TEXT,
    lokårgang      INTEGER,
    Leverandør     TEXT,
    levadresse     TEXT,
    levzip         TEXT,
    levby          TEXT,
    levphone       TEXT,
    levmail        TEXT,
    Garantislut    DATETIME,
    Lejetime       DOUBLE,
    nextservice    DATETIME
);
CREATE INDEX lokale_lokalinr ON lokale (lokalinr);

------------------------------------------------------------------------------------------------
-- Reference lists of the parameters form
------------------------------------------------------------------------------------------------

CREATE TABLE Department (
    depnr   INTEGER PRIMARY KEY AUTOINCREMENT,
    depname TEXT
);

-- Floor plans, chosen on room bookings (booking.ID).
CREATE TABLE opstilling (
    ID         INTEGER PRIMARY KEY AUTOINCREMENT,
    Opstilling TEXT,
    depnr      INTEGER
);

-- Homebases, chosen on Add-On and Stand-Alone items (lokale.ID).
CREATE TABLE Homebases (
    ID       INTEGER PRIMARY KEY AUTOINCREMENT,
    Homebase TEXT,
    depnr    INTEGER
);

------------------------------------------------------------------------------------------------
-- Accounts and memberships
------------------------------------------------------------------------------------------------

-- Personal ("p") and group ("g") accounts. A group's kontoowner is the personal account that
-- created it.
CREATE TABLE Konti (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    Kontonavn     TEXT,
    kontokontakt  TEXT,
    Kontoadresse  TEXT,
    Kontopnr      TEXT,
    Kontoby       TEXT,
    Kontotlf      TEXT,
    Kontotlfp     TEXT,
    Kontomobil    TEXT,
    Kontofax      TEXT,
    kontomail     TEXT,
    Kontostilling TEXT,
    Kontouser     TEXT,
    KontoPass     TEXT,
    Kontotype     TEXT DEFAULT 'p',
    archived      BOOLEAN DEFAULT 0,
    admin         BOOLEAN DEFAULT 0,
    depnr         INTEGER,
    kontoowner    INTEGER
);

-- Memberships: pnr may book for gnr. No key of its own; duplicates are allowed.
CREATE TABLE grptilk (
    gnr INTEGER,
    pnr INTEGER
);
CREATE INDEX grptilk_pnr ON grptilk (pnr, gnr);
CREATE INDEX grptilk_gnr ON grptilk (gnr);

------------------------------------------------------------------------------------------------
-- Bookings and their archive
------------------------------------------------------------------------------------------------

-- One row per booking. Bdato is a day number, bstart/bslut minutes since midnight (an end
-- before the start runs over midnight), Bcolor an RGB value with red in the low byte. arkiveret
-- was the daily archiving's mark in layouts 5 and 6; it is no longer read or written (arkiveres
-- below holds what the archiving has still to copy), and stays because dropping a column
-- rewrites every booking of a file.
CREATE TABLE booking (
    Bookingnr         INTEGER PRIMARY KEY,
    Beskrivelse       TEXT,
    langbeskrivelse   TEXT,
    Bemærkninger      TEXT,
    Bdato             INTEGER,
    bstart            INTEGER,
    bslut             INTEGER,
    Bcolor            INTEGER DEFAULT 255,
    Bgruppe           INTEGER,
    Lokalenr          INTEGER,
    kontonr           INTEGER,
    curacname         TEXT,
    Tentative         BOOLEAN DEFAULT 0,
    Kontaktperson2    TEXT,
    Kontaktpersonadr2 TEXT,
    Kontaktpersonpnr2 TEXT,
    Kontaktpersonby2  TEXT,
    Kontakttlf2       TEXT,
    Kontakttlfb2      TEXT,
    Antalpers         INTEGER DEFAULT 0,
    Pris              DOUBLE DEFAULT 0,
    tax               BOOLEAN DEFAULT 0,
    bvpris            INTEGER DEFAULT 1,
    ID                INTEGER,
    gennr             INTEGER,
    gentagende        BOOLEAN DEFAULT 0,
    Intern            BOOLEAN DEFAULT 0,
    leveringstype     TEXT,
    leveringssted     TEXT,
    arkiveret         BOOLEAN DEFAULT 0
);
-- The day view: the bookings of one type on one day, in their number's order, with every column
-- the view shows, read from the index alone.
CREATE INDEX booking_Bgruppe_Bdato ON booking (Bgruppe, Bdato, Bookingnr, bstart, bslut, Lokalenr,
    Bcolor, Tentative, curacname, Beskrivelse);
-- The week view, the double-booking test and the item delete check: one item over some days.
CREATE INDEX booking_Lokalenr_Bdato ON booking (Lokalenr, Bdato);
-- The members of a series. A single booking has no series number and no entry here: writing or
-- deleting one costs no page of this index.
CREATE INDEX booking_gennr ON booking (gennr) WHERE gennr IS NOT NULL;
-- The bookings of one account over some days: the lists of a user's bookings, and the account
-- delete checks.
CREATE INDEX booking_kontonr_Bdato ON booking (kontonr, Bdato);
-- The series with a booking on some days, without reading the single bookings of those days.
CREATE INDEX booking_series ON booking (Bdato, gennr) WHERE gentagende <> 0;
-- Whether a series has a booking after a day, read from the index alone.
CREATE INDEX booking_series_end ON booking (gennr, Bdato, gentagende) WHERE gentagende <> 0;
-- The tentative bookings, in the order of their list and with the columns it shows, without a
-- walk over all bookings.
CREATE INDEX booking_tentative ON booking (Bdato, bstart, Bookingnr, bslut, Lokalenr, kontonr,
    Tentative) WHERE Tentative <> 0;
-- The bookings of a period in their order: the search (with what the keyword is matched
-- against and what the list shows, read from the index alone), the purge and the lists by period.
CREATE INDEX booking_search ON booking (Bdato, bstart, Bookingnr, bslut, kontonr, Lokalenr,
    Beskrivelse);

-- The bookings the daily archiving has still to copy into bookingarkiv, by day: every booking
-- enters when it is made and leaves when it is archived or deleted, and moves with its day. The
-- archiving reads its range and batches here alone, and taking a day's bookings out changes a
-- few pages of this table rather than a page of booking for each of them.
CREATE TABLE arkiveres (
    Bdato     INTEGER NOT NULL,
    Bookingnr INTEGER NOT NULL,
    PRIMARY KEY (Bdato, Bookingnr)
) WITHOUT ROWID;
CREATE TRIGGER booking_arkiveres_insert AFTER INSERT ON booking
WHEN NEW.Bdato IS NOT NULL
BEGIN
    INSERT OR IGNORE INTO arkiveres (Bdato, Bookingnr) VALUES (NEW.Bdato, NEW.Bookingnr);
END;
-- A booking still to archive moves with its day, and one that had no day joins the list when it
-- gets one; one already archived stays archived.
CREATE TRIGGER booking_arkiveres_move AFTER UPDATE OF Bdato ON booking
WHEN NEW.Bdato IS NOT OLD.Bdato
BEGIN
    INSERT OR IGNORE INTO arkiveres (Bdato, Bookingnr)
    SELECT NEW.Bdato, NEW.Bookingnr
    WHERE NEW.Bdato IS NOT NULL AND (OLD.Bdato IS NULL OR EXISTS (
        SELECT 1 FROM arkiveres WHERE Bdato = OLD.Bdato AND Bookingnr = OLD.Bookingnr));
    DELETE FROM arkiveres WHERE Bdato = OLD.Bdato AND Bookingnr = OLD.Bookingnr;
END;
CREATE TRIGGER booking_arkiveres_delete AFTER DELETE ON booking
BEGIN
    DELETE FROM arkiveres WHERE Bdato = OLD.Bdato AND Bookingnr = OLD.Bookingnr;
END;

-- The texts the search looks for a keyword in, each title and each booking number as the search
-- reads it (with one leading blank), as sequences of three characters exactly as written: the
-- search finds here, without reading the bookings of its period, the few bookings whose texts
-- hold every sequence of a keyword in one of its cases. Kept by the triggers below; only the
-- booking numbers are stored, the texts are read from booking when the index is rebuilt.
CREATE VIEW booking_trigram_text AS
SELECT Bookingnr, Beskrivelse, ' ' || Bookingnr AS nr FROM booking;
CREATE VIRTUAL TABLE booking_trigram USING fts5(Beskrivelse, nr, content='booking_trigram_text',
    content_rowid='Bookingnr', tokenize='trigram case_sensitive 1', detail='none', columnsize=0);
CREATE TRIGGER booking_trigram_insert AFTER INSERT ON booking
BEGIN
    INSERT INTO booking_trigram (rowid, Beskrivelse, nr)
    VALUES (NEW.Bookingnr, NEW.Beskrivelse, ' ' || NEW.Bookingnr);
END;
CREATE TRIGGER booking_trigram_update AFTER UPDATE OF Bookingnr, Beskrivelse ON booking
WHEN NEW.Bookingnr IS NOT OLD.Bookingnr OR NEW.Beskrivelse IS NOT OLD.Beskrivelse
BEGIN
    INSERT INTO booking_trigram (booking_trigram, rowid, Beskrivelse, nr)
    VALUES ('delete', OLD.Bookingnr, OLD.Beskrivelse, ' ' || OLD.Bookingnr);
    INSERT INTO booking_trigram (rowid, Beskrivelse, nr)
    VALUES (NEW.Bookingnr, NEW.Beskrivelse, ' ' || NEW.Bookingnr);
END;
CREATE TRIGGER booking_trigram_delete AFTER DELETE ON booking
BEGIN
    INSERT INTO booking_trigram (booking_trigram, rowid, Beskrivelse, nr)
    VALUES ('delete', OLD.Bookingnr, OLD.Beskrivelse, ' ' || OLD.Bookingnr);
END;

-- The day of each series' last booking (of those marked repeated), by that day: the series
-- that end in a period are read here rather than found among every series with a booking in
-- it. Kept by the triggers below; a series whose bookings are all gone has no row.
CREATE TABLE serieslut (
    gennr INTEGER PRIMARY KEY,
    Bdato INTEGER NOT NULL
);
CREATE INDEX serieslut_Bdato ON serieslut (Bdato);
CREATE TRIGGER booking_serieslut_insert AFTER INSERT ON booking
WHEN NEW.gentagende <> 0 AND NEW.gennr IS NOT NULL AND NEW.Bdato IS NOT NULL
BEGIN
    INSERT INTO serieslut (gennr, Bdato) VALUES (NEW.gennr, NEW.Bdato)
    ON CONFLICT (gennr) DO UPDATE SET Bdato = excluded.Bdato WHERE excluded.Bdato > Bdato;
END;
-- A booking that leaves a series, joins one or changes its day: both series' last days are
-- read again from the index of the series' ends.
CREATE TRIGGER booking_serieslut_update AFTER UPDATE OF gennr, gentagende, Bdato ON booking
WHEN NEW.gennr IS NOT OLD.gennr OR NEW.gentagende IS NOT OLD.gentagende
    OR NEW.Bdato IS NOT OLD.Bdato
BEGIN
    DELETE FROM serieslut WHERE gennr IN (OLD.gennr, NEW.gennr);
    INSERT OR REPLACE INTO serieslut (gennr, Bdato)
    SELECT OLD.gennr, d FROM (SELECT max(Bdato) AS d FROM booking
                              WHERE gennr = OLD.gennr AND gentagende <> 0)
    WHERE d IS NOT NULL;
    INSERT OR REPLACE INTO serieslut (gennr, Bdato)
    SELECT NEW.gennr, d FROM (SELECT max(Bdato) AS d FROM booking
                              WHERE gennr = NEW.gennr AND gentagende <> 0)
    WHERE d IS NOT NULL;
END;
CREATE TRIGGER booking_serieslut_delete AFTER DELETE ON booking
WHEN OLD.gentagende <> 0 AND OLD.gennr IS NOT NULL
BEGIN
    DELETE FROM serieslut WHERE gennr = OLD.gennr;
    INSERT INTO serieslut (gennr, Bdato)
    SELECT OLD.gennr, d FROM (SELECT max(Bdato) AS d FROM booking
                              WHERE gennr = OLD.gennr AND gentagende <> 0)
    WHERE d IS NOT NULL;
END;

-- Archived bookings: booking's columns less Tentative, tax and bvpris (and its mark). Written
-- only by the daily archiving; a booking number already archived is passed over.
CREATE TABLE bookingarkiv (
    Bookingnr         INTEGER PRIMARY KEY,
    Beskrivelse       TEXT,
    Bstart            INTEGER,
    Bslut             INTEGER,
    Bdato             INTEGER,
    Bcolor            INTEGER,
    Bgruppe           INTEGER,
    Lokalenr          INTEGER,
    kontonr           INTEGER,
    Kontaktperson2    TEXT,
    Kontaktpersonadr2 TEXT,
    Kontaktpersonpnr2 TEXT,
    Kontaktpersonby2  TEXT,
    Kontakttlf2       TEXT,
    Kontakttlfb2      TEXT,
    langbeskrivelse   TEXT,
    Antalpers         INTEGER,
    Pris              DOUBLE,
    ID                INTEGER,
    Bemærkninger      TEXT,
    gennr             INTEGER,
    gentagende        BOOLEAN,
    Intern            BOOLEAN,
    leveringssted     TEXT,
    leveringstype     TEXT,
    curacname         TEXT
);
-- By day, holding what the period totals add up, so that they never read the archive's rows.
CREATE INDEX bookingarkiv_Bdato ON bookingarkiv (Bdato, Lokalenr, Antalpers, Pris, Bstart, Bslut);
CREATE INDEX bookingarkiv_kontonr ON bookingarkiv (kontonr, Bdato);
-- An item named by an archived booking is not deleted: the check must not scan the archive.
CREATE INDEX bookingarkiv_Lokalenr ON bookingarkiv (Lokalenr);

CREATE TRIGGER bookingarkiv_once BEFORE INSERT ON bookingarkiv
WHEN EXISTS (SELECT 1 FROM bookingarkiv WHERE Bookingnr = NEW.Bookingnr)
BEGIN
    SELECT RAISE(IGNORE);
END;

------------------------------------------------------------------------------------------------
-- Stored queries. A view's first column is its key.
------------------------------------------------------------------------------------------------

-- The booking form's record source: one row per booking with its item, account and department,
-- and start/slut in seconds since midnight. Written through the triggers below.
CREATE VIEW bookingfor AS
SELECT b.Bookingnr,
       b.Lokalenr,
       b.Bdato,
       b.bstart,
       b.bslut,
       b.bstart * 60 AS start,
       b.bslut * 60 AS slut,
       b.Beskrivelse,
       b.langbeskrivelse,
       b.Bemærkninger,
       b.Tentative,
       b.bvpris,
       b.kontonr,
       b.curacname,
       b.gennr,
       b.gentagende,
       b.Bcolor,
       b.Bgruppe,
       b.Pris,
       b.tax,
       b.Antalpers,
       b.ID,
       b.Intern,
       b.leveringstype,
       b.leveringssted,
       b.Kontaktperson2,
       b.Kontaktpersonadr2,
       b.Kontaktpersonpnr2,
       b.Kontaktpersonby2,
       b.Kontakttlf2,
       b.Kontakttlfb2,
       l.Lokalenavn,
       l.lokalinr,
       l.Gruppeart,
       k.Kontonavn,
       k.Kontouser,
       k.kontokontakt,
       k.Kontoadresse,
       k.Kontopnr,
       k.Kontoby,
       k.Kontotlf,
       k.Kontofax,
       k.kontomail,
       k.Kontomobil,
       k.Kontotlfp,
       d.depname
FROM booking AS b
LEFT JOIN lokale AS l ON l.lokalenr = b.Lokalenr
LEFT JOIN Konti AS k ON k.ID = b.kontonr
LEFT JOIN Department AS d ON d.depnr = k.depnr
ORDER BY b.Bdato, b.bstart, b.Bookingnr;

-- start/slut (seconds) go back to bstart/bslut as minutes: seconds / 60 to the nearest whole
-- number, a tie to the even one (90 -> 2, 150 -> 2, 30 -> 0). A write of bstart/bslut themselves
-- is taken when start/slut are unchanged. Item, account and department columns are not written.
CREATE TRIGGER bookingfor_update INSTEAD OF UPDATE ON bookingfor
BEGIN
    UPDATE booking SET
        Lokalenr = NEW.Lokalenr,
        Bdato = NEW.Bdato,
        bstart = CASE
            WHEN NEW.start IS OLD.start THEN NEW.bstart
            WHEN NEW.start IS NULL THEN NULL
            ELSE CAST(NEW.start / 60.0 AS INTEGER) + CASE
                WHEN NEW.start / 60.0 - CAST(NEW.start / 60.0 AS INTEGER) > 0.5 THEN 1
                WHEN NEW.start / 60.0 - CAST(NEW.start / 60.0 AS INTEGER) < -0.5 THEN -1
                WHEN abs(NEW.start / 60.0 - CAST(NEW.start / 60.0 AS INTEGER)) = 0.5
                    THEN CAST(NEW.start / 60.0 AS INTEGER) % 2
                ELSE 0 END
            END,
        bslut = CASE
            WHEN NEW.slut IS OLD.slut THEN NEW.bslut
            WHEN NEW.slut IS NULL THEN NULL
            ELSE CAST(NEW.slut / 60.0 AS INTEGER) + CASE
                WHEN NEW.slut / 60.0 - CAST(NEW.slut / 60.0 AS INTEGER) > 0.5 THEN 1
                WHEN NEW.slut / 60.0 - CAST(NEW.slut / 60.0 AS INTEGER) < -0.5 THEN -1
                WHEN abs(NEW.slut / 60.0 - CAST(NEW.slut / 60.0 AS INTEGER)) = 0.5
                    THEN CAST(NEW.slut / 60.0 AS INTEGER) % 2
                ELSE 0 END
            END,
        Beskrivelse = NEW.Beskrivelse,
        langbeskrivelse = NEW.langbeskrivelse,
        Bemærkninger = NEW.Bemærkninger,
        Tentative = NEW.Tentative,
        bvpris = NEW.bvpris,
        kontonr = NEW.kontonr,
        curacname = NEW.curacname,
        gennr = NEW.gennr,
        gentagende = NEW.gentagende,
        Bcolor = NEW.Bcolor,
        Bgruppe = NEW.Bgruppe,
        Pris = NEW.Pris,
        tax = NEW.tax,
        Antalpers = NEW.Antalpers,
        ID = NEW.ID,
        Intern = NEW.Intern,
        leveringstype = NEW.leveringstype,
        leveringssted = NEW.leveringssted,
        Kontaktperson2 = NEW.Kontaktperson2,
        Kontaktpersonadr2 = NEW.Kontaktpersonadr2,
        Kontaktpersonpnr2 = NEW.Kontaktpersonpnr2,
        Kontaktpersonby2 = NEW.Kontaktpersonby2,
        Kontakttlf2 = NEW.Kontakttlf2,
        Kontakttlfb2 = NEW.Kontakttlfb2
    WHERE Bookingnr = OLD.Bookingnr;
END;

-- A row inserted through the view: columns left out take the table's defaults.
CREATE TRIGGER bookingfor_insert INSTEAD OF INSERT ON bookingfor
BEGIN
    INSERT INTO booking (
        Bookingnr, Lokalenr, Bdato, bstart, bslut, Beskrivelse, langbeskrivelse, Bemærkninger,
        Tentative, bvpris, kontonr, curacname, gennr, gentagende, Bcolor, Bgruppe, Pris, tax,
        Antalpers, ID, Intern, leveringstype, leveringssted, Kontaktperson2, Kontaktpersonadr2,
        Kontaktpersonpnr2, Kontaktpersonby2, Kontakttlf2, Kontakttlfb2)
    VALUES (
        NEW.Bookingnr, NEW.Lokalenr, NEW.Bdato,
        CASE
            WHEN NEW.start IS NULL THEN NEW.bstart
            ELSE CAST(NEW.start / 60.0 AS INTEGER) + CASE
                WHEN NEW.start / 60.0 - CAST(NEW.start / 60.0 AS INTEGER) > 0.5 THEN 1
                WHEN NEW.start / 60.0 - CAST(NEW.start / 60.0 AS INTEGER) < -0.5 THEN -1
                WHEN abs(NEW.start / 60.0 - CAST(NEW.start / 60.0 AS INTEGER)) = 0.5
                    THEN CAST(NEW.start / 60.0 AS INTEGER) % 2
                ELSE 0 END
        END,
        CASE
            WHEN NEW.slut IS NULL THEN NEW.bslut
            ELSE CAST(NEW.slut / 60.0 AS INTEGER) + CASE
                WHEN NEW.slut / 60.0 - CAST(NEW.slut / 60.0 AS INTEGER) > 0.5 THEN 1
                WHEN NEW.slut / 60.0 - CAST(NEW.slut / 60.0 AS INTEGER) < -0.5 THEN -1
                WHEN abs(NEW.slut / 60.0 - CAST(NEW.slut / 60.0 AS INTEGER)) = 0.5
                    THEN CAST(NEW.slut / 60.0 AS INTEGER) % 2
                ELSE 0 END
        END,
        NEW.Beskrivelse, NEW.langbeskrivelse, NEW.Bemærkninger,
        COALESCE(NEW.Tentative, 0), COALESCE(NEW.bvpris, 1), NEW.kontonr, NEW.curacname,
        NEW.gennr, COALESCE(NEW.gentagende, 0), COALESCE(NEW.Bcolor, 255), NEW.Bgruppe,
        COALESCE(NEW.Pris, 0), COALESCE(NEW.tax, 0), COALESCE(NEW.Antalpers, 0), NEW.ID,
        COALESCE(NEW.Intern, 0), NEW.leveringstype, NEW.leveringssted, NEW.Kontaktperson2,
        NEW.Kontaktpersonadr2, NEW.Kontaktpersonpnr2, NEW.Kontaktpersonby2, NEW.Kontakttlf2,
        NEW.Kontakttlfb2);
END;

CREATE TRIGGER bookingfor_delete INSTEAD OF DELETE ON bookingfor
BEGIN
    DELETE FROM booking WHERE Bookingnr = OLD.Bookingnr;
END;

-- The tentative bookings, with Start/Slut in seconds since midnight.
CREATE VIEW bookingtent AS
SELECT b.Bookingnr,
       b.Bdato,
       b.bstart * 60 AS Start,
       b.bslut * 60 AS Slut,
       l.Lokalenavn,
       k.Kontonavn,
       k.Kontotlf
FROM booking AS b
LEFT JOIN lokale AS l ON l.lokalenr = b.Lokalenr
LEFT JOIN Konti AS k ON k.ID = b.kontonr
WHERE b.Tentative <> 0
ORDER BY b.Bdato, b.bstart, b.Bookingnr;

-- Per booking its item's type and group: where the search moves the planner.
CREATE VIEW bookingS AS
SELECT b.Bookingnr,
       b.Bdato,
       b.kontonr AS Kontonr,
       b.Lokalenr AS lokalenr,
       l.lokalinr,
       t.Overgruppenr
FROM booking AS b
LEFT JOIN lokale AS l ON l.lokalenr = b.Lokalenr
LEFT JOIN lokaliteter AS t ON t.Lokalitetsnr = l.lokalinr
ORDER BY b.Bookingnr;

-- The search list: every booking with its account name and item.
CREATE VIEW searchforny AS
SELECT b.Bookingnr,
       b.Beskrivelse,
       k.Kontonavn,
       b.Bdato,
       l.Gruppeart AS gruppeart,
       b.bstart,
       b.bslut,
       l.Lokalenavn
FROM booking AS b
LEFT JOIN Konti AS k ON k.ID = b.kontonr
LEFT JOIN lokale AS l ON l.lokalenr = b.Lokalenr
ORDER BY b.Bdato, b.bstart, b.Bookingnr;

-- One row per booking and per member of the booking's account. A personal account without an
-- owner of record is its own owner.
CREATE VIEW mybookingsfor AS
SELECT b.Bookingnr,
       b.Bdato,
       b.bstart,
       b.bslut,
       b.Beskrivelse,
       b.gentagende,
       b.kontonr AS Kontonr,
       COALESCE(k.kontoowner, CASE WHEN k.Kontotype = 'p' THEN k.ID END) AS kontoowner,
       k.Kontonavn,
       g.pnr,
       l.Lokalenavn,
       l.Gruppeart AS gruppeart
FROM booking AS b
INNER JOIN grptilk AS g ON g.gnr = b.kontonr
LEFT JOIN Konti AS k ON k.ID = b.kontonr
LEFT JOIN lokale AS l ON l.lokalenr = b.Lokalenr
ORDER BY b.Bdato, b.bstart, b.Bookingnr;

-- One row per series and weekly slot (item, weekday, times): Bdato is the weekday as an offset
-- 0 to 6 from the first day of the week by the settings' FirstDay ("0" Sunday, else Monday);
-- startdato/slutdato are the first and last day of the slot's bookings. Day 0 is a Monday.
CREATE VIEW fastugetest AS
SELECT s.gennr,
       s.lokalenr,
       s.weekday AS Bdato,
       s.bstart,
       s.bslut,
       MAX(s.Beskrivelse) AS Beskrivelse,
       MIN(s.Bdato) AS startdato,
       MAX(s.Bdato) AS slutdato,
       MAX(s.Bcolor) AS Bcolor
FROM (SELECT b.gennr, b.Lokalenr AS lokalenr, b.Bdato, b.bstart, b.bslut, b.Beskrivelse,
             b.Bcolor,
             ((b.Bdato + CASE WHEN (SELECT FirstDay FROM institutionsoplysninger
                                    ORDER BY ID LIMIT 1) = '0' THEN 1 ELSE 0 END) % 7 + 7) % 7
                 AS weekday
      FROM booking AS b
      WHERE b.gentagende <> 0 AND b.gennr IS NOT NULL) AS s
GROUP BY s.gennr, s.lokalenr, s.weekday, s.bstart, s.bslut
ORDER BY s.lokalenr, s.weekday, s.bstart, s.gennr;

-- One row per series with the day of its last booking (maxofbdato) and that booking's times,
-- title, item and account.
CREATE VIEW gentagendeudløbfor AS
SELECT b.gennr,
       MAX(b.Bdato) AS maxofbdato,
       b.bstart,
       b.bslut,
       b.Beskrivelse,
       l.Lokalenavn,
       k.Kontonavn,
       k.Kontotlf
FROM booking AS b
LEFT JOIN lokale AS l ON l.lokalenr = b.Lokalenr
LEFT JOIN Konti AS k ON k.ID = b.kontonr
WHERE b.gentagende <> 0 AND b.gennr IS NOT NULL
GROUP BY b.gennr
ORDER BY maxofbdato, b.Beskrivelse, b.gennr;

-- Accounts that may log in: personal and not archived, in a fixed order.
CREATE VIEW activekonti AS
SELECT ID, Kontouser, KontoPass, Kontotype, Kontonavn, admin
FROM Konti
WHERE Kontotype = 'p' AND COALESCE(archived, 0) = 0
ORDER BY ID;

-- The accounts an administrator books for: every account that is not archived.
CREATE VIEW AdminAccounts AS
SELECT ID, Kontonavn
FROM Konti
WHERE COALESCE(archived, 0) = 0
ORDER BY Kontonavn, ID;

-- Every account, for the administrators' account list and the period details.
CREATE VIEW Kontifor AS
SELECT ID, Kontonavn, Kontotype, archived, kontokontakt, Kontotlf
FROM Konti
ORDER BY Kontonavn, ID;

-- The group accounts that are not archived. The group manager's boxes write through it.
CREATE VIEW KontiG AS
SELECT ID, Kontonavn, kontoowner, kontokontakt
FROM Konti
WHERE Kontotype = 'g' AND COALESCE(archived, 0) = 0
ORDER BY Kontonavn, ID;

CREATE TRIGGER KontiG_update INSTEAD OF UPDATE ON KontiG
BEGIN
    UPDATE Konti SET
        Kontonavn = NEW.Kontonavn,
        kontoowner = NEW.kontoowner,
        kontokontakt = NEW.kontokontakt
    WHERE ID = OLD.ID;
END;

-- The personal accounts that are not archived: the members a group can be given.
CREATE VIEW KontiP AS
SELECT ID, Kontonavn
FROM Konti
WHERE Kontotype = 'p' AND COALESCE(archived, 0) = 0
ORDER BY Kontonavn, ID;

-- The account list report: personal accounts first, then groups; active before archived.
CREATE VIEW kontoudskrift AS
SELECT ID, Kontotype, archived, Kontonavn, kontokontakt, Kontotlf, kontomail, Kontouser,
       KontoPass, admin
FROM Konti
ORDER BY CASE WHEN Kontotype = 'p' THEN 0 ELSE 1 END, Kontotype, COALESCE(archived, 0),
         Kontonavn, ID;

CREATE VIEW Departmentfor AS
SELECT depnr, depname FROM Department ORDER BY depname, depnr;

CREATE VIEW Florplanfor AS
SELECT ID, Opstilling FROM opstilling ORDER BY Opstilling, ID;

CREATE VIEW Homebasefor AS
SELECT ID, Homebase FROM Homebases ORDER BY Homebase, ID;

-- The resource groups of the day view, by kind and name.
CREATE VIEW OvergruppenavneFor AS
SELECT overgruppenr, OverGruppenavn, Gruppeart
FROM overgruppenavne
ORDER BY Gruppeart, OverGruppenavn, overgruppenr;

-- The planner's first group and type: the first group, in the day view's order, that has a
-- type, with its first type by name.
CREATE VIEW firstgroups AS
SELECT g.overgruppenr AS Overgruppenr,
       t.Lokalitetsnr,
       g.OverGruppenavn,
       t.Lokalitetsnavn
FROM overgruppenavne AS g
INNER JOIN lokaliteter AS t ON t.Overgruppenr = g.overgruppenr
ORDER BY g.Gruppeart, g.OverGruppenavn, g.overgruppenr, t.Lokalitetsnavn, t.Lokalitetsnr;

-- The day view's columns: items by type, then name.
CREATE VIEW headerfor AS
SELECT lokalenr, Lokalenavn, lokalinr, inaktiv, inakstart, inakslut
FROM lokale
ORDER BY lokalinr, Lokalenavn, lokalenr;

-- The resource tree's items: by type, then name.
CREATE VIEW lokalesort AS
SELECT lokalenr, lokalinr, Lokalenavn
FROM lokale
ORDER BY lokalinr, Lokalenavn, lokalenr;

-- The items marked unavailable, by group, type and name.
CREATE VIEW unavailfor AS
SELECT l.lokalenr,
       l.Lokalenavn,
       t.Lokalitetsnavn,
       g.OverGruppenavn,
       l.inakstart,
       l.inakslut
FROM lokale AS l
LEFT JOIN lokaliteter AS t ON t.Lokalitetsnr = l.lokalinr
LEFT JOIN overgruppenavne AS g ON g.overgruppenr = t.Overgruppenr
WHERE l.inaktiv <> 0
ORDER BY g.OverGruppenavn, t.Lokalitetsnavn, l.Lokalenavn, l.lokalenr;

------------------------------------------------------------------------------------------------
-- First rows of a fresh bookingfile
------------------------------------------------------------------------------------------------

INSERT INTO RUC (ID) VALUES (1);

INSERT INTO næstenøgle (ID, nextkey) VALUES (1, 1);

-- A day long past, so that the first start archives.
INSERT INTO arkiveringsdato (ID, arkiveringsdato) VALUES (1, '1900-01-01 00:00:00');

-- Open 08:00-22:00, prime time 08:00-16:00, printed 08:00-22:00; day-first dates with weeks
-- from Monday; 15-minute slots; archive after 3 days, delete after 1½ years.
INSERT INTO institutionsoplysninger (
    ID, Åbntid, Luktid, Prrimstart, Primslut, Skemastart, Skemaslut, taxpct, tax,
    dateformatstr1, dateformatstr2, dateformatnr, arCdEl, deldel, ampm, military, Tentative,
    Timeunits, FirstDay, Instutionsnavn, Instutionsadresse, Instutionspostnr, Instutionsby,
    Instutionstlf, Instutionsfax, Institutionsemail, Institutionswww, Senr, banknr, gironr,
    Logopic)
VALUES (
    1, 28800, 79200, 28800, 57600, 28800, 79200, 25, 1,
    'dd-mm-yyyy', 'D N-m-y', 1, 3, 548, 0, 1, 0,
    15, '1', '', '', '', '',
    '', '', '', '', '', '', '',
    NULL);

INSERT INTO Valgformat (Dateformatno, Formatname) VALUES
    (0, 'Month first (mm/dd/yyyy)'),
    (1, 'Day first (dd-mm-yyyy)');

INSERT INTO Valgarcdel (arcdel) VALUES (1), (2), (3), (5), (7), (14), (30);

INSERT INTO Valgdeldel (deldelDays, deldelY) VALUES
    (183, 0.5), (365, 1), (548, 1.5), (730, 2), (1096, 3), (1826, 5);

INSERT INTO Valgunits (unitnr, unittext) VALUES
    (5, '5 minutes'), (10, '10 minutes'), (15, '15 minutes'), (30, '30 minutes'), (60, '60 minutes');

INSERT INTO gruppetyper (gruppeart, gtypenavn) VALUES
    (1, 'Domestic'), (2, 'Add-On'), (3, 'Stand-Alone');

-- The administrator who logs in to a fresh bookingfile (user admin, password admin) and creates
-- the resources and the other accounts; a member of itself, as every personal account.
INSERT INTO Konti (ID, Kontonavn, kontokontakt, Kontouser, KontoPass, Kontotype, archived, admin,
                   kontoowner)
VALUES (1, 'Administrator', 'Administrator', 'admin', 'admin', 'p', 0, 1, 1);
INSERT INTO grptilk (gnr, pnr) VALUES (1, 1);
