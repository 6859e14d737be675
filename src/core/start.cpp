#include "core/start.h"

#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/introconnect.h"
#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/dbfile.h"
#include "platform/db/deadline.h"
#include "platform/db/recordset.h"
#include "platform/db/schemacheck.h"
#include "platform/system.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

// Resources of a static library must be registered from the global namespace.
static void initCoreResources() { Q_INIT_RESOURCE(core); }

namespace start {

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

const char kConnectHint[] = "Connect to an existing database or create a new.";

// How long each of start-up's own reads may take: it waits for nobody, so a file that keeps
// it busy is given up rather than waited for.
constexpr int kReadMilliseconds = 5000;

// Offers IntroConnect and says why the bookingfile cannot be used.
void refuse(const QString &why)
{
    Forms::get<IntroConnect>()->Show();
    MsgBox::show(why, MsgBox::OkOnly, "No Database Connection");
}

QString refusal(const QString &reason)
{
    return reason + "\n" + QString::fromLatin1(kConnectHint);
}

void createPathsFile()
{
    initCoreResources();
    QFile script(":/schema/paths.sql");
    if (!script.open(QIODevice::ReadOnly))
        throw Dao::DbError("The layout of paths.mdb is missing from the program.");
    Dao::CreateDatabase(PathsFile(), QString::fromUtf8(script.readAll()));
}

bool pathsFileUsable()
{
    try {
        auto db = Dao::Database::open(PathsFile());
        return db->hasTable("stitabel");
    } catch (const Dao::DbError &) {
        return false;
    }
}

} // namespace

QString StoredBookingfilePath(bool *pathsOk, QString *why)
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
    } catch (const Dao::DbError &e) {
        if (pathsOk)
            *pathsOk = false;
        // A paths.mdb that is whole but not of this program's layout is named as such.
        if (why && e.code() == Dao::SchemaCheck::ForeignLayout)
            *why = e.description();
        return QString();
    }
}

void StoreBookingfilePath(const QString &path)
{
    // paths.mdb holds only the chosen path, the clipboard and scratch tables: when it is gone
    // or damaged, a fresh one is made so that the choice can be stored.
    if (!QFile::exists(PathsFile()) || !pathsFileUsable())
        createPathsFile();
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
    return Generalen::LoadSettings(*db);
}

namespace {
QString &accepted()
{
    static QString path;
    return path;
}
} // namespace

QString AcceptedBookingfile() { return accepted(); }

bool StartUp()
{
    accepted().clear();
    bool pathsOk = false;
    QString pathsWhy;
    gDatabasePath = StoredBookingfilePath(&pathsOk, &pathsWhy);
    if (!pathsOk) {
        refuse(refusal(pathsWhy.isEmpty()
                           ? "The file paths.mdb in the program's folder is missing or damaged."
                           : pathsWhy));
        return false;
    }
    QString why;
    if (!IsBookingDatabase(gDatabasePath, &why)) {
        refuse(why.isEmpty() ? "No default database is connected. Connect to an existing "
                               "database or create a new."
                             : refusal(why));
        return false;
    }
    try {
        const Dao::Deadline bound(kReadMilliseconds);
        if (!LoadSettings()) {
            refuse(refusal("The bookingfile " + gDatabasePath + " holds no settings row."));
            return false;
        }
        gCurrentDay = DateToDayNumber(System::now());
        System::setHelpFile(QDir(System::programFolder()).filePath("Vantix Help.html"));
        {
            auto db = Dao::Database::open(gDatabasePath);
            if (!db->hasTable("arkiveringsdato")
                || !RecordExists("arkiveringsdato", "ID", 1)) {
                refuse(refusal("The bookingfile " + gDatabasePath
                               + " holds no archiving date."));
                return false;
            }
        }
        gLastArchiveDate = LookupWhere("arkiveringsdato", "arkiveringsdato", "ID = 1")
                               .toDateTime();
    } catch (const Dao::DbError &e) {
        refuse(refusal("The bookingfile " + gDatabasePath + " cannot be used: "
                       + e.description()));
        return false;
    }
    try {
        const Dao::Deadline bound(kReadMilliseconds);
        LoadFirstGroups();
    } catch (const Dao::DbError &e) {
        refuse(refusal("The bookingfile " + gDatabasePath + " cannot be used: "
                       + e.description()));
        return false;
    }
    accepted() = gDatabasePath;
    // A login asks for the password again, also after another bookingfile was chosen.
    auto *login = Forms::get<frmLogin>();
    login->txtPassword->clear();
    login->Show();
    // Once the login is up: the day's check of the file, archiving and purge, when due.
    StartDailyArchiving();
    return true;
}

namespace {
std::function<void()> &afterLogin()
{
    // Installed from other files' static objects, so made on first use.
    static std::function<void()> show;
    return show;
}
} // namespace

void setAfterLogin(std::function<void()> show) { afterLogin() = std::move(show); }

void AfterLogin()
{
    if (afterLogin())
        afterLogin()();
}

} // namespace start
