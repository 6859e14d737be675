#include "reports/multikvitto.h"

using Units::mm;

multikvitto::multikvitto() : Receipt("multikvitto", "Cinfo1", "Cinfo2")
{
    const double width = colFee - colResource - 2;
    Etiket161 = PageHeader().addLabel("Etiket161", {mm(colResource), mm(2), mm(width), mm(5)},
                                      "Ressource:");
    Etiket161->setBold(true);
    Lokalenavn = Detail().addTextBox("Lokalenavn", {mm(colResource), mm(0.5), mm(width), mm(5)},
                                     "Lokalenavn");
    Cinfo1 = m_footer.line1;
    Cinfo2 = m_footer.line2;
    ReportFooter().Format = [this] { Rapportfod4_Format(); };
}

QString multikvitto::query(const QString &number) const
{
    return "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Konti.Kontotlf, "
           "lokale.Lokalenavn, Booking.Pris, Booking.Tax,Konti.Kontoadresse, "
           "Konti!Kontopnr & ' ' & Konti!Kontoby AS PoB, Konti.Kontonavn, Booking.gennr, "
           "Konti.kontokontakt, Konti.kontomail, "
           "booking!leveringstype & ' at ' & booking!leveringssted AS lev, lokale.lokalenr, "
           "Booking.Bemærkninger, Booking.Bstart, Booking.Bslut, Booking.Bdato "
           "FROM Homebases RIGHT JOIN ((Booking INNER JOIN lokale ON Booking.Lokalenr = "
           "lokale.lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) "
           "ON Homebases.ID = lokale.ID WHERE Booking.Gennr = "
           + number + "; ";
}

void multikvitto::ActiveReport_ReportStart()
{
    startReceipt();
}

void multikvitto::Rapportfod4_Format()
{
    formatFooter();
}

void multikvitto::ActiveReport_ReportEnd()
{
    endReceipt();
}
