#include "reports/enkeltkvitto.h"

using Units::mm;

enkeltkvitto::enkeltkvitto() : Receipt("enkeltkvitto", "CInfo1", "CInfo2")
{
    Udate->setOutputFormat("mmmm d, yyyy");
    ReportSection &head = ReportHeader();
    Etiket161 = head.addLabel("Etiket161", {0, mm(31.5), mm(24), mm(5)}, "Ressource:");
    Lokalenavn = head.addTextBox("Lokalenavn", {mm(24), mm(31.5), mm(72), mm(5)}, "Lokalenavn");
    Etiket162 = head.addLabel("Etiket162", {0, mm(36.5), mm(24), mm(5)}, "No.:");
    lokalenr = head.addTextBox("lokalenr", {mm(24), mm(36.5), mm(72), mm(5)}, "lokalenr");
    Etiket163 = head.addLabel("Etiket163", {0, mm(41.5), mm(24), mm(5)}, "Type:");
    Tekst165 = head.addLabel("Tekst165", {mm(24), mm(41.5), mm(72), mm(5)}, "Single");
    CInfo1 = m_footer.line1;
    CInfo2 = m_footer.line2;
    ReportFooter().Format = [this] { Rapportfod4_Format(); };
}

QString enkeltkvitto::query(const QString &number) const
{
    return "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Konti.Kontotlf, "
           "lokale.Lokalenavn, Booking.Pris, Konti.Kontoadresse, "
           "Konti!Kontopnr & ' ' & Konti!Kontoby AS PoB, Konti.Kontonavn, Booking.gennr, "
           "Konti.kontokontakt, Konti.kontomail, "
           "booking!leveringstype & ' at ' & booking!leveringssted AS lev, lokale.lokalenr, "
           "Booking.Bemærkninger, Booking.Bstart, Booking.Bslut, Booking.Bdato "
           "FROM Homebases RIGHT JOIN ((Booking INNER JOIN lokale ON Booking.Lokalenr = "
           "lokale.lokalenr) INNER JOIN Konti ON Booking.kontonr = Konti.ID) "
           "ON Homebases.ID = lokale.ID WHERE Booking.Bookingnr = "
           + number + "; ";
}

void enkeltkvitto::ActiveReport_ReportStart()
{
    startReceipt();
}

void enkeltkvitto::Rapportfod4_Format()
{
    formatFooter();
}

void enkeltkvitto::ActiveReport_ReportEnd()
{
    endReceipt();
}
