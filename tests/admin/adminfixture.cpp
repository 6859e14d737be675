#include "adminfixture.h"

#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/form.h"

using namespace Generalen;

void AdminTest::SetUp()
{
    resetState();
    sb.setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    file = sb.newBookingfile("booking.mdb");
    gDatabasePath = file;
    logIn(1);
    planner = new Form;
}

void AdminTest::TearDown()
{
    Forms::unloadAll();
    delete planner;
    resetState();
}

qint64 AdminTest::exec(const QString &sql) { return execSql(file, sql); }

int32_t AdminTest::addPerson(const QString &name, bool archived, bool admin)
{
    const QString login = name.toLower().replace(' ', '.');
    const auto id = static_cast<int32_t>(
        exec(QString("INSERT INTO Konti (Kontonavn, kontokontakt, Kontotlf, Kontouser, KontoPass, "
                     "Kontotype, archived, admin) VALUES ('%1', '%1', '555', '%2', '%2', 'p', "
                     "%3, %4)")
                 .arg(name, login)
                 .arg(archived ? 1 : 0)
                 .arg(admin ? 1 : 0)));
    exec(QString("INSERT INTO grptilk (gnr, pnr) VALUES (%1, %1)").arg(id));
    return id;
}

int32_t AdminTest::addGroup(const QString &name, int32_t owner, bool archived)
{
    const auto id = static_cast<int32_t>(
        exec(QString("INSERT INTO Konti (Kontonavn, kontokontakt, Kontotype, archived, kontoowner)"
                     " VALUES ('%1', 'owner', 'g', %2, %3)")
                 .arg(name)
                 .arg(archived ? 1 : 0)
                 .arg(owner)));
    exec(QString("INSERT INTO grptilk (gnr, pnr) VALUES (%1, %2)").arg(id).arg(owner));
    return id;
}

void AdminTest::addBooking(int32_t nr, int32_t account, bool archive)
{
    exec(QString("INSERT INTO %1 (Bookingnr, Beskrivelse, Bdato, kontonr) VALUES (%2, 'x', 46000, "
                 "%3)")
             .arg(archive ? "bookingarkiv" : "booking")
             .arg(nr)
             .arg(account));
}

void AdminTest::logIn(int32_t id)
{
    gUserNo = id;
    gUserLogin = sqlValue(file, QString("SELECT Kontouser FROM Konti WHERE ID = %1").arg(id))
                     .toString();
    gUserName = sqlValue(file, QString("SELECT Kontonavn FROM Konti WHERE ID = %1").arg(id))
                    .toString();
    gIsAdmin = sqlValue(file, QString("SELECT admin FROM Konti WHERE ID = %1").arg(id)).toBool();
}

QList<qlonglong> AdminTest::members(int32_t gnr)
{
    return sqlNumbers(file,
                      QString("SELECT pnr FROM grptilk WHERE gnr = %1 ORDER BY pnr").arg(gnr));
}

qlonglong AdminTest::count(const QString &table, const QString &criteria)
{
    return sqlValue(file, "SELECT COUNT(*) FROM " + table + " WHERE " + criteria).toLongLong();
}
