#pragma once

#include <QString>

#include <cstdint>

// Builders of the fixed statements that forms run. Each puts one statement into gSql; the caller
// executes it at once. Values that come from boxes must be whole numbers: a builder given
// anything else leaves gSql empty and returns false, so no box text ever becomes SQL text.
namespace Queries {

void SqlDeleteAllAlternatives();
bool SqlDeleteDepartment(const QString &depnr);
void SqlDeleteDoubleBookings();
void SqlDeleteGenDate(int32_t id);
bool SqlDeleteFloorPlan(const QString &id);
bool SqlDeleteSeriesRange(const QString &gennr, const QString &startdato, const QString &slutdato);
bool SqlDeleteHomebase(const QString &id);
void SqlClearGenDates();

// The daily archiving: bookings with lower <= Bdato < upper go to the archive; bookings before
// purgeBefore are deleted; the archiving date is stamped.
void SqlArchiveBookings(int32_t lower, int32_t upper);
void SqlDeleteOldBookings(int32_t purgeBefore);
void SqlStampArchiveDate();

// A box text as a whole number; false when it is not one.
bool ParseWholeNumber(const QString &text, qint64 *value);

} // namespace Queries
