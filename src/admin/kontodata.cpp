#include "admin/kontodata.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

#include <memory>

namespace Kontodata {

namespace {

std::unique_ptr<Dao::Database> openBookingfile()
{
    return Dao::Database::open(Generalen::gDatabasePath);
}

qlonglong count(const QString &table, const QString &criteria)
{
    return Extrafunktioner::CountWhere("*", table, criteria).toLongLong();
}

QString n(int32_t value) { return QString::number(value); }

} // namespace

int32_t KeyOf(const QVariant &value)
{
    bool ok = false;
    const qlonglong v = value.toString().trimmed().toLongLong(&ok);
    return ok && v > 0 && v <= INT32_MAX ? static_cast<int32_t>(v) : 0;
}

bool IsMember(int32_t gnr, int32_t pnr)
{
    return count("grptilk", "gnr = " + n(gnr) + " And pnr = " + n(pnr)) > 0;
}

bool AddMembership(int32_t gnr, int32_t pnr)
{
    if (gnr < 1 || pnr < 1)
        return false;
    auto db = openBookingfile();
    Dao::Transaction t(*db);
    auto rs = db->OpenRecordset("SELECT gnr, pnr FROM grptilk WHERE gnr = " + n(gnr)
                                    + " AND pnr = " + n(pnr),
                                Dao::RecordsetType::ForwardOnly);
    const bool exists = !rs->EOF_();
    rs->Close();
    if (!exists)
        db->Execute("INSERT INTO grptilk (gnr, pnr) VALUES (" + n(gnr) + ", " + n(pnr) + ")");
    t.commit();
    return !exists;
}

bool IsLastActiveAdministrator(int32_t id)
{
    const QString canLogIn = "Kontotype = 'p' And admin <> 0 And COALESCE(archived, 0) = 0 And "
                             "COALESCE(Kontouser, '') <> '' And COALESCE(KontoPass, '') <> ''";
    return count("Konti", canLogIn + " And ID = " + n(id)) > 0
           && count("Konti", canLogIn + " And ID <> " + n(id)) == 0;
}

bool UserNameTaken(const QString &user, int32_t exceptId)
{
    auto db = openBookingfile();
    auto rs = db->OpenRecordset("SELECT ID FROM Konti WHERE Kontotype = 'p' AND Kontouser = :user "
                                "AND ID <> :id",
                                Dao::Bindings(QVariantMap{{"user", user}, {"id", exceptId}}),
                                Dao::RecordsetType::ForwardOnly);
    const bool taken = !rs->EOF_();
    rs->Close();
    return taken;
}

QVariant GroupOwner(int32_t gnr)
{
    const QVariant owner = Extrafunktioner::LookupWhere("kontoowner", "Konti", "ID = " + n(gnr));
    return KeyOf(owner) ? QVariant(KeyOf(owner)) : QVariant();
}

QList<GuardedDelete::Guard> DeleteGuards(int32_t id, bool withAdmin)
{
    const QString bookings = "System not able to delete account due to corresponding bookings.";
    QList<GuardedDelete::Guard> guards;
    if (withAdmin)
        guards.append({"Konti", "ID = " + n(id) + " And admin <> 0",
                       "Admin Accounts can't be deleted.", "Service Message", 0});
    guards.append({"booking", "kontonr = " + n(id), bookings, "Deletion Denied", 0});
    guards.append({"bookingarkiv", "kontonr = " + n(id), bookings, "Deletion Denied", 0});
    // Nobody else may edit those groups: they would be left without an owner.
    guards.append({"Konti", "Kontotype = 'g' And kontoowner = " + n(id),
                   "System not able to delete account as it owns group accounts.",
                   "Deletion Denied", 0});
    return guards;
}

QStringList DeleteStatements(int32_t id)
{
    return {"DELETE FROM grptilk WHERE pnr = " + n(id) + " OR gnr = " + n(id),
            "DELETE FROM Konti WHERE ID = " + n(id)};
}

} // namespace Kontodata
