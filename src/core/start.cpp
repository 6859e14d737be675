#include "core/start.h"

#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "core/frmlogin.h"
#include "core/queries.h"
#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dbfile.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QDir>
#include <QFile>

#include <algorithm>

// Resources of a static library must be registered from the global namespace.
static void initCoreResources() { Q_INIT_RESOURCE(core); }

namespace start {

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

int32_t intField(Dao::Recordset &rs, const char *name)
{
    return static_cast<int32_t>(rs.Field(QString::fromUtf8(name)).toLongLong());
}

int32_t minutesField(Dao::Recordset &rs, const char *name)
{
    return SecondsToMinutes(rs.Field(QString::fromUtf8(name)).toLongLong());
}

void refuse(const QString &why)
{
    Forms::get<IntroConnect>()->Show();
    MsgBox::show(why, MsgBox::OkOnly, "No Database Connection");
}

} // namespace

QString StoredBookingfilePath(bool *pathsOk)
{
    if (pathsOk)
        *pathsOk = false;
    if (!QFile::exists(PathsFile()))
        return QString();
    try {
        auto db = Dao::Database::open(PathsFile());
        auto rs = db->OpenRecordset("stitabel", Dao::RecordsetType::Table);
        if (pathsOk)
            *pathsOk = true;
        if (rs->EOF_())
            return QString();
        rs->MoveFirst();
        return rs->Field("sti").toString();
    } catch (const Dao::DbError &) {
        return QString();
    }
}

void StoreBookingfilePath(const QString &path)
{
    if (!QFile::exists(PathsFile())) {
        initCoreResources();
        QFile script(":/schema/paths.sql");
        script.open(QIODevice::ReadOnly);
        Dao::CreateDatabase(PathsFile(), QString::fromUtf8(script.readAll()));
    }
    auto db = Dao::Database::open(PathsFile());
    auto rs = db->OpenRecordset("stitabel", Dao::RecordsetType::Table);
    if (rs->EOF_()) {
        rs->AddNew();
    } else {
        rs->MoveFirst();
        rs->Edit();
    }
    rs->SetField("sti", path);
    rs->Update();
    rs->Close();
}

bool LoadSettings()
{
    auto db = Dao::Database::open(gDatabasePath);
    auto rs = db->OpenRecordset("institutionsoplysninger", Dao::RecordsetType::Table);
    if (rs->EOF_())
        return false;
    rs->MoveFirst();
    gOpeningTime = minutesField(*rs, "Åbntid");
    gClosingTime = minutesField(*rs, "Luktid");
    gPrimeStart = minutesField(*rs, "Prrimstart");
    gPrimeEnd = minutesField(*rs, "Primslut");
    gScheduleStart = minutesField(*rs, "Skemastart");
    gScheduleEnd = minutesField(*rs, "Skemaslut");
    gTaxPct = rs->Field("taxpct").toDouble();
    gDateFormat2 = rs->Field("dateformatstr2").toString();
    gDateFormat = rs->Field("dateformatstr1").toString();
    gDateFormatNr = static_cast<int16_t>(intField(*rs, "dateformatnr"));
    gArchiveDelay = intField(*rs, "arCdEl");
    gDeleteDelay = intField(*rs, "deldel");
    gAmPm = rs->Field("ampm").toBool();
    gMilitaryTime = rs->Field("military").toBool();
    gTentativeMode = rs->Field("Tentative").toBool();
    gTimeUnits = static_cast<int16_t>(intField(*rs, "Timeunits"));
    gInstName = rs->Field("Instutionsnavn").toString();
    gInstCity = rs->Field("Instutionsby").toString();
    gInstAddress = rs->Field("Instutionsadresse").toString();
    gInstZip = rs->Field("Instutionspostnr").toString();
    gInstMail = rs->Field("Institutionsemail").toString();
    gInstPhone = rs->Field("Instutionstlf").toString();
    gFirstDay = rs->Field("FirstDay").toString();
    rs->Close();
    return true;
}

// Every booking dated before the upper bound that is not yet in the archive is archived: the
// range starts at the earliest booking, and the archive takes each booking number only once
// (a booking already there is passed over). So no booking is missed when the delay changes, a
// day passes without a start, or a booking is typed into a past day after its day was archived.
int32_t ArchiveLowerBound()
{
    const QVariant earliest = LookupWhere("Min(Bdato)", "booking", QString());
    return earliest.isNull() ? DateToDayNumber(System::today()) - gArchiveDelay
                             : static_cast<int32_t>(earliest.toLongLong());
}

bool RunDailyArchiving()
{
    const QDate today = System::today();
    if (gLastArchiveDate.isValid() && gLastArchiveDate.date() >= today)
        return false;
    const int32_t todayNo = DateToDayNumber(today);
    const int32_t upper = todayNo - gArchiveDelay;
    // Nothing is purged that the archiving has not reached.
    const int32_t purgeBefore = std::min(todayNo - gDeleteDelay, upper);
    const int32_t lower = std::min(ArchiveLowerBound(), upper);
    auto db = Dao::Database::open(gDatabasePath);
    Dao::Transaction trans(*db);
    Queries::SqlArchiveBookings(lower, upper);
    db->Execute(gSql);
    Queries::SqlDeleteOldBookings(purgeBefore);
    db->Execute(gSql);
    Queries::SqlStampArchiveDate();
    db->Execute(gSql);
    trans.commit();
    return true;
}

bool StartUp()
{
    bool pathsOk = false;
    gDatabasePath = StoredBookingfilePath(&pathsOk);
    if (!pathsOk) {
        refuse("The file paths.mdb in the program's folder is missing or damaged.\r\n"
               "Connect to an existing database or create a new.");
        return false;
    }
    if (!IsBookingDatabase(gDatabasePath)) {
        refuse("No default database is connected. Connect to an existing database or create a "
               "new.");
        return false;
    }
    try {
        if (!LoadSettings()) {
            refuse("The bookingfile " + gDatabasePath + " holds no settings row.\r\n"
                   "Connect to an existing database or create a new.");
            return false;
        }
        gCurrentDay = DateToDayNumber(System::now());
        System::setHelpFile(QDir(System::programFolder()).filePath("Vantix Help.html"));
        const QVariant last = LookupWhere("arkiveringsdato", "arkiveringsdato", "ID = 1");
        if (last.isNull() && !RecordExists("arkiveringsdato", "ID", 1)) {
            refuse("The bookingfile " + gDatabasePath + " holds no archiving date.\r\n"
                   "Connect to an existing database or create a new.");
            return false;
        }
        gLastArchiveDate = last.toDateTime();
        RunDailyArchiving();
        LoadFirstGroups();
    } catch (const Dao::DbError &e) {
        refuse("The bookingfile " + gDatabasePath + " cannot be used: " + e.description()
               + "\r\nConnect to an existing database or create a new.");
        return false;
    }
    Forms::get<frmLogin>()->Show();
    return true;
}

} // namespace start
