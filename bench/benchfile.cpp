#include "benchfile.h"

#include "core/fileschemas.h"
#include "platform/daynumber.h"
#include "platform/db/dberror.h"
#include "platform/db/schemacheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace BenchFile {

namespace {

// Raised whenever what the maker writes changes, so that no cached file of an older layout is
// used.
constexpr int LayoutVersion = 4;
constexpr int Span = 365;   // bookings lie from today - Span to today + Span - 1

void exec(sqlite3 *db, const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw std::runtime_error(text + " in: " + sql.left(200).toStdString());
    }
}

QStringList column(sqlite3 *db, const char *sql)
{
    QStringList out;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    while (sqlite3_step(st) == SQLITE_ROW)
        out.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))));
    sqlite3_finalize(st);
    return out;
}

// A sequence 1..count as a recursive common table expression named n(i).
QString numbers(qint64 count)
{
    return QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
        .arg(count);
}

void fill(sqlite3 *db, int bookings)
{
    const int32_t t = todayNumber();
    const int32_t week = shownWeek();
    exec(db, "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) "
             "VALUES (1, 'Rooms', 1)");
    exec(db, QString("INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, "
                     "gruppeart) VALUES (%1, 'Rooms', 1, 1), (%2, 'Vans', 1, 1)")
                 .arg(BigType)
                 .arg(SmallType));
    exec(db, numbers(Items) + QString("INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, "
                                      "Gruppeart, gebyr, inaktiv) SELECT i, 'Item ' || i, "
                                      "CASE WHEN i <= %1 THEN %2 ELSE %3 END, 1, 100, 0 FROM n")
                                  .arg(BigItems)
                                  .arg(BigType)
                                  .arg(SmallType));
    exec(db, numbers(Accounts - 1)
                 + "INSERT INTO Konti (ID, Kontonavn, kontokontakt, Kontoadresse, Kontopnr, "
                   "Kontoby, Kontotlf, kontomail, Kontotype) SELECT i + 1, 'Account ' || (i + 1), "
                   "'Contact ' || i, 'Street ' || i, '8000', 'Aarhus', '86 ' || i, "
                   "'a' || i || '@example.org', CASE WHEN i % 2 = 0 THEN 'p' ELSE 'g' END FROM n");
    // The bulk: spread over the two years by a multiplicative step, never in the shown week.
    const QString day = QString("(%1 + (i * 7919) % %2)").arg(t - Span).arg(2 * Span);
    exec(db, numbers(bookings)
                 + QString("INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, "
                           "Bgruppe, Lokalenr, kontonr, curacname, Antalpers, Pris, Tentative, "
                           "gennr, gentagende) SELECT i, 'Booking ' || i, "
                           "CASE WHEN %1 BETWEEN %2 AND %3 THEN %1 + 7 ELSE %1 END, "
                           "420 + (i * 104729) % 24 * 30, 480 + (i * 104729) % 24 * 30 + "
                           "(i % 2) * 60, CASE WHEN 1 + (i * 7) % %4 <= %5 THEN %6 ELSE %7 END, "
                           "1 + (i * 7) % %4, 1 + (i * 613) % %8, 'Administrator', i % 20, 100, "
                           "i % 100 = 0, CASE WHEN (i - 1) / 10 % 5 = 0 THEN i - (i - 1) % 10 END, "
                           "(i - 1) / 10 % 5 = 0 FROM n")
                       .arg(day)
                       .arg(week)
                       .arg(week + 6)
                       .arg(Items)
                       .arg(BigItems)
                       .arg(BigType)
                       .arg(SmallType)
                       .arg(Accounts));
    // The shown week: two bookings per item and day, item 1's as one series.
    const int first = bookings + 1;
    exec(db, QString("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1), "
                     "s(nr, item, d, k) AS (SELECT %2 + i, i / 14 + 1, i / 2 % 7, i % 2 FROM n) "
                     "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, "
                     "Lokalenr, kontonr, curacname, Antalpers, Pris, gennr, gentagende) "
                     "SELECT nr, 'Shown ' || nr, %3 + d, "
                     "CASE WHEN item % 2 = 1 THEN CASE k WHEN 0 THEN 540 ELSE 780 END "
                     "ELSE CASE k WHEN 0 THEN 600 ELSE 900 END END, "
                     "CASE WHEN item % 2 = 1 THEN CASE k WHEN 0 THEN 600 ELSE 870 END "
                     "ELSE CASE k WHEN 0 THEN 660 ELSE 960 END END, "
                     "CASE WHEN item <= %4 THEN %5 ELSE %6 END, item, 2 + item, 'Administrator', "
                     "4, 100, CASE WHEN item = 1 THEN %2 END, item = 1 FROM s")
                 .arg(Items * 14 - 1)
                 .arg(first)
                 .arg(week)
                 .arg(BigItems)
                 .arg(BigType)
                 .arg(SmallType));
    // The archive: every booking older than the archiving delay (the others listed as still
    // to archive), and as many per day again from the year before, which the purge has
    // already taken out of the booking table.
    exec(db, QString("INSERT INTO bookingarkiv (Bookingnr, Beskrivelse, Bstart, Bslut, Bdato, "
                     "Bcolor, Bgruppe, Lokalenr, kontonr, Antalpers, Pris, gennr, gentagende, "
                     "Intern, curacname) SELECT Bookingnr, Beskrivelse, bstart, bslut, Bdato, "
                     "Bcolor, Bgruppe, Lokalenr, kontonr, Antalpers, Pris, gennr, gentagende, "
                     "Intern, curacname FROM booking WHERE Bdato < %1")
                 .arg(t - ArchiveDelay));
    exec(db, QString("INSERT INTO arkiveres (Bdato, Bookingnr) SELECT Bdato, Bookingnr FROM "
                     "booking WHERE Bdato >= %1")
                 .arg(t - ArchiveDelay));
    const int older = bookings / 2;
    const int olderFirst = bookings + Items * 14 + 1;
    exec(db, numbers(older)
                 + QString("INSERT INTO bookingarkiv (Bookingnr, Beskrivelse, Bstart, Bslut, "
                           "Bdato, Bcolor, Bgruppe, Lokalenr, kontonr, Antalpers, Pris, "
                           "gentagende, Intern, curacname) SELECT %1 + i, 'Archived ' || i, "
                           "420 + (i * 104729) % 24 * 30, 480 + (i * 104729) % 24 * 30, "
                           "%2 + (i * 7919) % %3, 255, CASE WHEN 1 + (i * 7) % %4 <= %5 THEN "
                           "%6 ELSE %7 END, 1 + (i * 7) % %4, 1 + (i * 613) % %8, i % 20, 100, "
                           "0, 0, 'Administrator' FROM n")
                       .arg(olderFirst - 1)
                       .arg(t - 2 * Span)
                       .arg(Span)
                       .arg(Items)
                       .arg(BigItems)
                       .arg(BigType)
                       .arg(SmallType)
                       .arg(Accounts));
    exec(db, QString("UPDATE næstenøgle SET nextkey = %1").arg(olderFirst + older + 1));
    exec(db, QString("UPDATE institutionsoplysninger SET arCdEl = %1, deldel = %2, Åbntid = 25200, "
                     "Luktid = 79200, Skemastart = 25200, Skemaslut = 79200, Timeunits = 30")
                 .arg(ArchiveDelay)
                 .arg(DeleteDelay));
    exec(db, QString("UPDATE arkiveringsdato SET arkiveringsdato = '%1 00:00:00'")
                 .arg(today().toString("yyyy-MM-dd")));
}

// The daily archiving writes the archive a day at a time, each day's bookings at scattered
// booking numbers, so its table and indexes hold the free room that such writing leaves in their
// pages. A bulk copy packs them full, and then every archived booking would split a page: the
// archive is written again here in the order of days, with its indexes in place.
void layArchiveByDay(sqlite3 *db)
{
    exec(db, "CREATE TEMP TABLE archive AS SELECT * FROM bookingarkiv; DELETE FROM bookingarkiv; "
             "INSERT INTO bookingarkiv SELECT * FROM archive ORDER BY Bdato, Bookingnr; "
             "DROP TABLE archive");
}

// Fills a copy of the empty bookingfile. The indexes and triggers of the two booking tables
// are dropped while the rows go in and made again after, with what the triggers keep: the same
// schema and rows, made in a fraction of the time.
void make(const QString &path, int bookings, const QString &emptyDatabase)
{
    const QString part = path + ".part";
    QFile::remove(part);
    if (!QFile::copy(emptyDatabase, part))
        throw std::runtime_error("cannot copy " + emptyDatabase.toStdString()
                                 + "; build the target databases first");
    QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *db = nullptr;
    if (sqlite3_open(part.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + part.toStdString());
    try {
        exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                 "PRAGMA cache_size = -262144");
        const QStringList again = column(
            db, "SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND "
                "tbl_name IN ('booking', 'bookingarkiv') AND sql IS NOT NULL");
        const QStringList drops = column(
            db, "SELECT CASE type WHEN 'index' THEN 'DROP INDEX \"' ELSE 'DROP TRIGGER \"' END "
                "|| name || '\"' FROM sqlite_master WHERE type IN ('index', 'trigger') AND "
                "tbl_name IN ('booking', 'bookingarkiv') AND sql IS NOT NULL");
        exec(db, "BEGIN");
        for (const QString &drop : drops)
            exec(db, drop);
        fill(db, bookings);
        for (const QString &sql : again)
            exec(db, sql);
        // What the booking table's triggers keep, made from the bookings at once.
        exec(db, "INSERT INTO booking_trigram (booking_trigram) VALUES ('rebuild')");
        exec(db, "INSERT INTO serieslut (gennr, Bdato) SELECT gennr, max(Bdato) FROM booking "
                 "WHERE gentagende <> 0 AND gennr IS NOT NULL AND Bdato IS NOT NULL "
                 "GROUP BY gennr");
        layArchiveByDay(db);
        exec(db, "COMMIT");
    } catch (...) {
        sqlite3_close(db);
        QFile::remove(part);
        throw;
    }
    sqlite3_close(db);
    QFile::remove(path);
    if (!QFile::rename(part, path))
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString cacheFolder()
{
    const QByteArray env = qgetenv("VANTIX_BENCH_CACHE");
    const QString folder = env.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::TempLocation)
                                     + "/vantix-bench"
                               : QString::fromLocal8Bit(env);
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot make " + folder.toStdString());
    return folder;
}

// Names the schema a cached file was made from: a changed index makes a new file.
QString schemaKey(const QString &emptyDatabase)
{
    QFile file(emptyDatabase);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + emptyDatabase.toStdString()
                                 + "; build the target databases first");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex().left(10);
}

// Brings the newest cached file of this size and maker version, made from an earlier layout, up
// to today's through the program's own upgrade steps: seconds, where making the file anew takes
// minutes. False when there is none or its layout is not an earlier version of today's.
bool upgradeCached(const QString &target, int bookings)
{
    const QDir folder(cacheFolder());
    const QStringList older = folder.entryList(
        {QString("bookings%1-v%2-*.mdb").arg(bookings).arg(LayoutVersion)}, QDir::Files,
        QDir::Time);
    FileSchemas::Install();
    const QString part = target + ".part";
    for (const QString &name : older) {
        QFile::remove(part);
        if (!QFile::copy(folder.filePath(name), part))
            continue;
        QFile::setPermissions(part, QFile::ReadOwner | QFile::WriteOwner);
        sqlite3 *db = nullptr;
        bool upgraded = false;
        if (sqlite3_open(part.toUtf8().constData(), &db) == SQLITE_OK) {
            try {
                std::fprintf(stderr, "bringing %s up to today's layout ...\n", qPrintable(name));
                Dao::SchemaCheck::verify(db, part);
                upgraded = true;
            } catch (const Dao::DbError &e) {
                std::fprintf(stderr, "  not used: %s\n", qPrintable(e.description()));
            }
        }
        sqlite3_close(db);
        if (upgraded && QFile::rename(part, target))
            return true;
        QFile::remove(part);
    }
    return false;
}

} // namespace

QDate today() { return QDate(2026, 3, 4); }

int32_t todayNumber() { return DayNumber::fromDate(today()); }

int32_t shownWeek()
{
    const int32_t d = todayNumber() + 14;
    return d - d % 7;   // day 0 was a Monday
}

int32_t ordinaryDay() { return todayNumber() + 30; }

int32_t seriesNumber(int bookings) { return bookings + 1; }

int32_t singleBooking(int bookings) { return bookings + 15; }

QString copyTo(const QString &folder, int bookings, const QString &emptyDatabase)
{
    const QString cached = QString("%1/bookings%2-v%3-%4.mdb")
                               .arg(cacheFolder())
                               .arg(bookings)
                               .arg(LayoutVersion)
                               .arg(schemaKey(emptyDatabase));
    if (!QFileInfo::exists(cached) && !upgradeCached(cached, bookings)) {
        std::fprintf(stderr, "making %s ...\n", qPrintable(cached));
        make(cached, bookings, emptyDatabase);
    }
    const QString path = QString("%1/bookings%2.mdb").arg(folder).arg(bookings);
    QFile::remove(path);
    if (!QFile::copy(cached, path))
        throw std::runtime_error("cannot copy " + cached.toStdString());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

} // namespace BenchFile
