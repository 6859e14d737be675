#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace Dao {
class Database;
}

// Start-up: the bookingfile check, the settings load, the first resource group and type, the
// login form, and after it the daily check of the bookingfile, archiving and purge.
namespace start {

// What follows a successful login: the program's main window, installed by the subsystem that
// owns it. Without one, a login shows nothing further.
void setAfterLogin(std::function<void()> show);
void AfterLogin();

// Runs the whole start-up. Returns true when the login form is up; false when the bookingfile
// was refused and IntroConnect is offered.
bool StartUp();
// The bookingfile the last start-up accepted: the one in use. Empty while start-up has refused
// the bookingfile it was given (gDatabasePath may still name that refused file).
QString AcceptedBookingfile();

// The settings row into the program state; false when the bookingfile has no settings row.
// Throws Dao::DbError when the bookingfile or a field of the row cannot be read.
bool LoadSettings();

// The daily archiving and purge, in short transactions, when the last run lies before today,
// on the calling thread. Returns true when it ran. Throws Dao::DbError when a batch fails.
bool RunDailyArchiving();

// When the last run lies before today: starts the day's run on a thread and a connection of its
// own, which checks the whole bookingfile (mending damage to its indexes, naming other damage),
// then archives and purges in the same short transactions. Its messages are shown, and the
// date it stamps taken in, when it ends; the program's end stops it after its batch, and the
// next start finishes the work. Returns whether a run started.
bool StartDailyArchiving();
// Waits until the runs started have ended, then shows their messages.
void WaitForDailyArchiving();

// Lower bound of the archiving range on an open bookingfile: the earliest day before upper of a
// booking not marked as archived, so that every such booking is archived; upper when none.
int32_t ArchiveLowerBound(Dao::Database &db, int32_t upper);

// The first row's sti of stitabel in paths.mdb; empty when paths.mdb or the row is missing.
// pathsOk tells whether paths.mdb and its table stitabel could be read.
QString StoredBookingfilePath(bool *pathsOk = nullptr, QString *why = nullptr);
// Stores path as the chosen bookingfile. A missing or damaged paths.mdb, or one without its
// row, is made anew. Throws Dao::DbError when the file cannot be written.
void StoreBookingfilePath(const QString &path);

} // namespace start
