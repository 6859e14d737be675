#include "bookingfixture.h"

#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/form.h"

using namespace Generalen;

void BookingFileTest::SetUp()
{
    file = sb.newBookingfile("bookings.mdb");
    exec("INSERT INTO Department (depnr, depname) VALUES (1, 'Events');"
         "INSERT INTO Konti (ID, Kontonavn, kontokontakt, Kontoadresse, Kontopnr, Kontoby, "
         "Kontotlf, Kontotlfp, Kontomobil, Kontofax, kontomail, Kontouser, Kontotype, depnr) "
         "VALUES (2, 'Anna Berg', 'Anna B.', 'Skovvej 4', '8240', 'Risskov', '86 12 34 61', "
         "'31 45 67 89', '31 00 00 01', '86 00 00 02', 'anna@example.com', 'anna', 'p', 1),"
         "(3, 'Ben Holm', 'Ben H.', NULL, NULL, NULL, '86 12 34 72', NULL, NULL, NULL, NULL, "
         "'ben', 'p', NULL);"
         "INSERT INTO Konti (ID, Kontonavn, Kontotype, kontoowner) VALUES "
         "(5, 'Summer Project', 'g', 2);"
         "INSERT INTO Konti (ID, Kontonavn, Kontotype, kontoowner, archived) VALUES "
         "(6, 'Old Project', 'g', 2, 1);"
         "INSERT INTO grptilk (gnr, pnr) VALUES (2, 2), (3, 3), (5, 2), (6, 2);"
         "INSERT INTO opstilling (ID, Opstilling) VALUES (1, 'Boardroom'), (2, 'Classroom');"
         "INSERT INTO overgruppenavne (overgruppenr, OverGruppenavn, Gruppeart) VALUES "
         "(1, 'Rooms', 1), (2, 'AV', 2);"
         "INSERT INTO lokaliteter (Lokalitetsnr, Lokalitetsnavn, Overgruppenr, gruppeart) "
         "VALUES (1, 'Meeting rooms', 1, 1), (2, 'Projectors', 2, 2);"
         "INSERT INTO lokale (lokalenr, Lokalenavn, lokalinr, Gruppeart, gebyr) VALUES "
         "(10, 'Room A', 1, 1, 100), (11, 'Room B', 1, 1, 80), (20, 'Projector', 2, 2, 25);"
         "INSERT INTO booking (Bookingnr, Beskrivelse, langbeskrivelse, Bemærkninger, Bdato, "
         "bstart, bslut, Bgruppe, Lokalenr, kontonr, curacname, Antalpers, ID, bvpris, "
         "Kontaktperson2) VALUES "
         "(100, 'Board meeting', 'Quarterly figures', 'Coffee at 10', 2, 600, 660, 1, 10, 2, "
         "'Anna Berg', 12, 1, 1, 'Eva Lund');"
         "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, Lokalenr, "
         "kontonr, curacname, leveringstype) VALUES "
         "(101, 'Slides', 45000, 480, 540, 2, 20, 3, 'Ben Holm', 'Delivered');"
         "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Bgruppe, Lokalenr, "
         "kontonr, curacname, gennr, gentagende) VALUES "
         "(102, 'Weekly yoga', 45007, 1020, 1080, 1, 11, 2, 'Anna Berg', 102, 1);");
    resetState();
    gDatabasePath = file;
    gUserNo = 2;
    gUserName = "Anna Berg";
    gIsAdmin = false;
    gDateFormat = "dd-mm-yyyy";
    gDateFormatNr = 1;
    gFirstDay = "1";
}

void BookingFileTest::TearDown()
{
    Forms::unloadAll();
    resetState();
}

qint64 BookingFileTest::exec(const QString &sql)
{
    return execSql(file, sql);
}

QVariant BookingFileTest::bookingField(int bookingnr, const QString &field)
{
    return sqlValue(file, QString("SELECT \"%1\" FROM booking WHERE Bookingnr = %2")
                              .arg(field)
                              .arg(bookingnr));
}
