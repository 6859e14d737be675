#include "reports/resourcelist.h"

using Units::mm;

ResourceList::ResourceList(const QString &name, const QString &title, const QString &sql,
                           const QList<Column> &columns, QPageLayout::Orientation orientation)
    : Report(name), m_sql(sql)
{
    setCaption(title);
    setOrientation(orientation);
    setDataControl(&DataCtl);
    const double width = printWidth();

    ReportSection &head = ReportHeader();
    head.setHeight(mm(26));
    Title = head.addLabel("Title", {0, mm(4), width - mm(60), mm(10)}, title);
    Title->setFontSize(16);
    Title->setBold(true);
    SubReport1 = head.addSubReport("SubReport1", {width - mm(55), 0, mm(55), mm(18)});
    head.addLine("Line1", QLineF(0, mm(20), width, mm(20)), 1.2);
    head.addLine("Line2", QLineF(0, mm(21), width, mm(21)), 0.5);

    PageHeader().setHeight(0);

    ReportSection &group = addGroup("GroupHeader0", "OverGruppenavn", "GroupFooter0");
    group.setHeight(mm(9));
    group.setKeepTogether(true);
    OverGruppenavn = group.addTextBox("OverGruppenavn", {0, mm(2), width, mm(6.5)},
                                      "OverGruppenavn");
    OverGruppenavn->setFontSize(12);
    OverGruppenavn->setBold(true);

    // The type's name, then the column captions between rules.
    ReportSection &type = addGroup("GroupHeader1", "Lokalitetsnavn", "GroupFooter1");
    type.setHeight(mm(17));
    type.setKeepTogether(true);
    Lokalitetsnavn = type.addTextBox("Lokalitetsnavn", {mm(3), mm(2.5), width, mm(5.5)},
                                     "Lokalitetsnavn");
    Lokalitetsnavn->setFontSize(10);
    Lokalitetsnavn->setBold(true);
    type.addLine("Line3", QLineF(mm(3), mm(9), width, mm(9)), 0.5);
    type.addLine("Line4", QLineF(mm(3), mm(9.6), width, mm(9.6)), 0.5);
    type.addLine("Line5", QLineF(mm(3), mm(15.2), width, mm(15.2)), 0.5);
    type.addLine("Line6", QLineF(mm(3), mm(15.8), width, mm(15.8)), 0.5);

    ReportSection &detail = Detail();
    detail.setHeight(mm(5.5));
    double x = mm(3);
    for (const Column &c : columns) {
        // Numbers keep a wider gap to the text column after them; texts wrap in their cell.
        const bool number = c.alignment & Qt::AlignRight;
        const QRectF cell(x, 0, mm(c.width) - mm(number ? 4 : 1.5), mm(5));
        ReportLabel *caption = type.addLabel(c.field + "_Label", cell.translated(0, mm(9.9)),
                                             c.caption, c.alignment);
        caption->setBold(true);
        caption->setFontSize(8);
        ReportTextBox *cellBox = detail.addTextBox(c.field, cell.translated(0, mm(0.25)),
                                                   c.field, c.format, c.alignment);
        cellBox->setFontSize(8);
        cellBox->setCanGrow(!number);
        x += mm(c.width);
    }

    // The group footers print nothing.
    GroupFooter(0).setVisible(false);
    GroupFooter(1).setVisible(false);

    m_footer = ReportFrame::addPageFooter(*this);
    Cinfo1 = m_footer.line1;
    Cinfo2 = m_footer.line2;
    ReportFooter().setHeight(0);
}

void ResourceList::ActiveReport_ReportStart()
{
    ReportFrame::start(DataCtl, m_sql, m_footer, SubReport1);
}

void ResourceList::ActiveReport_ReportEnd()
{
    ReportFrame::end(SubReport1);
}

QString ResourceList::equipmentSql(int kind)
{
    return "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
           "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, lokale.gebyr, lokale.lokfabrikat, "
           "lokale.lokmodel, lokale.loksernr, lokale.lokårgang, lokale.Leverandør, "
           "lokale.Garantislut, lokale.levphone, lokale.nextservice FROM (Overgruppenavne "
           "INNER JOIN (lokaliteter INNER JOIN lokale ON lokaliteter.Lokalitetsnr = "
           "lokale.lokalinr) ON Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr) "
           "INNER JOIN Gruppetyper ON Overgruppenavne.Gruppeart = Gruppetyper.gruppeart WHERE "
           "(((Gruppetyper.gruppeart)="
           + QString::number(kind)
           + ")) ORDER BY Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
             "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;";
}

QList<ResourceList::Column> ResourceList::equipmentColumns()
{
    return {{"Resource Name", "Lokalenavn", {}, 38},
            {"Fee/Hour", "gebyr", "Fixed", 21, Qt::AlignRight},
            {"Brand", "lokfabrikat", {}, 22},
            {"Model", "lokmodel", {}, 28},
            {"Serial No#", "loksernr", {}, 34},
            {"Year", "lokårgang", {}, 11},
            {"Supplier", "Leverandør", {}, 32},
            {"Warranty", "Garantislut", "Short Date", 22},
            {"Phone", "levphone", {}, 28},
            {"Service", "nextservice", {}, 22}};
}
