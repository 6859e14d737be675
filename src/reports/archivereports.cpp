#include "reports/archivereports.h"

#include "reports/archiveperioddialogs.h"

#include "core/format.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/msgbox.h"

using Units::mm;
using Units::mmRect;

namespace {

// The joins of an archived booking to its item, the item's current type and the type's group.
const char *const kJoins =
    "FROM Overgruppenavne INNER JOIN (lokaliteter INNER JOIN (Bookingarkiv INNER JOIN lokale ON "
    "Bookingarkiv.Lokalenr = lokale.lokalenr) ON lokaliteter.Lokalitetsnr = lokale.lokalinr) ON "
    "Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr ";
const char *const kOrder =
    " ORDER BY Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;";

// Columns of the totals, left to right: name, then the counts and sums.
constexpr double kNameWidth = 78, kColBookings = 80, kColPersons = 104, kColHours = 128,
                 kColFee = 152, kNumberWidth = 22;

} // namespace

ArchivePeriodReport::ArchivePeriodReport(const QString &name, const QString &title,
                                         const QString &periodName, bool rowPerItem)
    : Report(name)
{
    setCaption(title);
    setDataControl(&DataCtl);
    const double right = Units::toMm(printWidth());
    const double feeWidth = right - kColFee;

    ReportSection &head = ReportHeader();
    head.setHeight(mm(30));
    Label0 = head.addLabel("Label0", mmRect(0, 2, 120, 9), title);
    Label0->setFontSize(16);
    Label0->setBold(true);
    Period = head.addTextBox(periodName, mmRect(0, 13, 120, 5));
    SubReport1 = head.addSubReport("SubReport1", mmRect(right - 55, 0, 55, 18));
    Line2 = head.addLine("Line2", QLineF(0, mm(28), printWidth(), mm(28)), 0.8);

    ReportSection &page = PageHeader();
    page.setName("PageHeaderSection");
    page.setHeight(mm(7));
    auto caption = [&](const char *control, const char *text, double x, double w) {
        ReportLabel *l = page.addLabel(control, mmRect(x, 1, w, 5), text, Qt::AlignRight);
        l->setBold(true);
        return l;
    };
    Label2 = caption("Label2", "#Bookings", kColBookings, kNumberWidth);
    Label3 = caption("Label3", "#Persons", kColPersons, kNumberWidth);
    Label4 = caption("Label4", "#Hours", kColHours, kNumberWidth);
    SumFee = caption("SumFee", "Fee", kColFee, feeWidth);

    ReportSection &group = addGroup("GroupHeader0", "OverGruppenavn", "hiddenGroup2footer");
    group.setHeight(mm(7));
    group.setKeepTogether(true);
    OverGruppenavn = group.addTextBox("OverGruppenavn", mmRect(0, 1.5, 120, 5.5), "OverGruppenavn");
    OverGruppenavn->setBold(true);
    OverGruppenavn->setFontSize(11);
    ReportSection &type = addGroup("GroupHeader1", "Lokalitetsnavn", "hiddenGroup3footer");
    type.setHeight(mm(6));
    type.setKeepTogether(true);
    Lokalitetsnavn = type.addTextBox("Lokalitetsnavn", mmRect(3, 0.5, 120, 5), "Lokalitetsnavn");
    Lokalitetsnavn->setBold(true);
    ReportSection &item = addGroup("GroupHeader2", "Lokalenavn", "hiddenGroup4footer");
    item.setHeight(0);
    Lokalenavn = item.addTextBox("Lokalenavn", mmRect(0, 0, 1, 1), "Lokalenavn");

    // The detail rows carry the values the footers add up; they print nothing themselves.
    ReportSection &detail = Detail();
    detail.setHeight(0);
    Bdato = detail.addTextBox("Bdato", mmRect(0, 0, 1, 1), "Bdato");
    txtAntalpers = detail.addTextBox("txtAntalpers", mmRect(0, 0, 1, 1), "Antalpers");
    txtantaltimer = detail.addTextBox("txtantaltimer", mmRect(0, 0, 1, 1), "antaltimer");
    txtPris = detail.addTextBox("txtPris", mmRect(0, 0, 1, 1), "Pris");

    // One line of totals: a count of the days and sums of persons, hours and prices,
    // restarting at each new value of the group. Rows that are already the totals of an item
    // carry their count in "Antal", which the footers add up.
    struct Totals { ReportTextBox *count, *persons, *hours, *fee; };
    auto totals = [&](ReportSection &s, const QString &groupName, const char *count,
                      const char *persons, const char *hours, const char *fee, double y) {
        Totals t;
        t.count = s.addTextBox(count, mmRect(kColBookings, y, kNumberWidth, 5),
                               rowPerItem ? "Antal" : "Bdato", "#,##0", Qt::AlignRight);
        t.count->setSummary(rowPerItem ? ReportTextBox::Summary::Sum
                                       : ReportTextBox::Summary::Count,
                            groupName);
        t.persons = s.addTextBox(persons, mmRect(kColPersons, y, kNumberWidth, 5), "Antalpers",
                                 "#,##0", Qt::AlignRight);
        t.persons->setSummary(ReportTextBox::Summary::Sum, groupName);
        t.hours = s.addTextBox(hours, mmRect(kColHours, y, kNumberWidth, 5), "antaltimer",
                               "#,##0.00", Qt::AlignRight);
        t.hours->setSummary(ReportTextBox::Summary::Sum, groupName);
        t.fee = s.addTextBox(fee, mmRect(kColFee, y, feeWidth, 5), "Pris", "#,##0.00",
                             Qt::AlignRight);
        t.fee->setSummary(ReportTextBox::Summary::Sum, groupName);
        return t;
    };

    ReportSection &itemFoot = GroupFooter(2);
    itemFoot.setHeight(mm(5));
    txtLokalenavn = itemFoot.addTextBox("txtLokalenavn", mmRect(6, 0, kNameWidth - 6, 5),
                                        "Lokalenavn");
    const Totals perItem = totals(itemFoot, "GroupHeader2", "Field1", "sumpers", "sumtimer",
                                  "sumpris", 0);
    Field1 = perItem.count;
    sumpers = perItem.persons;
    sumtimer = perItem.hours;
    sumpris = perItem.fee;

    ReportSection &typeFoot = GroupFooter(1);
    typeFoot.setHeight(mm(8));
    Line1 = typeFoot.addLine("Line1", QLineF(mm(kColBookings), mm(0.6), printWidth(), mm(0.6)),
                             0.4);
    const Totals perType = totals(typeFoot, "GroupHeader1", "Subdato", "Subpers", "Subtimer",
                                  "subpris", 1);
    Subdato = perType.count;
    Subpers = perType.persons;
    Subtimer = perType.hours;
    subpris = perType.fee;
    for (ReportTextBox *b : {Subdato, Subpers, Subtimer, subpris})
        b->setItalic(true);

    ReportSection &groupFoot = GroupFooter(0);
    groupFoot.setHeight(mm(9));
    const Totals perGroup = totals(groupFoot, "GroupHeader0", "Field2", "Field3", "Field4",
                                   "Field5", 1);
    Field2 = perGroup.count;
    Field3 = perGroup.persons;
    Field4 = perGroup.hours;
    Field5 = perGroup.fee;
    for (ReportTextBox *b : {Field2, Field3, Field4, Field5})
        b->setBold(true);

    m_footer = ReportFrame::addPageFooter(*this);
    Cinfo1 = m_footer.line1;
    Cinfo2 = m_footer.line2;
    PageFooter().setName("PageFooterSection");
    ReportFooter().setHeight(0);
}

QString ArchivePeriodReport::hoursExpression()
{
    return QStringLiteral(
        "((bookingarkiv!Bslut-bookingarkiv!Bstart+1440) Mod 1440)/60 AS antaltimer");
}

void ArchivePeriodReport::startRun(const QString &statement, const ArchivePeriodDialog &dialog,
                                   const std::optional<Dao::Bindings> &values)
{
    ReportFrame::start(DataCtl, statement, m_footer, SubReport1);
    if (values)
        DataCtl.setRecordSource(statement, *values);
    Period->setText("Period: " + Format(dialog.cstart->date(), "Short Date") + "  -  "
                    + Format(dialog.cend->date(), "Short Date"));
}

void ArchivePeriodReport::ActiveReport_ReportEnd()
{
    closeDialog();
    ReportFrame::end(SubReport1);
}

periodedetail::periodedetail()
    : ArchivePeriodReport("periodedetail", "Period Details (Account)", "Period")
{
    AccName = ReportHeader().addTextBox("AccName", mmRect(0, 19, 120, 5.5));
    AccName->setBold(true);
    txtLokalenavn->setText("No Bookings");
}

QString periodedetail::statement(int32_t from, int32_t to, int32_t account)
{
    return "SELECT Bookingarkiv.Bdato, Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
           "lokale.Lokalenavn, Bookingarkiv.Beskrivelse, Bookingarkiv.Lokalenr, "
           "Bookingarkiv.Antalpers, Bookingarkiv.Pris, "
           + hoursExpression() + ", Bookingarkiv.kontonr " + kJoins
           + "WHERE (Bookingarkiv.Bdato>=" + QString::number(from)
           + " And Bookingarkiv.Bdato<=" + QString::number(to)
           + ") AND (Bookingarkiv.kontonr=" + QString::number(account) + ")" + kOrder;
}

void periodedetail::Show()
{
    // Without an account there is nothing to compare the archive's accounts with.
    if (!Forms::get<datoarkivperiodeAC>()->account()) {
        MsgBox::show("There is no account to print the period details of.", MsgBox::OkOnly,
                     "Period Details");
        return;
    }
    ReportFrame::show(*this);
}

void periodedetail::ActiveReport_ReportStart()
{
    const datoarkivperiodeAC *dialog = Forms::get<datoarkivperiodeAC>();
    startRun(statement(dialog->from(), dialog->to(), dialog->account().value_or(0)), *dialog);
    AccName->setText(dialog->accountName());
}

void periodedetail::closeDialog()
{
    Forms::unload<datoarkivperiodeAC>();
}

periodetotaler::periodetotaler()
    : ArchivePeriodReport("periodetotaler", "Period Totals", "period", true)
{
}

QString periodetotaler::statement(int32_t from, int32_t to)
{
    return "SELECT Bookingarkiv.Bdato, Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, "
           "lokale.Lokalenavn, Bookingarkiv.Beskrivelse, Bookingarkiv.Lokalenr, "
           "Bookingarkiv.Antalpers, Bookingarkiv.Pris, Bookingarkiv.Bemærkninger, "
           "Bookingarkiv.gennr, Bookingarkiv.gentagende, "
           + hoursExpression() + ", Overgruppenavne.Gruppeart " + kJoins
           + "WHERE Bookingarkiv.Bdato >= " + QString::number(from)
           + " And Bookingarkiv.Bdato <= " + QString::number(to) + kOrder;
}

QString periodetotaler::totalsStatement()
{
    // The archive's rows of the period are added up per item first, reading only the index by
    // day; the items are then named and the totals of items that print under the same names
    // added up, as the report's groups would add up the rows of statement().
    return QStringLiteral(
        "SELECT Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, "
        "sum(perItem.Antal) AS Antal, sum(perItem.Antalpers) AS Antalpers, "
        "sum(perItem.antaltimer) AS antaltimer, sum(perItem.Pris) AS Pris "
        "FROM (SELECT Lokalenr, count(Bdato) AS Antal, total(Antalpers) AS Antalpers, "
        "total(((Bslut - Bstart + 1440) % 1440) * 1.0 / 60) AS antaltimer, "
        "total(Pris) AS Pris FROM bookingarkiv WHERE Bdato >= ?1 AND Bdato <= ?2 "
        "GROUP BY Lokalenr) AS perItem "
        "INNER JOIN lokale ON perItem.Lokalenr = lokale.lokalenr "
        "INNER JOIN lokaliteter ON lokaliteter.Lokalitetsnr = lokale.lokalinr "
        "INNER JOIN Overgruppenavne ON Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr "
        "GROUP BY Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn "
        "ORDER BY Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn");
}

void periodetotaler::ActiveReport_ReportStart()
{
    const datoarkivperiodeht *dialog = Forms::get<datoarkivperiodeht>();
    startRun(totalsStatement(), *dialog,
             Dao::Bindings(QVariantList{dialog->from(), dialog->to()}));
}

void periodetotaler::closeDialog()
{
    Forms::unload<datoarkivperiodeht>();
}
