-- paths.mdb in the program's folder: the chosen bookingfile, the planner's one-booking clipboard
-- and the scratch tables of repeated bookings. Types as in bookingfile.sql.

-- The layout's version: raised with each change, as in bookingfile.sql.
PRAGMA user_version = 2;

-- One row: the full path of the bookingfile chosen last (mkdb --sti fills it in the build).
CREATE TABLE stitabel (sti TEXT);
INSERT INTO stitabel (sti) VALUES ('');

-- The booking clipboard: at most one row, the booking's fields plus its duration btid in whole
-- minutes (0 when the booking's start equals its end). leveringstype to bvpris came with
-- version 1. klippet (version 2): 1 when the booking was cut, 0 when it was copied; a cut
-- booking stays in its bookingfile until the paste moves it. NULL in a row of an older
-- program, whose cut took the booking out of its bookingfile. bookingfil: the bookingfile
-- the booking was cut or copied from.
CREATE TABLE standby (
    Bookingnr         INTEGER,
    bstart            INTEGER,
    bslut             INTEGER,
    Beskrivelse       TEXT,
    Bdato             INTEGER,
    lokalenr          INTEGER,
    Bgruppe           INTEGER,
    Bcolor            INTEGER,
    Kontonr           INTEGER,
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
    Tentative         BOOLEAN,
    curacname         TEXT,
    btid              INTEGER DEFAULT 0,
    leveringstype     TEXT,
    leveringssted     TEXT,
    tax               BOOLEAN DEFAULT 0,
    bvpris            INTEGER DEFAULT 1,
    klippet           BOOLEAN,
    bookingfil        TEXT
);

-- The dates of the series being prepared: Dato a day number, Start/Slut times of day
-- ('1899-12-30 HH:mm:ss'), DB true for a double booking.
CREATE TABLE gendatogent (
    ID       INTEGER PRIMARY KEY AUTOINCREMENT,
    Dato     INTEGER,
    Start    DATETIME,
    Slut     DATETIME,
    lokalenr INTEGER,
    DB       BOOLEAN DEFAULT 0
);

-- The free items found by the last alternatives search.
CREATE TABLE AndetLokAlt (
    lokalenr   INTEGER,
    Lokalenavn TEXT
);

CREATE VIEW andetlokaltfor AS
SELECT lokalenr, Lokalenavn FROM AndetLokAlt ORDER BY Lokalenavn, lokalenr;
