#include "resourcefixture.h"

#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/form.h"
#include "platform/controls/tree.h"

using namespace Generalen;

void ResourceTest::SetUp()
{
    file = sb.newBookingfile("resources.mdb");
    resetState();
    gDatabasePath = file;
    gIsAdmin = true;
    gUserNo = 1;
    gUserName = "Administrator";
    gDateFormat = "dd-mm-yyyy";
    gDateFormatNr = 1;
    gFirstDay = "1";
    sb.setNow(QDateTime(QDate(2024, 3, 10), QTime(9, 30)));
}

void ResourceTest::TearDown()
{
    Forms::unloadAll();
    resetState();
}

qint64 ResourceTest::exec(const QString &sql) { return execSql(file, sql); }

QVariant ResourceTest::value(const QString &sql) { return sqlValue(file, sql); }

int ResourceTest::count(const QString &table, const QString &where)
{
    return value("SELECT COUNT(*) FROM " + table + " WHERE " + where).toInt();
}

int32_t ResourceTest::addGroup(const QString &name, int kind)
{
    return int32_t(exec(QString("INSERT INTO overgruppenavne (OverGruppenavn, Gruppeart) "
                                "VALUES ('%1', %2)").arg(name).arg(kind)));
}

int32_t ResourceTest::addType(const QString &name, int32_t group, int kind)
{
    return int32_t(exec(QString("INSERT INTO lokaliteter (Lokalitetsnavn, Overgruppenr, "
                                "gruppeart) VALUES ('%1', %2, %3)")
                            .arg(name).arg(group).arg(kind)));
}

int32_t ResourceTest::addItem(const QString &name, int32_t type, int kind)
{
    return int32_t(exec(QString("INSERT INTO lokale (Lokalenavn, lokalinr, Gruppeart, gebyr) "
                                "VALUES ('%1', %2, %3, 150)").arg(name).arg(type).arg(kind)));
}

void ResourceTest::addBooking(int32_t item, int32_t type, bool archived)
{
    exec(QString("INSERT INTO %1 (Bookingnr, Beskrivelse, Bdato, Bstart, Bslut, Bgruppe, "
                 "Lokalenr, kontonr) VALUES (%2, 'Meeting', %3, 600, 660, %4, %5, 1)")
             .arg(archived ? "bookingarkiv" : "booking")
             .arg(900 + item)
             .arg(kToday)
             .arg(type)
             .arg(item));
}

QStringList ResourceTest::nodes(const Tree &tree)
{
    QStringList out;
    for (int i = 0; i < tree.NodeCount(); ++i)
        out << QString(2 * (tree.NodeLevel(i) - 1), ' ') + tree.NodeKey(i) + " "
                   + tree.NodeText(i);
    return out;
}

int ResourceTest::nodeOf(const Tree &tree, const QString &key)
{
    for (int i = 0; i < tree.NodeCount(); ++i) {
        if (tree.NodeKey(i) == key)
            return i;
    }
    return -1;
}
