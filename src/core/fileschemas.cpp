#include "core/fileschemas.h"

#include "platform/db/dberror.h"

#include <QFile>

// Resources of a static library must be registered from the global namespace.
static void initSchemaResources() { Q_INIT_RESOURCE(core); }

namespace FileSchemas {
namespace {

QString script(const QString &name)
{
    initSchemaResources();
    QFile file(":/schema/" + name);
    if (!file.open(QIODevice::ReadOnly))
        throw Dao::DbError("The layout " + name + " is missing from the program.");
    return QString::fromUtf8(file.readAll());
}

// The upgrade to layout 8 builds what its new objects hold from the bookings already there.
const char kVersion8[] = R"(
DROP INDEX booking_Bgruppe_Bdato;
CREATE INDEX booking_Bgruppe_Bdato ON booking (Bgruppe, Bdato, Bookingnr, bstart, bslut, Lokalenr,
    Bcolor, Tentative, curacname, Beskrivelse);
CREATE VIEW booking_trigram_text AS
SELECT Bookingnr, Beskrivelse, ' ' || Bookingnr AS nr FROM booking;
CREATE VIRTUAL TABLE booking_trigram USING fts5(Beskrivelse, nr, content='booking_trigram_text',
    content_rowid='Bookingnr', tokenize='trigram case_sensitive 1', detail='none', columnsize=0);
INSERT INTO booking_trigram (booking_trigram) VALUES ('rebuild');
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
CREATE TABLE serieslut (
    gennr INTEGER PRIMARY KEY,
    Bdato INTEGER NOT NULL
);
INSERT INTO serieslut (gennr, Bdato)
SELECT gennr, max(Bdato) FROM booking
WHERE gentagende <> 0 AND gennr IS NOT NULL AND Bdato IS NOT NULL GROUP BY gennr;
CREATE INDEX serieslut_Bdato ON serieslut (Bdato);
CREATE TRIGGER booking_serieslut_insert AFTER INSERT ON booking
WHEN NEW.gentagende <> 0 AND NEW.gennr IS NOT NULL AND NEW.Bdato IS NOT NULL
BEGIN
    INSERT INTO serieslut (gennr, Bdato) VALUES (NEW.gennr, NEW.Bdato)
    ON CONFLICT (gennr) DO UPDATE SET Bdato = excluded.Bdato WHERE excluded.Bdato > Bdato;
END;
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
)";

const char kBackToVersion7[] = R"(
DROP TRIGGER booking_serieslut_insert; DROP TRIGGER booking_serieslut_update;
DROP TRIGGER booking_serieslut_delete; DROP TABLE serieslut;
DROP TRIGGER booking_trigram_insert; DROP TRIGGER booking_trigram_update;
DROP TRIGGER booking_trigram_delete; DROP TABLE booking_trigram; DROP VIEW booking_trigram_text;
DROP INDEX booking_Bgruppe_Bdato;
CREATE INDEX booking_Bgruppe_Bdato ON booking (Bgruppe, Bdato);
)";

} // namespace

// Each step: from, what brings a file of that version one up, and what turns the layout of the
// version after it back (used only to know what an older file holds).
Dao::FileSchema Bookingfile()
{
    return {"bookingfile",
            script("bookingfile.sql"),
            {
                // 0 -> 1: the archive's index by item.
                {0, "CREATE INDEX bookingarkiv_Lokalenr ON bookingarkiv (Lokalenr);",
                 "DROP INDEX bookingarkiv_Lokalenr;"},
                // 1 -> 2: the bookings of an account by day and the series by day.
                {1,
                 "CREATE INDEX booking_kontonr_Bdato ON booking (kontonr, Bdato);"
                 "CREATE INDEX booking_series ON booking (Bdato, gennr) WHERE gentagende <> 0;",
                 "DROP INDEX booking_kontonr_Bdato; DROP INDEX booking_series;"},
                // 2 -> 3: the archive's index by day holds what the period totals add up.
                {2,
                 "DROP INDEX bookingarkiv_Bdato;"
                 "CREATE INDEX bookingarkiv_Bdato ON bookingarkiv "
                 "(Bdato, Lokalenr, Antalpers, Pris, Bstart, Bslut);",
                 "DROP INDEX bookingarkiv_Bdato;"
                 "CREATE INDEX bookingarkiv_Bdato ON bookingarkiv (Bdato);"},
                // 3 -> 4: the lists read from their indexes alone: the end of each series,
                // the tentative bookings with their columns, the search's period.
                {3,
                 "CREATE INDEX booking_series_end ON booking (gennr, Bdato, gentagende) "
                 "WHERE gentagende <> 0;"
                 "DROP INDEX booking_tentative;"
                 "CREATE INDEX booking_tentative ON booking (Bdato, bstart, Bookingnr, bslut, "
                 "Lokalenr, kontonr, Tentative) WHERE Tentative <> 0;"
                 "CREATE INDEX booking_search ON booking (Bdato, bstart, Bookingnr, bslut, "
                 "kontonr, Lokalenr, Beskrivelse);",
                 "DROP INDEX booking_search; DROP INDEX booking_series_end;"
                 "DROP INDEX booking_tentative;"
                 "CREATE INDEX booking_tentative ON booking (Bdato, bstart) WHERE Tentative <> 0;"},
                // 4 -> 5: the archiving's mark on each booking it has copied, and the index of
                // the bookings it has not; the bookings the archive holds are marked.
                {4,
                 "ALTER TABLE booking ADD COLUMN arkiveret BOOLEAN DEFAULT 0;"
                 "UPDATE booking SET arkiveret = 1 WHERE Bookingnr IN "
                 "(SELECT Bookingnr FROM bookingarkiv);"
                 "CREATE INDEX booking_arkiveres ON booking (Bdato) WHERE arkiveret IS NOT 1;",
                 "DROP INDEX booking_arkiveres; ALTER TABLE booking DROP COLUMN arkiveret;"},
                // 5 -> 6: two indexes that lead wider ones go: every booking written paid for
                // them, and each statement that used them uses the wider one.
                {5, "DROP INDEX booking_Bdato; DROP INDEX booking_kontonr;",
                 "CREATE INDEX booking_Bdato ON booking (Bdato, bstart);"
                 "CREATE INDEX booking_kontonr ON booking (kontonr);"},
                // 6 -> 7: the index of the series members leaves out the single bookings, and
                // the bookings still to archive are listed in a table of their own, which takes
                // over from the mark on each booking.
                {6,
                 "DROP INDEX booking_gennr;"
                 "CREATE INDEX booking_gennr ON booking (gennr) WHERE gennr IS NOT NULL;"
                 "CREATE TABLE arkiveres (Bdato INTEGER NOT NULL, Bookingnr INTEGER NOT NULL, "
                 "PRIMARY KEY (Bdato, Bookingnr)) WITHOUT ROWID;"
                 "INSERT INTO arkiveres (Bdato, Bookingnr) SELECT Bdato, Bookingnr FROM booking "
                 "WHERE arkiveret IS NOT 1 AND Bdato IS NOT NULL;"
                 "DROP INDEX booking_arkiveres;"
                 "CREATE TRIGGER booking_arkiveres_insert AFTER INSERT ON booking "
                 "WHEN NEW.Bdato IS NOT NULL BEGIN INSERT OR IGNORE INTO arkiveres (Bdato, "
                 "Bookingnr) VALUES (NEW.Bdato, NEW.Bookingnr); END;"
                 "CREATE TRIGGER booking_arkiveres_move AFTER UPDATE OF Bdato ON booking "
                 "WHEN NEW.Bdato IS NOT OLD.Bdato BEGIN INSERT OR IGNORE INTO arkiveres (Bdato, "
                 "Bookingnr) SELECT NEW.Bdato, NEW.Bookingnr WHERE NEW.Bdato IS NOT NULL AND "
                 "(OLD.Bdato IS NULL OR EXISTS (SELECT 1 FROM arkiveres WHERE Bdato = OLD.Bdato "
                 "AND Bookingnr = OLD.Bookingnr)); DELETE FROM arkiveres WHERE Bdato = OLD.Bdato AND Bookingnr = "
                 "OLD.Bookingnr; END;"
                 "CREATE TRIGGER booking_arkiveres_delete AFTER DELETE ON booking BEGIN DELETE "
                 "FROM arkiveres WHERE Bdato = OLD.Bdato AND Bookingnr = OLD.Bookingnr; END;",
                 "DROP TRIGGER booking_arkiveres_insert; DROP TRIGGER booking_arkiveres_move;"
                 "DROP TRIGGER booking_arkiveres_delete; DROP TABLE arkiveres;"
                 "CREATE INDEX booking_arkiveres ON booking (Bdato) WHERE arkiveret IS NOT 1;"
                 "DROP INDEX booking_gennr; CREATE INDEX booking_gennr ON booking (gennr);"},
                // 7 -> 8: the day view's index holds the columns it shows, the search's index of
                // the texts it looks in, and the table of each series' last day.
                {7, kVersion8, kBackToVersion7},
            }};
}

Dao::FileSchema Paths()
{
    return {"paths.mdb",
            script("paths.sql"),
            {
                // 0 -> 1: the clipboard carries delivery, tax choice and price type.
                {0,
                 "ALTER TABLE standby ADD COLUMN leveringstype TEXT;"
                 "ALTER TABLE standby ADD COLUMN leveringssted TEXT;"
                 "ALTER TABLE standby ADD COLUMN tax BOOLEAN DEFAULT 0;"
                 "ALTER TABLE standby ADD COLUMN bvpris INTEGER DEFAULT 1;",
                 "DROP TABLE standby;"
                 "CREATE TABLE standby (Bookingnr INTEGER, bstart INTEGER, bslut INTEGER, "
                 "Beskrivelse TEXT, Bdato INTEGER, lokalenr INTEGER, Bgruppe INTEGER, "
                 "Bcolor INTEGER, Kontonr INTEGER, Kontaktperson2 TEXT, Kontaktpersonadr2 TEXT, "
                 "Kontaktpersonpnr2 TEXT, Kontaktpersonby2 TEXT, Kontakttlf2 TEXT, "
                 "Kontakttlfb2 TEXT, langbeskrivelse TEXT, Antalpers INTEGER, Pris DOUBLE, "
                 "ID INTEGER, Bemærkninger TEXT, gennr INTEGER, gentagende BOOLEAN, "
                 "Intern BOOLEAN, Tentative BOOLEAN, curacname TEXT, btid INTEGER DEFAULT 0);"},
                // 1 -> 2: the clipboard says whether its booking was cut and from which
                // bookingfile; a row from before says neither.
                {1,
                 "ALTER TABLE standby ADD COLUMN klippet BOOLEAN;"
                 "ALTER TABLE standby ADD COLUMN bookingfil TEXT;",
                 "ALTER TABLE standby DROP COLUMN bookingfil;"
                 "ALTER TABLE standby DROP COLUMN klippet;"},
            }};
}

void Install() { Dao::SchemaCheck::setKnownSchemas({Bookingfile(), Paths()}); }

} // namespace FileSchemas
