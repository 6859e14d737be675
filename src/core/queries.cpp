#include "core/queries.h"

#include "core/generalen.h"

namespace Queries {

using Generalen::gSql;

bool ParseWholeNumber(const QString &text, qint64 *value)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (ok && value)
        *value = n;
    return ok;
}

namespace {
// Puts head + number + tail into gSql when text is a whole number.
bool withNumber(const QString &head, const QString &text, const QString &tail)
{
    qint64 n = 0;
    if (!ParseWholeNumber(text, &n)) {
        gSql.clear();
        return false;
    }
    gSql = head + QString::number(n) + tail;
    return true;
}
} // namespace

void SqlDeleteAllAlternatives()
{
    gSql = "DELETE andetlokalt.*, andetlokalt.lokalenr  FROM andetlokalt;  ";
}

bool SqlDeleteDepartment(const QString &depnr)
{
    return withNumber("DELETE [Department].[depnr], Department.*  FROM Department  WHERE "
                      "[Department].[depnr] = ",
                      depnr, ";  ");
}

void SqlDeleteDoubleBookings()
{
    gSql = "DELETE [gendatogent].[DB], gendatogent.*  FROM gendatogent  WHERE "
           "((([gendatogent].[DB])=True));  ";
}

void SqlDeleteGenDate(int32_t id)
{
    gSql = "DELETE [gendatogent].[ID], gendatogent.*  FROM gendatogent  WHERE gendatogent.ID ="
           + QString::number(id) + ";  ";
}

bool SqlDeleteFloorPlan(const QString &id)
{
    return withNumber("DELETE [opstilling].[ID], opstilling.*  FROM opstilling  WHERE "
                      "[opstilling].[ID]=",
                      id, ";  ");
}

bool SqlDeleteSeriesRange(const QString &gennr, const QString &startdato, const QString &slutdato)
{
    qint64 g = 0, s = 0, e = 0;
    if (!ParseWholeNumber(gennr, &g) || !ParseWholeNumber(startdato, &s)
        || !ParseWholeNumber(slutdato, &e)) {
        gSql.clear();
        return false;
    }
    gSql = "DELETE DISTINCTROW Booking.*, Booking.gennr, Booking.Bdato  FROM Booking  WHERE "
           "Booking.gennr = "
           + QString::number(g) + " AND Booking.Bdato >= " + QString::number(s)
           + " And Booking.Bdato <= " + QString::number(e) + ";  ";
    return true;
}

bool SqlDeleteHomebase(const QString &id)
{
    return withNumber("DELETE [Homebases].[ID], Homebases.*  FROM Homebases  WHERE "
                      "[Homebases].[ID]=",
                      id, ";  ");
}

void SqlClearGenDates() { gSql = "DELETE gendatogent.*, gendatogent.ID  FROM gendatogent;  "; }

void SqlArchiveBookings(int32_t lower, int32_t upper)
{
    gSql = QString::fromUtf8(
               "INSERT INTO bookingarkiv ( Bookingnr, Beskrivelse, Bstart, Bslut, Bdato, Bcolor, "
               "Bgruppe, Lokalenr, kontonr, Kontaktperson2, Kontaktpersonadr2, Kontaktpersonpnr2, "
               "Kontaktpersonby2, Kontakttlf2, Kontakttlfb2, langbeskrivelse, Antalpers, Pris, ID, "
               "Bemærkninger, gennr, gentagende, Intern, leveringssted, leveringstype, "
               "curacname )  "
               "SELECT booking.Bookingnr, booking.Beskrivelse, booking.Bstart, booking.Bslut, "
               "booking.Bdato, booking.Bcolor, booking.Bgruppe, booking.Lokalenr, booking.kontonr, "
               "booking.Kontaktperson2, booking.Kontaktpersonadr2, booking.Kontaktpersonpnr2, "
               "booking.Kontaktpersonby2, booking.Kontakttlf2, booking.Kontakttlfb2, "
               "booking.langbeskrivelse, booking.Antalpers, booking.Pris, booking.ID, "
               "booking.Bemærkninger, booking.gennr, booking.gentagende, booking.Intern, "
               "booking.leveringssted, booking.leveringstype, booking.curacname  FROM booking  "
               "WHERE ((booking.Bdato) < ")
           + QString::number(upper) + " And (booking.Bdato) >= " + QString::number(lower)
           + ") ;  ";
}

void SqlDeleteOldBookings(int32_t purgeBefore)
{
    gSql = "DELETE DISTINCTROW Booking.Bdato, Booking.* FROM Booking WHERE ((Booking.Bdato)<("
           + QString::number(purgeBefore) + "));  ";
}

void SqlStampArchiveDate()
{
    gSql = "UPDATE arkiveringsdato SET arkiveringsdato.arkiveringsdato = Date();  ";
}

} // namespace Queries
