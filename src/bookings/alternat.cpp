#include "bookings/alternat.h"

#include "bookings/repeatseries.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/db/database.h"
#include "platform/db/statement.h"

#include <QList>
#include <QPair>

using Dao::FieldKind;

namespace Alternat {

namespace {
// A booking b of the item on the day clashes with the minutes ?S to ?E.
const char *const kClash =
    "b.Lokalenr = l.lokalenr AND b.Bdato = ?3 AND ((?4 >= b.bstart AND ?4 < b.bslut) OR "
    "(?5 <= b.bslut AND ?5 > b.bstart) OR (?4 < b.bstart AND ?5 > b.bslut))";
} // namespace

bool ResourceHasClash(int32_t S, int32_t E, int32_t D, int32_t item, const QString &bookingfile)
{
    auto db = Dao::Database::open(bookingfile);
    Dao::Statement count(db->handle(),
                         // Stops at the first clash rather than counting a busy day.
                         QString("SELECT EXISTS (SELECT 1 FROM booking b "
                                 "INDEXED BY booking_Lokalenr_Bdato, (SELECT ?1 AS lokalenr) l "
                                 "WHERE ")
                             + kClash + ")");
    count.bind(1, qlonglong(item), FieldKind::Integer);
    count.bind(3, qlonglong(D), FieldKind::Integer);
    count.bind(4, qlonglong(S), FieldKind::Integer);
    count.bind(5, qlonglong(E), FieldKind::Integer);
    count.step();
    return count.value(0).toLongLong() != 0;
}

bool FindAlternativeResources(int32_t genId, int32_t bookedItem, const QString &bookingfile)
{
    const QList<RepeatSeries::GenDate> rows = RepeatSeries::ReadDates({genId});
    if (rows.isEmpty()) {
        Queries::SqlDeleteAllAlternatives();
        RepeatSeries::ExecutePaths();
        return false;
    }
    const RepeatSeries::GenDate &g = rows.first();

    QList<QPair<qlonglong, QVariant>> free;
    {
        auto db = Dao::Database::open(bookingfile);
        Dao::Statement find(db->handle(),
                            QString("SELECT l.lokalenr, l.Lokalenavn FROM lokale l "
                                    "WHERE l.lokalinr = ?1 AND l.lokalenr <> ?2 AND NOT EXISTS "
                                    "(SELECT 1 FROM booking b "
                                    "INDEXED BY booking_Lokalenr_Bdato WHERE ")
                                + kClash + ") ORDER BY l.lokalenr");
        find.bind(1, qlonglong(Generalen::gCurrentTypeNo), FieldKind::Integer);
        find.bind(2, qlonglong(bookedItem), FieldKind::Integer);
        find.bind(3, qlonglong(g.dato), FieldKind::Integer);
        find.bind(4, qlonglong(Extrafunktioner::TimeToMinutes(g.start)), FieldKind::Integer);
        find.bind(5, qlonglong(Extrafunktioner::TimeToMinutes(g.slut)), FieldKind::Integer);
        while (find.step())
            free.append({find.value(0).toLongLong(), find.value(1, FieldKind::Text)});
    }

    auto paths = Dao::Database::open(Extrafunktioner::PathsFile());
    // The old candidates go and the new ones come in one write. They are scratch data that the
    // next search makes again, so the write does not wait for the disk.
    Dao::Statement(paths->handle(), "PRAGMA synchronous = OFF").step();
    Dao::Transaction trans(*paths);
    Queries::SqlDeleteAllAlternatives();
    paths->Execute(Generalen::gSql);
    Dao::Statement add(paths->handle(),
                       "INSERT INTO AndetLokAlt (lokalenr, Lokalenavn) VALUES (?1, ?2)");
    for (const auto &[item, name] : free) {
        add.reset();
        add.bind(1, item, FieldKind::Integer);
        add.bind(2, name, FieldKind::Text);
        add.step();
    }
    trans.commit();
    return true;
}

} // namespace Alternat
