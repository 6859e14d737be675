#pragma once

#include <QString>

#include <cstdint>

// The search for free items for one prepared date of a series.
namespace Alternat {

// Fills AndetLokAlt of paths.mdb with the items of the planner's current type, other than the
// booked item, that have no booking in the bookingfile clashing with the prepared date genId
// (a row of gendatogent). False when that row is not there any more (AndetLokAlt is then
// empty). One indexed query on the bookingfile, however many items the type holds.
bool FindAlternativeResources(int32_t genId, int32_t bookedItem, const QString &bookingfile);

// Whether the item has a booking on day D overlapping the minutes S to E; bookings that only
// touch S or E do not clash.
bool ResourceHasClash(int32_t S, int32_t E, int32_t D, int32_t item,
                      const QString &bookingfile);

} // namespace Alternat
