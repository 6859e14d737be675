#include "planner/plannerdata.h"

#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/statement.h"

#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include <cstring>
#include <memory>

#include <sqlite3.h>

namespace PlannerData {

using namespace Generalen;

namespace {

// The connection a OneConnection holds for the loaders, opened when first asked for.
struct Held
{
    int depth = 0;
    std::unique_ptr<Dao::Database> db;
};

Held &held()
{
    static Held h;
    return h;
}

// A connection to the bookingfile for one loader: the held one (when it reads the bookingfile
// named now), else one of its own, closed when the loader is done.
class Connection
{
public:
    Connection()
    {
        Held &h = held();
        if (h.depth > 0) {
            if (!h.db || h.db->path() != gDatabasePath)
                h.db = Dao::Database::open(gDatabasePath);
            m_db = h.db.get();
        } else {
            m_own = Dao::Database::open(gDatabasePath);
            m_db = m_own.get();
        }
    }
    Dao::Database &operator*() const { return *m_db; }
    Dao::Database *operator->() const { return m_db; }

private:
    std::unique_ptr<Dao::Database> m_own;
    Dao::Database *m_db = nullptr;
};

} // namespace

OneConnection::OneConnection() { ++held().depth; }

OneConnection::~OneConnection()
{
    if (--held().depth == 0)
        held().db.reset();
}

void applyGridSettings(PlannerGrid &grid)
{
    grid.SetOpeningTime(gOpeningTime);
    grid.SetClosingTime(gClosingTime);
    grid.SetPrimeStart(gPrimeStart);
    grid.SetPrimeEnd(gPrimeEnd);
    grid.SetScheduleStart(gScheduleStart);
    grid.SetScheduleEnd(gScheduleEnd);
    grid.SetTimeUnit(gTimeUnits);
    grid.SetPrintTimeUnit(gTimeUnits);
    grid.SetAmPm(gAmPm);
    grid.SetMilitary(gMilitaryTime);
    grid.SetDatePicture(gDateFormat2);
}

bool isAvailableOn(const QVariant &inaktiv, const QVariant &inakstart, const QVariant &inakslut,
                   int32_t day)
{
    if (inaktiv.isNull())
        return false;
    if (!inaktiv.toBool())
        return true;
    const bool startsLater = !inakstart.isNull() && inakstart.toLongLong() > day;
    const bool endedBefore = !inakslut.isNull() && inakslut.toLongLong() < day;
    return startsLater || endedBefore;
}

QString resourceColumnsSql(int32_t type)
{
    // headerfor's own order, narrowed to one type.
    return QStringLiteral("SELECT lokalenr, Lokalenavn, inaktiv, inakstart, inakslut "
                          "FROM headerfor WHERE lokalinr = %1 "
                          "ORDER BY lokalinr, Lokalenavn, lokalenr")
        .arg(type);
}

namespace {

// The fields of a booking item, in the order loadBookings reads them.
const QString bookingFields = QStringLiteral(
    "SELECT Bookingnr, Beskrivelse, Bdato, bstart, bslut, curacname, Bcolor, Lokalenr, "
    "Tentative FROM booking ");

} // namespace

QString dayBookingsSql(int32_t type, int32_t day)
{
    return bookingFields
           + QStringLiteral("WHERE Bgruppe = %1 AND Bdato = %2 ORDER BY Bookingnr")
                 .arg(type)
                 .arg(day);
}

QString weekBookingsSql(int32_t item, int32_t firstDay)
{
    const qint64 lastDay = qint64(firstDay) + 6;
    return bookingFields
           + QStringLiteral("WHERE Lokalenr = %1 AND Bdato >= %2 AND Bdato <= %3 "
                            "ORDER BY Bookingnr")
                 .arg(item)
                 .arg(firstDay)
                 .arg(lastDay);
}

namespace {

QString textAt(sqlite3_stmt *row, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(row, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(row, column)) : QString();
}

} // namespace

int loadResourceColumns(PlannerGrid &grid, int32_t type, int32_t day)
{
    int added = 0;
    const Connection db;
    Dao::Statement st(db->handle(), resourceColumnsSql(type));
    sqlite3_stmt *row = st.get();
    while (st.step()) {
        if (isAvailableOn(st.value(2, Dao::FieldKind::Boolean), st.value(3), st.value(4), day)) {
            const int column = grid.AddColumn(static_cast<qint32>(sqlite3_column_int64(row, 0)),
                                              textAt(row, 1));
            grid.SetColumnValue(column, 255);
            ++added;
        }
    }
    return added;
}

int loadBookings(PlannerGrid &grid, const QString &sql, bool withResource)
{
    int added = 0;
    const Connection db;
    // Read column by column from SQLite: a day of a big file holds thousands of bookings.
    Dao::Statement st(db->handle(), sql);
    sqlite3_stmt *row = st.get();
    // Most bookings of a day carry one of a few account names: one that repeats the last is
    // shared rather than built again.
    QString account;
    QByteArray accountBytes;
    while (st.step()) {
        const QString key = QString::number(sqlite3_column_int64(row, 0));
        const QString text = textAt(row, 1);
        const auto day = static_cast<qint32>(sqlite3_column_int64(row, 2));
        const int start = sqlite3_column_int(row, 3);
        const int end = sqlite3_column_int(row, 4);
        // The item is added with its text, times and day; the rest is set on it.
        const int i = grid.AddItem(start, end, day, text, key);
        const char *name = reinterpret_cast<const char *>(sqlite3_column_text(row, 5));
        const int nameBytes = sqlite3_column_bytes(row, 5);
        if (!name) {
            account.clear();
            accountBytes.clear();
        } else if (accountBytes.isNull() || accountBytes.size() != nameBytes
                   || std::memcmp(accountBytes.constData(), name, size_t(nameBytes)) != 0) {
            accountBytes = QByteArray(name, nameBytes);
            account = QString::fromUtf8(accountBytes);
        }
        grid.SetItemAccountName(i, account);
        // A booking without a colour keeps the grid's own item colour.
        if (sqlite3_column_type(row, 6) != SQLITE_NULL)
            grid.SetItemColour(i, static_cast<quint32>(sqlite3_column_int64(row, 6)));
        if (withResource)
            grid.SetItemResource(i, static_cast<qint32>(sqlite3_column_int64(row, 7)));
        const bool tentative = sqlite3_column_type(row, 8) == SQLITE_INTEGER
                                   ? sqlite3_column_int64(row, 8) != 0
                                   : st.value(8, Dao::FieldKind::Boolean).toBool();
        grid.SetItemTentative(i, tentative);
        ++added;
    }
    st.finalize();
    return added;
}

BatchedRepaint::BatchedRepaint(QWidget *widget)
{
    // The widget's parts but its scroll bars: a scroll bar repaints itself when its range or
    // value changes, and is otherwise left as it is drawn.
    for (QWidget *part : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QScrollBar *>(part) || part->findChild<QScrollBar *>()
            || !part->updatesEnabled())
            continue;
        part->setUpdatesEnabled(false);
        m_held.append(part);
    }
}

BatchedRepaint::~BatchedRepaint()
{
    for (QWidget *part : std::as_const(m_held)) {
        if (part)
            part->setUpdatesEnabled(true);
    }
}

void refillOnActivation(bool &failedBefore, const std::function<void()> &refill)
{
    try {
        refill();
        failedBefore = false;
    } catch (const Dao::DbError &e) {
        if (!failedBefore) {
            failedBefore = true;
            MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
        }
    }
}

} // namespace PlannerData
