// The daily run: the check of the bookingfile, the archiving and the purge. Start-up starts it
// once the login is shown, on a thread and a connection of its own, and its messages appear when
// it ends; the login and the planner never wait for it.
#include "core/start.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/msgbox.h"
#include "platform/db/damage.h"
#include "platform/db/database.h"
#include "platform/db/integrity.h"
#include "platform/db/recordset.h"
#include "platform/db/statement.h"
#include "platform/system.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <sqlite3.h>

namespace start {

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

// Rows looked at or written by one short transaction of the archiving: small enough that a
// copy of the program waiting for the file gets it well within its busy timeout.
constexpr int kArchiveBatch = 500;

// How long the day's check of the whole bookingfile may take, off the window's thread.
constexpr int kDailyCheckMilliseconds = 10 * 60 * 1000;

// How often the window's thread looks whether a run has ended.
constexpr int kWatchMilliseconds = 200;

const char kArchiveColumns[] =
    "Bookingnr, Beskrivelse, Bstart, Bslut, Bdato, Bcolor, Bgruppe, Lokalenr, kontonr, "
    "Kontaktperson2, Kontaktpersonadr2, Kontaktpersonpnr2, Kontaktpersonby2, Kontakttlf2, "
    "Kontakttlfb2, langbeskrivelse, Antalpers, Pris, ID, Bemærkninger, gennr, gentagende, "
    "Intern, leveringssted, leveringstype, curacname";

// What one run needs, read from the program state before it starts: while it runs it reads
// none, so that it may run on a thread of its own.
struct Job
{
    QString path;
    QDate today;
    int32_t upper = 0;         // bookings before this day are archived
    int32_t purgeBefore = 0;   // archived bookings before this day are purged
    QString stampSql;
    QDateTime startedAt;       // the clock at the start; the claim's times count on from it
    QElapsedTimer running;
    std::function<bool()> stopped = [] { return false; };

    QString nowText() const
    {
        return startedAt.addMSecs(running.elapsed()).toString("yyyy-MM-dd HH:mm:ss");
    }
};

// What a run came to, shown and taken into the program state on the window's thread.
struct Outcome
{
    QString path;
    bool stamped = false;
    QDate today;
    struct Message
    {
        QString text;
        int style = MsgBox::OkOnly;
        QString title;
    };
    std::vector<Message> messages;
};

// The run was asked to stop (the program ends): the batch done last is kept, and the next start
// finishes the work.
struct Stopped
{
};

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

// True when this copy is to archive: there was no claim, or only a stale one. One statement,
// so that of two copies starting together one takes the claim.
bool claimArchiving(Dao::Database &db, const Job &job)
{
    Dao::Transaction trans(db);
    const int claimed = run(
        db,
        "INSERT INTO arkiveringsdato (ID, arkiveringsdato) VALUES (?1, ?2) ON CONFLICT (ID) "
        "DO UPDATE SET arkiveringsdato = excluded.arkiveringsdato WHERE "
        "julianday(arkiveringsdato) IS NULL OR abs(julianday(excluded.arkiveringsdato) - "
        "julianday(arkiveringsdato)) * 86400 >= ?3",
        {kClaimId, job.nowText(), kClaimSeconds});
    trans.commit();
    return claimed > 0;
}

// Keeps this copy's claim fresh; run inside each batch's transaction.
void renewClaim(Dao::Database &db, const Job &job)
{
    run(db, "UPDATE arkiveringsdato SET arkiveringsdato = ?2 WHERE ID = ?1",
        {kClaimId, job.nowText()});
}

void stopIfAsked(const Job &job)
{
    if (job.stopped())
        throw Stopped();
}

// Archives the bookings before upper that arkiveres lists, from day lower on, a window of days
// at a time, each window in a transaction of its own that copies its bookings into the archive
// and takes them off the list. A window ends after about kArchiveBatch bookings (or after one
// day, when a day holds more), so no transaction reads or writes much. Another copy may archive
// the same days at the same time: its window finds them gone from the list, and each booking
// number enters the archive once.
void archiveInBatches(Dao::Database &db, const Job &job, int32_t lower)
{
    const int32_t upper = job.upper;
    const QString insert =
        QString::fromUtf8("INSERT INTO bookingarkiv (%1) SELECT %1 FROM booking WHERE Bookingnr "
                          "IN (SELECT Bookingnr FROM arkiveres WHERE Bdato >= ?1 AND Bdato < ?2)")
            .arg(QString::fromUtf8(kArchiveColumns));
    const QString done = "DELETE FROM arkiveres WHERE Bdato >= ?1 AND Bdato < ?2";
    int32_t day = lower;
    while (day < upper) {
        stopIfAsked(job);
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
        renewClaim(db, job);
        trans.commit();
        day = end;
    }
}

// Deletes the bookings before purgeBefore that the archive holds, a batch per transaction. A
// booking not archived yet (typed into a past day by another copy meanwhile) stays until a later
// run has archived it.
void purgeInBatches(Dao::Database &db, const Job &job)
{
    const QString purge = "DELETE FROM booking WHERE Bookingnr IN (SELECT b.Bookingnr FROM "
                          "booking b WHERE b.Bdato < ?1 AND EXISTS (SELECT 1 FROM bookingarkiv "
                          "a WHERE a.Bookingnr = b.Bookingnr) LIMIT ?2)";
    for (;;) {
        stopIfAsked(job);
        Dao::Transaction trans(db);
        const int deleted = run(db, purge, {job.purgeBefore, kArchiveBatch});
        renewClaim(db, job);
        trans.commit();
        if (deleted == 0)
            return;
    }
}

// What a run does under its claim before it archives; false: it archives nothing.
using FirstStep = std::function<bool(Dao::Database &)>;

// The run of the job's day: true when it archived, false when the day was stamped already,
// another copy is at the work, or the first step said no. Throws Dao::DbError, and Stopped.
bool archive(const Job &job, const FirstStep &first = nullptr)
{
    auto db = Dao::Database::open(job.path);
    // Another copy of the program may have run today's archiving since the date was read.
    if (stampedOnOrAfter(archiveStamp(*db), job.today))
        return false;
    // Another copy is at the day's run: this one starts, and the work is that copy's.
    if (!claimArchiving(*db, job))
        return false;
    // A day's bookings touch pages all over the booking table, the archive and their indexes.
    // A modest page cache may let a batch write some pages before it commits; one that holds a
    // whole batch costs more, in memory claimed afresh on every start and held beside the
    // windows' own while the run goes on behind them, than that saves.
    sqlite3_exec(db->handle(), "PRAGMA cache_size = -2048", nullptr, nullptr, nullptr);
    // In short transactions, so that other copies are never kept waiting long: a batch is
    // archived before it is purged, and the date is stamped last. A run cut short leaves each
    // booking either in booking, in the archive, or both; the next start finishes the work.
    try {
        if (first && !first(*db))
            return false;   // the claim goes stale: nothing more is written to a damaged file
        archiveInBatches(*db, job, ArchiveLowerBound(*db, job.upper));
        purgeInBatches(*db, job);
    } catch (...) {
        // The next start takes the work over at once, not only when the claim has gone stale.
        try {
            run(*db, "DELETE FROM arkiveringsdato WHERE ID = ?1", {kClaimId});
        } catch (const Dao::DbError &) {
        }
        throw;
    }
    // The claim goes with the stamp: the stamp's statement writes every row of the table.
    Dao::Transaction trans(*db);
    run(*db, "DELETE FROM arkiveringsdato WHERE ID = ?1", {kClaimId});
    db->Execute(job.stampSql);
    trans.commit();
    return true;
}

// The job of today's run from the program state; none when the last run is today's.
std::unique_ptr<Job> todaysJob()
{
    const QDate today = System::today();
    if (stampedOnOrAfter(gLastArchiveDate, today))
        return nullptr;
    auto job = std::make_unique<Job>();
    job->path = gDatabasePath;
    job->today = today;
    const int32_t todayNo = DateToDayNumber(today);
    job->upper = todayNo - gArchiveDelay;
    // Nothing is purged that the archiving has not reached: a deletion delay shorter than the
    // archiving delay keeps the bookings in between until they are archived.
    job->purgeBefore = std::min(todayNo - gDeleteDelay, job->upper);
    Queries::SqlStampArchiveDate();
    job->stampSql = gSql;
    job->startedAt = System::now();
    job->running.start();
    return job;
}

void showArchivingFailure(Outcome &out, const QString &why)
{
    // The batch that failed is rolled back: nothing is lost, and the next start finishes.
    out.messages.push_back({"The daily archiving could not run: " + why
                                + "\nIt runs again at the next start.",
                            MsgBox::OkOnly, "Archiving"});
}

// The day's whole run, under the claim: the check of the file first, since nothing more is
// written to a damaged file, then the archiving and the purge.
Outcome runDay(const Job &job)
{
    Outcome out;
    out.path = job.path;
    out.today = job.today;
    const auto check = [&](Dao::Database &db) {
        // The check of a big file takes minutes: the claim is kept fresh meanwhile.
        QElapsedTimer renewed;
        renewed.start();
        const auto stoppedOrRenew = [&] {
            if (renewed.elapsed() > kClaimSeconds * 1000 / 3) {
                try {
                    renewClaim(db, job);
                } catch (const Dao::DbError &) {
                }
                renewed.restart();
            }
            return job.stopped();
        };
        const Dao::Integrity::Finding found = Dao::Integrity::checkCopy(
            job.path, QDir::tempPath(), kDailyCheckMilliseconds, stoppedOrRenew);
        if (found.outcome == Dao::Integrity::Outcome::Damaged) {
            out.messages.push_back({Dao::Damage::textForFile(job.path, found.detail),
                                    MsgBox::OkOnly | MsgBox::Exclamation, QString()});
            return false;
        }
        stopIfAsked(job);
        return true;
    };
    try {
        out.stamped = archive(job, check);
    } catch (const Dao::DbError &e) {
        showArchivingFailure(out, e.description());
    } catch (const Stopped &) {
    }
    return out;
}

// A run on its thread, and what it came to once it ended.
struct Running
{
    std::unique_ptr<Job> job;
    std::thread thread;
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false};
    Outcome outcome;
};

// The runs started and not yet taken in; used on the window's thread only. When the program
// ends without its event loop, they are stopped after their batch and waited for.
struct Runs
{
    std::vector<std::unique_ptr<Running>> all;
    ~Runs()
    {
        for (auto &r : all)
            r->stop = true;
        for (auto &r : all)
            if (r->thread.joinable())
                r->thread.join();
    }
};

std::vector<std::unique_ptr<Running>> &runs()
{
    static Runs runs;
    return runs.all;
}

// Takes what a run came to into the program state and shows its messages.
void takeIn(const Outcome &out, bool show)
{
    if (out.stamped && out.path == gDatabasePath)
        gLastArchiveDate = QDateTime(out.today, QTime(0, 0));
    if (!show)
        return;
    for (const Outcome::Message &m : out.messages)
        MsgBox::show(m.text, m.style, m.title);
}

// Ends every run: waited for, or stopped after its batch and then waited for.
void finishRuns(bool stop, bool show)
{
    auto &all = runs();
    for (auto &r : all)
        if (stop)
            r->stop = true;
    // Taken out first: a message shown below may run the event loop, which takes in runs too.
    std::vector<std::unique_ptr<Running>> ending;
    ending.swap(all);
    for (auto &r : ending) {
        if (r->thread.joinable())
            r->thread.join();
        takeIn(r->outcome, show);
    }
}

// Takes in the runs that have ended, when the event loop comes to it.
void takeInEnded()
{
    auto &all = runs();
    std::vector<std::unique_ptr<Running>> ended;
    for (auto it = all.begin(); it != all.end();) {
        if ((*it)->ended) {
            ended.push_back(std::move(*it));
            it = all.erase(it);
        } else {
            ++it;
        }
    }
    for (auto &r : ended) {
        r->thread.join();
        takeIn(r->outcome, true);
    }
}

} // namespace

int32_t ArchiveLowerBound(Dao::Database &db, int32_t upper)
{
    Dao::Statement st(db.handle(), "SELECT min(Bdato) FROM arkiveres WHERE Bdato < ?1");
    st.bind(1, QVariant(upper));
    const QVariant earliest = st.step() ? st.value(0) : QVariant();
    if (earliest.isNull())
        return upper;
    return std::min(upper, static_cast<int32_t>(earliest.toLongLong()));
}

bool RunDailyArchiving()
{
    const std::unique_ptr<Job> job = todaysJob();
    if (!job)
        return false;
    bool ran = false;
    try {
        ran = archive(*job);
    } catch (const Stopped &) {
    }
    if (!ran) {
        // Another copy of the program may have run today's archiving since the date was read.
        auto db = Dao::Database::open(job->path);
        const QVariant stamp = archiveStamp(*db);
        if (stampedOnOrAfter(stamp, job->today))
            gLastArchiveDate = stamp.toDateTime();
        return false;
    }
    gLastArchiveDate = QDateTime(job->today, QTime(0, 0));
    return true;
}

bool StartDailyArchiving()
{
    std::unique_ptr<Job> job = todaysJob();
    if (!job)
        return false;
    static bool quitHooked = false;
    if (!quitHooked && QCoreApplication::instance()) {
        quitHooked = true;
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         [] { finishRuns(true, false); });
    }
    auto r = std::make_unique<Running>();
    Running *running = r.get();
    r->job = std::move(job);
    r->job->stopped = [running] { return running->stop.load(); };
    r->thread = std::thread([running] {
        running->outcome = runDay(*running->job);
        running->ended = true;
    });
    runs().push_back(std::move(r));
    // The window's thread looks now and then whether a run has ended: the run's thread touches
    // nothing of the windows.
    if (QCoreApplication::instance()) {
        static QPointer<QTimer> watch;
        if (!watch) {
            watch = new QTimer(QCoreApplication::instance());
            watch->setInterval(kWatchMilliseconds);
            QObject::connect(watch, &QTimer::timeout, [] {
                takeInEnded();
                if (runs().empty())
                    watch->stop();
            });
        }
        watch->start();
    }
    return true;
}

void WaitForDailyArchiving() { finishRuns(false, true); }

} // namespace start
