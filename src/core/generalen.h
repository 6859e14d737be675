#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <cstdint>

namespace Dao {
class Database;
}

// The running program's state, read and written directly by every form and module.
namespace Generalen {

extern QString gDatabasePath;
extern int32_t gOpeningTime;      // minutes since midnight
extern int32_t gClosingTime;
extern int32_t gPrimeStart;
extern int32_t gPrimeEnd;
extern int32_t gScheduleStart;
extern int32_t gScheduleEnd;
extern int32_t gWeekStartDay;     // day number of the week view's first day
extern int32_t gCurrentGroupNo;
extern int32_t gCurrentTypeNo;
extern int32_t gCurrentItemNo;
extern int32_t gCurrentDay;       // day number of the day view's day
extern int32_t gActiveView;       // 1 day view, 2 week view: the planner loaded last
extern int32_t gPasteMode;        // 1 cut, 2 copy
extern QString gUserLogin;
extern QString gUserName;
extern int32_t gUserNo;
extern QString gSql;
extern bool gLoginOk;
extern QDateTime gLastArchiveDate;
extern bool gIsAdmin;
extern int16_t gActiveMainForm;   // 1 day view, 2 week view: the planner activated last
extern double gTaxPct;
extern bool gTentativeMode;
extern int16_t gTimeUnits;
extern QString gDateFormat;
extern QString gDateFormat2;
extern int16_t gDateFormatNr;
extern int32_t gArchiveDelay;
extern int32_t gDeleteDelay;
extern bool gAmPm;
extern bool gMilitaryTime;
extern QString gInstName;
extern QString gInstCity;
extern QString gInstAddress;
extern QString gInstZip;
extern QString gFirstDay;         // "0" Sunday, "1" Monday
extern QString gInstPhone;
extern QString gInstMail;

// Puts every variable back to its start value (empty, zero, false).
void resetState();

// The settings row's values that the program checks, by field (spelled as the row spells them):
// the six times within a day (seconds 0 to 86399), the tax within 0-100, the delays not below
// 0, the first day "0" or "1", the time unit one of timeUnits (the file's Valgunits.unitnr), the
// date format number a 16-bit number, dateformatstr1 a pattern of dd, mm and yyyy and
// dateformatstr2 a picture of D, d, N, m and y. Returns each field whose value is out of range
// (a Null, a text where a number belongs, or a field row does not hold) with the value used
// instead, its default.
QVariantMap ReplacedSettings(const QVariantMap &row, const QVariantList &timeUnits);

// Reads the first settings row on db into the settings variables, a value out of range replaced
// by its default (ReplacedSettings). False when the file has no settings row.
bool LoadSettings(Dao::Database &db);

} // namespace Generalen
