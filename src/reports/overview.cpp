#include "reports/overview.h"

#include "reports/datobookingperiode.h"

#include "core/format.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/form.h"

using Units::mm;
using Units::mmRect;

namespace {

const char *const kColumns =
    "SELECT DISTINCTROW Booking.Bookingnr, Booking.Beskrivelse, Overgruppenavne.OverGruppenavn, "
    "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, Konti.Kontonavn, Konti.kontokontakt, "
    "Konti.Kontotlf, Booking.Pris, Booking.Antalpers, Booking.Bstart, Booking.Bslut, "
    "Booking.Bdato, Overgruppenavne.Gruppeart FROM ";
const char *const kGroupBy =
    " GROUP BY Booking.Bookingnr, Booking.Beskrivelse, Overgruppenavne.OverGruppenavn, "
    "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, Konti.Kontonavn, Konti.kontokontakt, "
    "Konti.Kontotlf, Booking.Pris, Booking.Antalpers, Booking.Bstart, Booking.Bslut, "
    "Booking.Bdato, Overgruppenavne.Gruppeart";
const char *const kOrderBy =
    " ORDER BY Booking.Bdato,  Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
    "Booking.Bstart;";
const char *const kGroups =
    " INNER JOIN (Overgruppenavne INNER JOIN lokaliteter ON Overgruppenavne.overgruppenr = "
    "lokaliteter.Overgruppenr) ON Booking.Bgruppe = lokaliteter.Lokalitetsnr";

QString number(qint64 n)
{
    return QString::number(n);
}

} // namespace

overview::overview() : Report("overview")
{
    setCaption("Booking Overview");
    setDataControl(&DAOBookRap);
    const double right = Units::toMm(printWidth());

    // Title, period, kinds and logo on every page, then the column captions.
    ReportHeader().setHeight(0);
    ReportSection &page = PageHeader();
    page.setName("Sidehoved0");
    page.setHeight(mm(37));
    Tekst11 = page.addLabel("Tekst11", mmRect(0, 2, 110, 9), "BOOKING OVERVIEW");
    Tekst11->setFontSize(16);
    Tekst11->setBold(true);
    Etiket45 = page.addLabel("Etiket45", mmRect(0, 13, 16, 5), "Period:");
    Etiket45->setBold(true);
    period = page.addTextBox("period", mmRect(16, 13, 90, 5));
    Sort = page.addTextBox("Sort", mmRect(0, 18.5, 90, 5));
    Sort->setItalic(true);
    SubReport1 = page.addSubReport("SubReport1", mmRect(right - 55, 0, 55, 18));
    Streg12 = page.addLine("Streg12", QLineF(0, mm(30), printWidth(), mm(30)), 0.8);
    struct Caption { ReportLabel **label; const char *name; const char *text; double x; };
    // The phone column holds a number with its country code ("+45 86 12 34 72"); the names
    // and the description take a second line where they are longer than their column.
    const double colStart = 2, colEnd = 13, colItem = 24, colText = 68, colAccount = 116,
                 colPhone = 152;
    const Caption captions[] = {{&Tekst15, "Tekst15", "Start", colStart},
                                {&Tekst16, "Tekst16", "End", colEnd},
                                {&Tekst17, "Tekst17", "Ressource", colItem},
                                {&Tekst18, "Tekst18", "Description", colText},
                                {&Label71, "Label71", "Account", colAccount},
                                {&Tekst20, "Tekst20", "Phone", colPhone}};
    for (const Caption &c : captions) {
        *c.label = page.addLabel(c.name, mmRect(c.x, 31, 28, 5), c.text);
        (*c.label)->setBold(true);
    }

    // A day with its date and weekday, then its groups and types.
    ReportSection &day = addGroup("GroupHeader0", "Bdato", "GroupFooter0");
    day.setHeight(mm(8));
    day.setKeepTogether(true);
    Tekst49 = day.addTextBox("Tekst49", mmRect(0, 0, 1, 1), "Bdato");
    Tekst49->setVisible(false);
    Field2 = day.addTextBox("Field2", mmRect(0, 1.5, 30, 6), {}, "dddd");
    Field2->setExpression(ReportFrame::dateOfDayNumber("Bdato"));
    Field2->setBold(true);
    Field2->setFontSize(11);
    Field1 = day.addTextBox("Field1", mmRect(30, 1.5, 60, 6), {}, "Short Date");
    Field1->setExpression(ReportFrame::dateOfDayNumber("Bdato"));
    Field1->setBold(true);
    Field1->setFontSize(11);

    ReportSection &group = addGroup("GroupHeader1", "OverGruppenavn", "hiddenGroup3footer");
    group.setHeight(mm(6));
    group.setKeepTogether(true);
    OverGruppenavn = group.addTextBox("OverGruppenavn", mmRect(2, 0.5, 120, 5), "OverGruppenavn");
    OverGruppenavn->setBold(true);

    ReportSection &type = addGroup("GroupHeader2", "Lokalitetsnavn", "hiddenGroup4footer");
    type.setHeight(mm(5.5));
    type.setKeepTogether(true);
    Lokalitetsnavn = type.addTextBox("Lokalitetsnavn", mmRect(4, 0.25, 120, 5), "Lokalitetsnavn");
    Lokalitetsnavn->setItalic(true);

    ReportSection &detail = Detail();
    detail.setName("Detalje1");
    detail.setHeight(mm(5));
    FStart = detail.addTextBox("FStart", mmRect(colStart, 0, colEnd - colStart, 5), {}, "h:mm");
    FStart->setExpression(ReportFrame::timeOfMinutes("Bstart"));
    Fslut = detail.addTextBox("Fslut", mmRect(colEnd, 0, colItem - colEnd, 5), {}, "h:mm");
    Fslut->setExpression(ReportFrame::timeOfMinutes("Bslut"));
    Start = detail.addTextBox("Start", mmRect(0, 0, 1, 1), "Bstart", "Short Time");
    Start->setVisible(false);
    Slut = detail.addTextBox("Slut", mmRect(0, 0, 1, 1), "Bslut", "Short Time");
    Slut->setVisible(false);
    Lokalenavn = detail.addTextBox("Lokalenavn", mmRect(colItem, 0, colText - colItem - 1, 5),
                                   "Lokalenavn");
    Beskrivelse = detail.addTextBox("Beskrivelse",
                                    mmRect(colText, 0, colAccount - colText - 1, 5), "Beskrivelse");
    Kontonavn = detail.addTextBox("Kontonavn", mmRect(colAccount, 0, colPhone - colAccount - 1, 5),
                                  "Kontonavn");
    Kontakttlf = detail.addTextBox("Kontakttlf", mmRect(colPhone, 0, right - colPhone, 5),
                                   "Kontotlf");
    for (ReportTextBox *b : {Lokalenavn, Beskrivelse, Kontonavn, Kontakttlf})
        b->setFontSize(8.5);

    for (int level = 0; level < groupCount(); ++level)
        GroupFooter(level).setHeight(0);
    GroupFooter(0).setHeight(mm(2));

    m_footer = ReportFrame::addPageFooter(*this);
    Cinfo1 = m_footer.line1;
    Cinfo2 = m_footer.line2;
    PageFooter().setName("Sidefod2");
    ReportFooter().setHeight(0);
}

QString overview::statement(int32_t from, int32_t to, int g1, int g2, int g3)
{
    return QString(kColumns)
        + "((lokale RIGHT JOIN Booking ON lokale.lokalenr =  Booking.Lokalenr) INNER JOIN Konti "
          "ON Booking.kontonr = Konti.ID)"
        + kGroups + kGroupBy + " HAVING (((Booking.Bdato) >= " + number(from)
        + " And (Booking.Bdato) <= " + number(to) + ") AND ((Overgruppenavne.Gruppeart) = "
        + number(g1) + " Or (Overgruppenavne.Gruppeart) = " + number(g2)
        + " Or (Overgruppenavne.Gruppeart) = " + number(g3) + "))" + kOrderBy;
}

QString overview::filteredStatement(int32_t from, int32_t to, int g1, int g2, int g3)
{
    return QString(kColumns)
        + "((Booking LEFT JOIN lokale ON lokale.lokalenr = Booking.Lokalenr) INNER JOIN Konti "
          "ON Booking.kontonr = Konti.ID)"
        + kGroups + " WHERE Booking.Bdato >= " + number(from) + " And Booking.Bdato <= "
        + number(to) + " AND (Overgruppenavne.Gruppeart = " + number(g1)
        + " Or Overgruppenavne.Gruppeart = " + number(g2)
        + " Or Overgruppenavne.Gruppeart = " + number(g3) + ")" + kGroupBy + kOrderBy;
}

void overview::ActiveReport_ReportStart()
{
    datobookingperiode *criteria = Forms::get<datobookingperiode>();
    const datobookingperiode::Criteria c = criteria->criteria();
    ReportFrame::start(DAOBookRap, filteredStatement(c.from, c.to, c.g1, c.g2, c.g3), m_footer,
                       SubReport1);
    period->setText(Format(criteria->fradato->date(), "Short Date") + " / "
                    + Format(criteria->tildato->date(), "Short Date"));
    Sort->setText(c.label);
}

void overview::ActiveReport_ReportEnd()
{
    Forms::unload<datobookingperiode>();
    ReportFrame::end(SubReport1);
}
