#include "core/generalen.h"

#include "core/format.h"
#include "platform/controls/calendarweek.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>

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

namespace {

// Every calendar of the program starts its weeks on the settings' first day.
[[maybe_unused]] const bool kCalendarsFollowTheFirstDay = [] {
    CalendarWeek::setFirstDayProvider(
        [] { return gFirstDay == QLatin1String("0") ? Qt::Sunday : Qt::Monday; });
    return true;
}();

// The settings a new bookingfile comes with: what a value out of range is replaced by.
const QVariantMap &defaults()
{
    static const QVariantMap values = {
        {QString::fromUtf8("Åbntid"), 28800},  {"Luktid", 79200},   {"Prrimstart", 28800},
        {"Primslut", 57600},   {"Skemastart", 28800}, {"Skemaslut", 79200},
        {"taxpct", 25.0},      {"dateformatstr1", "dd-mm-yyyy"},  {"dateformatstr2", "D N-m-y"},
        {"dateformatnr", 1},   {"arCdEl", 3},         {"deldel", 548},
        {"Timeunits", 15},     {"FirstDay", "1"},
    };
    return values;
}

const char *const kTimeFields[] = {"Åbntid", "Luktid", "Prrimstart", "Primslut", "Skemastart",
                                   "Skemaslut"};

// A number as stored: an integer or real column's value, or a text that is a number.
std::optional<double> number(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    bool ok = false;
    const double v = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                          : value.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool wholeWithin(const QVariant &value, double low, double high)
{
    const std::optional<double> v = number(value);
    return v && *v == std::floor(*v) && *v >= low && *v <= high;
}

// A date pattern the program shows and reads back: one run each of d and m (one or two
// letters) and of yyyy, in any order, between single separators.
bool knownDatePattern(const QString &pattern)
{
    static const QRegularExpression part(QStringLiteral("^(d{1,2}|m{1,2}|yyyy)$"));
    const QStringList parts = pattern.split(QRegularExpression(QStringLiteral("[-/. ]")));
    if (parts.size() != 3)
        return false;
    QString seen;
    for (const QString &p : parts) {
        if (!part.match(p).hasMatch() || seen.contains(p.at(0)))
            return false;
        seen += p.at(0);
    }
    return true;
}

// A picture of the planner's date headings: day names (D, d), day (N), month (m) and year (y)
// with blanks and punctuation between them.
bool knownDatePicture(const QString &picture)
{
    static const QRegularExpression shape(QStringLiteral("^[DdNmy ,./\\-]{1,40}$"));
    return shape.match(picture).hasMatch() && picture.contains(QRegularExpression("[DdNmy]"));
}

bool inRange(const QString &field, const QVariant &value, const QVariantList &timeUnits)
{
    for (const char *time : kTimeFields) {
        if (field == QString::fromUtf8(time))
            return wholeWithin(value, 0, 86399);
    }
    if (field == "taxpct") {
        const std::optional<double> v = number(value);
        return v && *v >= 0 && *v <= 100;
    }
    if (field == "arCdEl" || field == "deldel")
        return wholeWithin(value, 0, std::numeric_limits<int32_t>::max());
    if (field == "dateformatnr")
        return wholeWithin(value, std::numeric_limits<int16_t>::min(),
                           std::numeric_limits<int16_t>::max());
    if (field == "Timeunits") {
        if (!wholeWithin(value, 1, 1440))
            return false;
        for (const QVariant &unit : timeUnits) {
            if (number(unit) == number(value))
                return true;
        }
        return false;
    }
    if (field == "FirstDay")
        return value.toString() == "0" || value.toString() == "1";
    if (field == "dateformatstr1")
        return knownDatePattern(value.toString());
    if (field == "dateformatstr2")
        return knownDatePicture(value.toString());
    return true;
}

} // namespace

QVariantMap ReplacedSettings(const QVariantMap &row, const QVariantList &timeUnits)
{
    QVariantMap replaced;
    const QVariantMap &fallback = defaults();
    for (auto it = fallback.begin(); it != fallback.end(); ++it) {
        if (!inRange(it.key(), row.value(it.key()), timeUnits))
            replaced.insert(it.key(), it.value());
    }
    return replaced;
}

bool LoadSettings(Dao::Database &db)
{
    QVariantList timeUnits;
    {
        auto units = db.OpenRecordset("SELECT unitnr FROM Valgunits", Dao::RecordsetType::ForwardOnly);
        for (; !units->EOF_(); units->MoveNext())
            timeUnits << units->Field(0);
    }
    auto rs = db.OpenRecordset("institutionsoplysninger", Dao::RecordsetType::Table);
    if (rs->EOF_())
        return false;
    rs->MoveFirst();
    QVariantMap row;
    for (const QString &field : defaults().keys())
        row.insert(field, rs->Field(field));
    const QVariantMap replaced = ReplacedSettings(row, timeUnits);
    row.insert(replaced);
    const auto minutes = [&row](const char *field) {
        return SecondsToMinutes(row.value(QString::fromUtf8(field)).toLongLong());
    };
    const auto whole = [&row](const char *field) {
        return static_cast<int32_t>(row.value(QString::fromUtf8(field)).toLongLong());
    };
    gOpeningTime = minutes("Åbntid");
    gClosingTime = minutes("Luktid");
    gPrimeStart = minutes("Prrimstart");
    gPrimeEnd = minutes("Primslut");
    gScheduleStart = minutes("Skemastart");
    gScheduleEnd = minutes("Skemaslut");
    gTaxPct = row.value("taxpct").toDouble();
    gDateFormat2 = row.value("dateformatstr2").toString();
    gDateFormat = row.value("dateformatstr1").toString();
    gDateFormatNr = static_cast<int16_t>(whole("dateformatnr"));
    gArchiveDelay = whole("arCdEl");
    gDeleteDelay = whole("deldel");
    gAmPm = rs->Field("ampm").toBool();
    gMilitaryTime = rs->Field("military").toBool();
    gTentativeMode = rs->Field("Tentative").toBool();
    gTimeUnits = static_cast<int16_t>(whole("Timeunits"));
    gInstName = rs->Field("Instutionsnavn").toString();
    gInstCity = rs->Field("Instutionsby").toString();
    gInstAddress = rs->Field("Instutionsadresse").toString();
    gInstZip = rs->Field("Instutionspostnr").toString();
    gInstMail = rs->Field("Institutionsemail").toString();
    gInstPhone = rs->Field("Instutionstlf").toString();
    gFirstDay = row.value("FirstDay").toString();
    rs->Close();
    return true;
}

} // namespace Generalen
