#include "core/extrafunktioner.h"
#include "platform/daynumber.h"

#include "core/format.h"
#include "core/generalen.h"
#include "platform/db/database.h"
#include "platform/db/deadline.h"
#include "platform/db/recordset.h"
#include "platform/db/schemacheck.h"
#include "platform/system.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace Extrafunktioner {

using namespace Generalen;

namespace {

std::unique_ptr<Dao::Database> openBookingfile() { return Dao::Database::open(gDatabasePath); }

QVariant firstValue(Dao::Database &db, const QString &sql)
{
    auto rs = db.OpenRecordset(sql, Dao::RecordsetType::ForwardOnly);
    const QVariant value = rs->EOF_() ? QVariant() : rs->Field(0);
    rs->Close();
    return value;
}

QString selectText(const QString &head, const QString &table, const QString &criteria)
{
    QString sql = head + " From " + table;
    if (!criteria.isEmpty())
        sql += " Where " + criteria;
    return sql;
}

// How long the checks of a chosen file may take, lock waits included.
constexpr int kCheckMilliseconds = 2000;

// Refused for its layout: a database, but one holding tables, views or triggers of its own.
bool foreignLayout(const Dao::DbError &e) { return e.code() == Dao::SchemaCheck::ForeignLayout; }

// Why a file was refused, when the user can do something about it: it is in use, damaged or
// of another layout; empty for a file that is simply no database or no bookingfile.
QString refusalText(const QString &path, const Dao::DbError &e)
{
    if (e.inUse())
        return "The file " + QDir::toNativeSeparators(path)
               + " is in use by another user or program (it is locked). Try again in a moment.";
    if (e.damaged() || foreignLayout(e))
        return e.description();
    return QString();
}

// Opens the file once and looks for RUC when a bookingfile is asked for. The integrity check
// reads the whole file, so it runs only when the user opens or creates a bookingfile (cut short
// by the caller's bound on a very large file), not at every start: damage a start meets later is
// reported by the database layer. Throws Dao::DbError.
void checkOnce(const QString &path, bool bookingfile, bool integrity)
{
    auto db = Dao::Database::open(path);
    if (bookingfile) {
        auto rs = db->OpenRecordset("RUC");
        rs->Close();
    }
    if (integrity)
        db->CheckIntegrity(kCheckMilliseconds);
}

// A number as decimal text with one leading blank when it is not negative.
QString blankNumber(int32_t n) { return n >= 0 ? " " + QString::number(n) : QString::number(n); }
} // namespace

int32_t DateToDayNumber(const QDate &d) { return DayNumber::fromDate(d); }

int32_t DateToDayNumber(const QDateTime &d) { return DateToDayNumber(d.date()); }

QDate DayNumberToDate(int32_t n) { return DayNumber::toDate(n); }

int32_t TimeToMinutes(const QTime &t) { return t.hour() * 60 + t.minute(); }

QTime MinutesToTime(int32_t n)
{
    const int m = ((n % 1440) + 1440) % 1440;
    return QTime(m / 60, m % 60);
}

QDate WeekStartDate(const QDate &d)
{
    const int w = d.dayOfWeek();   // Monday 1 ... Sunday 7
    if (gFirstDay == QLatin1String("0"))
        return d.addDays(-(w % 7));
    return d.addDays(-(w - 1));
}

int32_t ShownWeekNumber() { return DayNumberToDate(gWeekStartDay).weekNumber(); }

int32_t NextKey()
{
    auto db = openBookingfile();
    return NextKeys(*db, 1);
}

int32_t NextKeys(Dao::Database &db, int32_t count)
{
    if (count < 1)
        throw Dao::DbError("NextKeys: " + QString::number(count) + " numbers asked for");
    // A savepoint inside the caller's transaction, or a write transaction of its own: the read
    // and the increase happen under the file's write lock, so no other copy reads in between.
    Dao::Transaction trans(db);
    auto rs = db.OpenRecordset(QString::fromUtf8("næstenøgle"), Dao::RecordsetType::Table);
    rs->MoveFirst();
    const qlonglong key = rs->Field("nextkey").toLongLong();
    if (key + count - 1 > std::numeric_limits<int32_t>::max())
        throw Dao::DbError("The key counter has run out of booking numbers.");
    rs->Edit();
    rs->SetField("nextkey", key + count);
    rs->Update();
    rs->Close();
    trans.commit();
    return static_cast<int32_t>(key);
}

int32_t DurationHours(int32_t a, int32_t b)
{
    const double seconds = b >= a ? double(b) - a : double(b) + 86400 - a;
    return static_cast<int32_t>(RoundHalfEven(seconds / 3600.0));
}

bool CanOpenDatabase(const QString &path)
{
    const Dao::Deadline bound(kCheckMilliseconds);
    try {
        auto db = Dao::Database::open(path);
        db->Close();
        return true;
    } catch (const Dao::DbError &e) {
        return foreignLayout(e);
    } catch (...) {
        return false;
    }
}

bool IsBookingDatabase(const QString &path, QString *why)
{
    // One bound for the whole check, lock waits included: a locked file is waited for once.
    const Dao::Deadline bound(kCheckMilliseconds);
    if (why)
        why->clear();
    try {
        checkOnce(path, true, false);
        return true;
    } catch (const Dao::DbError &e) {
        if (why)
            *why = refusalText(path, e);
        return false;
    } catch (...) {
        return false;
    }
}

bool IsValidDatabase(const QString &path, QString *why)
{
    const Dao::Deadline bound(kCheckMilliseconds);
    if (why)
        why->clear();
    try {
        checkOnce(path, false, true);
        return true;
    } catch (const Dao::DbError &e) {
        // A database of another layout is a database: start-up says why it is refused.
        if (foreignLayout(e))
            return true;
        if (why)
            *why = refusalText(path, e);
        return false;
    } catch (...) {
        return false;
    }
}

QVariant CountWhere(const QString &field, const QString &table, const QString &criteria)
{
    auto db = openBookingfile();
    return firstValue(*db, selectText("Select Count(" + field + ")", table, criteria));
}

QVariant CountPathsRows(const QString &field, const QString &table, const QString &criteria)
{
    auto db = Dao::Database::open(PathsFile());
    return firstValue(*db, selectText("Select Count(" + field + ")", table, criteria));
}

QVariant LookupWhere(const QString &field, const QString &table, const QString &criteria,
                     const QString &path)
{
    auto db = path.isEmpty() ? openBookingfile() : Dao::Database::open(path);
    return firstValue(*db, selectText("Select " + field, table, criteria));
}

bool RecordExists(const QString &table, const QString &field, const QVariant &value)
{
    // Only numbers are asked for; anything else is refused rather than spliced into SQL.
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok)
        throw Dao::DbError("RecordExists: " + value.toString() + " is not a number");
    auto db = openBookingfile();
    auto rs = db->OpenRecordset("Select * from " + table + " Where " + field + " = "
                                    + QString::number(n),
                                Dao::RecordsetType::ForwardOnly);
    const bool found = !rs->EOF_();
    rs->Close();
    return found;
}

bool ResourceItemsExist()
{
    auto db = openBookingfile();
    auto rs = db->OpenRecordset("lokale", Dao::RecordsetType::Table);
    const bool any = !rs->EOF_();
    rs->Close();
    return any;
}

void LoadFirstGroups()
{
    auto db = openBookingfile();
    auto rs = db->OpenRecordset("firstgroups", Dao::RecordsetType::Snapshot);
    if (!rs->EOF_()) {
        rs->MoveFirst();
        gCurrentGroupNo = static_cast<int32_t>(rs->Field("Overgruppenr").toLongLong());
        gCurrentTypeNo = static_cast<int32_t>(rs->Field("Lokalitetsnr").toLongLong());
    }
    rs->Close();
}

QString CanEditCriteria(int32_t gnr, int32_t user)
{
    return "gnr = " + blankNumber(gnr) + " And pnr = " + blankNumber(user);
}

bool CanEditAccountBookings(int32_t gnr)
{
    const QString criteria = CanEditCriteria(gnr, gUserNo);
    const bool member = CountWhere("*", "grptilk", criteria).toLongLong() > 0;
    return member || gIsAdmin;
}

QString PathsFile() { return QDir(System::programFolder()).filePath("paths.mdb"); }

} // namespace Extrafunktioner
