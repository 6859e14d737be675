#include "core/start.h"

#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "core/queries.h"
#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dbfile.h"
#include "platform/db/deadline.h"
#include "platform/db/recordset.h"
#include "platform/db/schemacheck.h"
#include "platform/db/statement.h"
#include "platform/system.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <algorithm>

#include <sqlite3.h>

// Resources of a static library must be registered from the global namespace.
static void initCoreResources() { Q_INIT_RESOURCE(core); }

namespace start {

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

const char kConnectHint[] = "Connect to an existing database or create a new.";

// How long each of start-up's own reads may take: it waits for nobody, so a file that keeps
// it busy is given up rather than waited for.
constexpr int kReadMilliseconds = 5000;

// Offers IntroConnect and says why the bookingfile cannot be used.
void refuse(const QString &why)
{
    Forms::get<IntroConnect>()->Show();
    MsgBox::show(why, MsgBox::OkOnly, "No Database Connection");
}

QString refusal(const QString &reason)
{
    return reason + "\n" + QString::fromLatin1(kConnectHint);
}

// The archiving date of row ID = 1 as read on db; null when the row or its date is missing.
QVariant archiveStamp(Dao::Database &db)
{
    auto rs = db.OpenRecordset("Select arkiveringsdato From arkiveringsdato Where ID = 1",
                               Dao::RecordsetType::ForwardOnly);
    const QVariant value = rs->EOF_() ? QVariant() : rs->Field(0);
    rs->Close();
    return value;
}

bool stampedOnOrAfter(const QVariant &stamp, const QDate &day)
{
    const QDateTime when = stamp.toDateTime();
    return when.isValid() && when.date() >= day;
}

void createPathsFile()
{
    initCoreResources();
    QFile script(":/schema/paths.sql");
    if (!script.open(QIODevice::ReadOnly))
        throw Dao::DbError("The layout of paths.mdb is missing from the program.");
    Dao::CreateDatabase(PathsFile(), QString::fromUtf8(script.readAll()));
}

bool pathsFileUsable()
{
    try {
        auto db = Dao::Database::open(PathsFile());
        return db->hasTable("stitabel");
    } catch (const Dao::DbError &) {
        return false;
    }
}

} // namespace

QString StoredBookingfilePath(bool *pathsOk, QString *why)
{
    if (pathsOk)
        *pathsOk = false;
    if (!QFile::exists(PathsFile()))
        return QString();
    try {
        auto db = Dao::Database::open(PathsFile());
        auto rs = db->OpenRecordset("stitabel", Dao::RecordsetType::Table);
        if (pathsOk)
            *pathsOk = true;
        if (rs->EOF_())
            return QString();
        rs->MoveFirst();
        return rs->Field("sti").toString();
    } catch (const Dao::DbError &e) {
        if (pathsOk)
            *pathsOk = false;
        // A paths.mdb that is whole but not of this program's layout is named as such.
        if (why && e.code() == Dao::SchemaCheck::ForeignLayout)
            *why = e.description();
        return QString();
    }
}

void StoreBookingfilePath(const QString &path)
{
    // paths.mdb holds only the chosen path, the clipboard and scratch tables: when it is gone
    // or damaged, a fresh one is made so that the choice can be stored.
    if (!QFile::exists(PathsFile()) || !pathsFileUsable())
        createPathsFile();
    auto db = Dao::Database::open(PathsFile());
    auto rs = db->OpenRecordset("stitabel", Dao::RecordsetType::Table);
    if (rs->EOF_()) {
        rs->AddNew();
    } else {
        rs->MoveFirst();
        rs->Edit();
    }
    rs->SetField("sti", path);
    rs->Update();
    rs->Close();
}

bool LoadSettings()
{
    auto db = Dao::Database::open(gDatabasePath);
    return Generalen::LoadSettings(*db);
}

// The range starts at the earliest booking that the archiving has still to copy, so that no
// booking is missed when the delay changes, a day passes without a start, or a booking is typed
// into an already archived day; the bookings already archived are not read at all.
int32_t ArchiveLowerBound(Dao::Database &db, int32_t upper)
{
    Dao::Statement st(db.handle(), "SELECT min(Bdato) FROM arkiveres WHERE Bdato < ?1");
    st.bind(1, QVariant(upper));
    const QVariant earliest = st.step() ? st.value(0) : QVariant();
    if (earliest.isNull())
        return upper;
    return std::min(upper, static_cast<int32_t>(earliest.toLongLong()));
}

namespace {

// Rows looked at or written by one short transaction of the archiving: small enough that a
// copy of the program waiting for the file gets it well within its busy timeout.
constexpr int kArchiveBatch = 500;

const char kArchiveColumns[] =
    "Bookingnr, Beskrivelse, Bstart, Bslut, Bdato, Bcolor, Bgruppe, Lokalenr, kontonr, "
    "Kontaktperson2, Kontaktpersonadr2, Kontaktpersonpnr2, Kontaktpersonby2, Kontakttlf2, "
    "Kontakttlfb2, langbeskrivelse, Antalpers, Pris, ID, Bemærkninger, gennr, gentagende, "
    "Intern, leveringssted, leveringstype, curacname";

QVariant firstValue(Dao::Database &db, const QString &sql, const QList<QVariant> &values)
{
    Dao::Statement st(db.handle(), sql);
    for (int i = 0; i < values.size(); ++i)
        st.bind(i + 1, values[i]);
    return st.step() ? st.value(0) : QVariant();
}

int run(Dao::Database &db, const QString &sql, const QList<QVariant> &values)
{
    Dao::Statement st(db.handle(), sql);
    for (int i = 0; i < values.size(); ++i)
        st.bind(i + 1, values[i]);
    while (st.step()) {
    }
    return sqlite3_changes(db.handle());
}

// A copy of the program that archives claims the work with a row of its own in
// arkiveringsdato (beside the stamp's row 1), holding when it last moved on. A copy started
// meanwhile finds a fresh claim and simply starts; a claim older than kClaimSeconds belongs to
// a copy that stopped, and the next start takes the work over. Two copies that archive at once
// still archive each booking once: the claim only spares the others the wait.
constexpr int kClaimId = 2;
constexpr int kClaimSeconds = 60;

QString nowText() { return System::now().toString("yyyy-MM-dd HH:mm:ss"); }

// True when this copy is to archive: there was no claim, or only a stale one. One statement,
// so that of two copies starting together one takes the claim.
bool claimArchiving(Dao::Database &db)
{
    Dao::Transaction trans(db);
    const int claimed = run(
        db,
        "INSERT INTO arkiveringsdato (ID, arkiveringsdato) VALUES (?1, ?2) ON CONFLICT (ID) "
        "DO UPDATE SET arkiveringsdato = excluded.arkiveringsdato WHERE "
        "julianday(arkiveringsdato) IS NULL OR abs(julianday(excluded.arkiveringsdato) - "
        "julianday(arkiveringsdato)) * 86400 >= ?3",
        {kClaimId, nowText(), kClaimSeconds});
    trans.commit();
    return claimed > 0;
}

// Keeps this copy's claim fresh; run inside each batch's transaction.
void renewClaim(Dao::Database &db)
{
    run(db, "UPDATE arkiveringsdato SET arkiveringsdato = ?2 WHERE ID = ?1", {kClaimId, nowText()});
}

// Archives the bookings before upper that arkiveres lists, from day lower on, a window of days
// at a time, each window in a transaction of its own that copies its bookings into the archive
// and takes them off the list. A window ends after about kArchiveBatch bookings (or after one
// day, when a day holds more), so no transaction reads or writes much. Another copy may archive
// the same days at the same time: its window finds them gone from the list, and each booking
// number enters the archive once.
void archiveInBatches(Dao::Database &db, int32_t lower, int32_t upper)
{
    const QString insert =
        QString::fromUtf8("INSERT INTO bookingarkiv (%1) SELECT %1 FROM booking WHERE Bookingnr "
                          "IN (SELECT Bookingnr FROM arkiveres WHERE Bdato >= ?1 AND Bdato < ?2)")
            .arg(QString::fromUtf8(kArchiveColumns));
    const QString done = "DELETE FROM arkiveres WHERE Bdato >= ?1 AND Bdato < ?2";
    int32_t day = lower;
    while (day < upper) {
        // The next day that holds a booking to archive, and the day after the window's last.
        const QVariant first = firstValue(
            db, "SELECT min(Bdato) FROM arkiveres WHERE Bdato >= ?1 AND Bdato < ?2", {day, upper});
        if (first.isNull())
            return;
        day = static_cast<int32_t>(first.toLongLong());
        const QVariant last = firstValue(db,
                                         "SELECT Bdato FROM arkiveres WHERE Bdato >= ?1 AND "
                                         "Bdato < ?2 ORDER BY Bdato LIMIT 1 OFFSET ?3",
                                         {day, upper, kArchiveBatch});
        const int32_t end = last.isNull() ? upper
                                          : std::max<int32_t>(day + 1, last.toLongLong());
        // The copy and the list's deletion see the same rows: the transaction holds the file's
        // write lock from its start, so no other copy adds a booking in between.
        Dao::Transaction trans(db);
        run(db, insert, {day, end});
        run(db, done, {day, end});
        renewClaim(db);
        trans.commit();
        day = end;
    }
}

// Deletes the bookings before purgeBefore that the archive holds, a batch per transaction. A
// booking not archived yet (typed into a past day by another copy meanwhile) stays until a later
// run has archived it.
void purgeInBatches(Dao::Database &db, int32_t purgeBefore)
{
    const QString purge = "DELETE FROM booking WHERE Bookingnr IN (SELECT b.Bookingnr FROM "
                          "booking b WHERE b.Bdato < ?1 AND EXISTS (SELECT 1 FROM bookingarkiv "
                          "a WHERE a.Bookingnr = b.Bookingnr) LIMIT ?2)";
    for (;;) {
        Dao::Transaction trans(db);
        const int deleted = run(db, purge, {purgeBefore, kArchiveBatch});
        renewClaim(db);
        trans.commit();
        if (deleted == 0)
            return;
    }
}

} // namespace

bool RunDailyArchiving()
{
    const QDate today = System::today();
    if (stampedOnOrAfter(gLastArchiveDate, today))
        return false;
    const int32_t todayNo = DateToDayNumber(today);
    const int32_t upper = todayNo - gArchiveDelay;
    // Nothing is purged that the archiving has not reached: a deletion delay shorter than the
    // archiving delay keeps the bookings in between until they are archived.
    const int32_t purgeBefore = std::min(todayNo - gDeleteDelay, upper);

    auto db = Dao::Database::open(gDatabasePath);
    // Another copy of the program may have run today's archiving since the date was read.
    const QVariant stamp = archiveStamp(*db);
    if (stampedOnOrAfter(stamp, today)) {
        gLastArchiveDate = stamp.toDateTime();
        return false;
    }
    // Another copy is archiving: this one starts, and the work is that copy's.
    if (!claimArchiving(*db))
        return false;
    // A day's bookings touch pages all over the booking table, the archive and their indexes.
    // A modest page cache may let a batch write some pages before it commits; one that holds a
    // whole batch costs more, in memory claimed afresh on every start, than that saves.
    sqlite3_exec(db->handle(), "PRAGMA cache_size = -8192", nullptr, nullptr, nullptr);
    // In short transactions, so that other copies are never kept waiting long: a batch is
    // archived before it is purged, and the date is stamped last. A run cut short leaves each
    // booking either in booking, in the archive, or both; the next start finishes the work.
    try {
        archiveInBatches(*db, ArchiveLowerBound(*db, upper), upper);
        purgeInBatches(*db, purgeBefore);
    } catch (const Dao::DbError &) {
        // The next start takes the work over at once, not only when the claim has gone stale.
        try {
            run(*db, "DELETE FROM arkiveringsdato WHERE ID = ?1", {kClaimId});
        } catch (const Dao::DbError &) {
        }
        throw;
    }
    {
        // The claim goes with the stamp: the stamp's statement writes every row of the table.
        Dao::Transaction trans(*db);
        run(*db, "DELETE FROM arkiveringsdato WHERE ID = ?1", {kClaimId});
        Queries::SqlStampArchiveDate();
        db->Execute(gSql);
        trans.commit();
    }
    gLastArchiveDate = QDateTime(today, QTime(0, 0));
    return true;
}

namespace {
QString &accepted()
{
    static QString path;
    return path;
}
} // namespace

QString AcceptedBookingfile() { return accepted(); }

bool StartUp()
{
    accepted().clear();
    bool pathsOk = false;
    QString pathsWhy;
    gDatabasePath = StoredBookingfilePath(&pathsOk, &pathsWhy);
    if (!pathsOk) {
        refuse(refusal(pathsWhy.isEmpty()
                           ? "The file paths.mdb in the program's folder is missing or damaged."
                           : pathsWhy));
        return false;
    }
    QString why;
    if (!IsBookingDatabase(gDatabasePath, &why)) {
        refuse(why.isEmpty() ? "No default database is connected. Connect to an existing "
                               "database or create a new."
                             : refusal(why));
        return false;
    }
    try {
        const Dao::Deadline bound(kReadMilliseconds);
        if (!LoadSettings()) {
            refuse(refusal("The bookingfile " + gDatabasePath + " holds no settings row."));
            return false;
        }
        gCurrentDay = DateToDayNumber(System::now());
        System::setHelpFile(QDir(System::programFolder()).filePath("Vantix Help.html"));
        {
            auto db = Dao::Database::open(gDatabasePath);
            if (!db->hasTable("arkiveringsdato")
                || !RecordExists("arkiveringsdato", "ID", 1)) {
                refuse(refusal("The bookingfile " + gDatabasePath
                               + " holds no archiving date."));
                return false;
            }
        }
        gLastArchiveDate = LookupWhere("arkiveringsdato", "arkiveringsdato", "ID = 1")
                               .toDateTime();
    } catch (const Dao::DbError &e) {
        refuse(refusal("The bookingfile " + gDatabasePath + " cannot be used: "
                       + e.description()));
        return false;
    }
    try {
        RunDailyArchiving();
    } catch (const Dao::DbError &e) {
        // The batch that failed is rolled back: nothing is lost, and the next start finishes.
        MsgBox::show("The daily archiving could not run: " + e.description()
                         + "\nIt runs again at the next start.",
                     MsgBox::OkOnly, "Archiving");
    }
    try {
        const Dao::Deadline bound(kReadMilliseconds);
        LoadFirstGroups();
    } catch (const Dao::DbError &e) {
        refuse(refusal("The bookingfile " + gDatabasePath + " cannot be used: "
                       + e.description()));
        return false;
    }
    accepted() = gDatabasePath;
    // A login asks for the password again, also after another bookingfile was chosen.
    auto *login = Forms::get<frmLogin>();
    login->txtPassword->clear();
    login->Show();
    return true;
}

namespace {
std::function<void()> &afterLogin()
{
    // Installed from other files' static objects, so made on first use.
    static std::function<void()> show;
    return show;
}
} // namespace

void setAfterLogin(std::function<void()> show) { afterLogin() = std::move(show); }

void AfterLogin()
{
    if (afterLogin())
        afterLogin()();
}

} // namespace start
