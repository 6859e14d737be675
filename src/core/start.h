#pragma once

#include <QString>

#include <cstdint>

// Start-up: the bookingfile check, the settings load, the daily archiving and purge, the first
// resource group and type, and the login form.
namespace start {

// Runs the whole start-up. Returns true when the login form is up; false when the bookingfile
// was refused and IntroConnect is offered.
bool StartUp();

// The settings row into the program state; false when the bookingfile has no settings row.
bool LoadSettings();

// The daily archiving and purge, in one transaction, when the last run lies before today.
// Returns true when it ran.
bool RunDailyArchiving();

// Lower bound of the archiving range (see the .cpp).
int32_t ArchiveLowerBound();

// The first row's sti of stitabel in paths.mdb; empty when paths.mdb or the row is missing.
QString StoredBookingfilePath(bool *pathsOk = nullptr);
// Stores path as the chosen bookingfile; creates paths.mdb or its row when missing.
void StoreBookingfilePath(const QString &path);

} // namespace start
