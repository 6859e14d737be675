#include "core/generalen.h"

namespace Generalen {

QString gDatabasePath;
int32_t gOpeningTime = 0;
int32_t gClosingTime = 0;
int32_t gPrimeStart = 0;
int32_t gPrimeEnd = 0;
int32_t gScheduleStart = 0;
int32_t gScheduleEnd = 0;
int32_t gWeekStartDay = 0;
int32_t gCurrentGroupNo = 0;
int32_t gCurrentTypeNo = 0;
int32_t gCurrentItemNo = 0;
int32_t gCurrentDay = 0;
int32_t gActiveView = 0;
int32_t gPasteMode = 0;
QString gUserLogin;
QString gUserName;
int32_t gUserNo = 0;
QString gSql;
bool gLoginOk = false;
QDateTime gLastArchiveDate;
bool gIsAdmin = false;
int16_t gActiveMainForm = 0;
double gTaxPct = 0;
bool gTentativeMode = false;
int16_t gTimeUnits = 0;
QString gDateFormat;
QString gDateFormat2;
int16_t gDateFormatNr = 0;
int32_t gArchiveDelay = 0;
int32_t gDeleteDelay = 0;
bool gAmPm = false;
bool gMilitaryTime = false;
QString gInstName;
QString gInstCity;
QString gInstAddress;
QString gInstZip;
QString gFirstDay;
QString gInstPhone;
QString gInstMail;

void resetState()
{
    gDatabasePath.clear();
    gOpeningTime = gClosingTime = gPrimeStart = gPrimeEnd = gScheduleStart = gScheduleEnd = 0;
    gWeekStartDay = gCurrentGroupNo = gCurrentTypeNo = gCurrentItemNo = gCurrentDay = 0;
    gActiveView = gPasteMode = 0;
    gUserLogin.clear();
    gUserName.clear();
    gUserNo = 0;
    gSql.clear();
    gLoginOk = false;
    gLastArchiveDate = QDateTime();
    gIsAdmin = false;
    gActiveMainForm = 0;
    gTaxPct = 0;
    gTentativeMode = false;
    gTimeUnits = 0;
    gDateFormat.clear();
    gDateFormat2.clear();
    gDateFormatNr = 0;
    gArchiveDelay = gDeleteDelay = 0;
    gAmPm = gMilitaryTime = false;
    gInstName.clear();
    gInstCity.clear();
    gInstAddress.clear();
    gInstZip.clear();
    gFirstDay.clear();
    gInstPhone.clear();
    gInstMail.clear();
}

} // namespace Generalen
