#include "reports/kontoudskrift.h"

using Units::mm;

kontoudskrift::kontoudskrift() : Report("kontoudskrift")
{
    setCaption("Accounts");
    setDataControl(&DataCtl);
    const double width = printWidth();

    // Title and logo on every page, then the column captions between two rules.
    ReportHeader().setHeight(0);
    ReportSection &page = PageHeader();
    page.setName("PageHeaderSection");
    page.setHeight(mm(30));
    Label28 = page.addLabel("Label28", {0, mm(4), mm(100), mm(10)}, "Accounts");
    Label28->setFontSize(16);
    Label28->setBold(true);
    SubReport1 = page.addSubReport("SubReport1", {width - mm(55), 0, mm(55), mm(18)});
    Line1 = page.addLine("Line1", QLineF(0, mm(21.5), width, mm(21.5)), 0.8);
    Line2 = page.addLine("Line2", QLineF(0, mm(28), width, mm(28)), 0.8);

    struct Column { const char *field; const char *caption; double width; };
    // A phone number with its country code and a password of a dozen characters fit their
    // columns; longer texts take more lines.
    const Column columns[] = {{"Kontonavn", "Name", 29}, {"kontokontakt", "Contact", 25},
                              {"Kontotlf", "Phone", 26}, {"kontomail", "Mail", 45},
                              {"Kontouser", "Username", 20}, {"KontoPass", "Password", 22},
                              {"admin", "Admin", 11}};
    ReportSection &detail = Detail();
    detail.setHeight(mm(5.5));
    QList<ReportLabel *> captions;
    QList<ReportTextBox *> cells;
    double x = mm(2);
    for (const Column &c : columns) {
        const QRectF cell(x, 0, mm(c.width) - mm(1.5), mm(5));
        ReportLabel *caption = page.addLabel(QString(c.field) + "_Label",
                                             cell.translated(0, mm(22.5)), c.caption);
        caption->setBold(true);
        caption->setFontSize(7.5);
        captions.append(caption);
        if (QString(c.field) != "admin") {
            ReportTextBox *box = detail.addTextBox(c.field, cell.translated(0, mm(0.25)),
                                                   c.field);
            box->setFontSize(8);
            cells.append(box);
        } else {
            admin = detail.addCheckBox("admin", cell.translated(mm(2.5), mm(0.25)), "admin");
        }
        x += mm(c.width);
    }
    Kontonavn_Label = captions.at(0);
    kontokontakt_Label = captions.at(1);
    Kontotlf_Label = captions.at(2);
    kontomail_Label = captions.at(3);
    Kontouser_Label = captions.at(4);
    KontoPass_Label = captions.at(5);
    admin_Label = captions.at(6);
    Kontonavn = cells.at(0);
    kontokontakt = cells.at(1);
    Kontotlf = cells.at(2);
    kontomail = cells.at(3);
    Kontouser = cells.at(4);
    KontoPass = cells.at(5);
    // The account's number is read with the row but never printed.
    ID = detail.addTextBox("ID", {width - 1, 0, 1, mm(5)}, "ID");
    ID->setVisible(false);
    Line3 = detail.addLine("Line3", QLineF(mm(2), mm(5.4), width, mm(5.4)), 0.3);
    Line3->setLineColor(QColor(170, 170, 170));

    // Accounts by type, then by status. An empty status counts as active.
    ReportSection &type = addGroup("GroupHeader0", "Kontotype", "GroupFooter0");
    type.setHeight(mm(9));
    type.setKeepTogether(true);
    Kontotype = type.addTextBox("Kontotype", {0, 0, mm(10), mm(5)}, "Kontotype");
    Kontotype->setVisible(false);
    txttype = type.addTextBox("txttype", {0, mm(2.5), mm(100), mm(6)});
    txttype->setFontSize(12);
    txttype->setBold(true);
    type.Format = [this] { GroupHeader0_Format(); };

    ReportSection &status = addGroup("GroupHeader1", "archived", "GroupFooter2");
    status.setHeight(mm(7));
    status.setKeepTogether(true);
    status.setGroupKey(
        [](const ReportRow &row) { return QVariant(row.value("archived").toBool()); });
    archived = status.addCheckBox("archived", {0, 0, mm(4), mm(4)}, "archived");
    archived->setVisible(false);
    txtarc = status.addTextBox("txtarc", {mm(3), mm(1), mm(100), mm(5.5)});
    txtarc->setFontSize(10);
    txtarc->setItalic(true);
    txtarc->setBold(true);
    status.Format = [this] { GroupHeader1_Format(); };

    GroupFooter(0).setHeight(0);
    GroupFooter(1).setHeight(0);

    m_footer = ReportFrame::addPageFooter(*this);
    Cinfo1 = m_footer.line1;
    Cinfo2 = m_footer.line2;
    PageFooter().setName("PageFooterSection");
    ReportFooter().setHeight(0);
}

void kontoudskrift::ActiveReport_ReportStart()
{
    ReportFrame::start(DataCtl, "kontoudskrift", m_footer, SubReport1);
}

void kontoudskrift::GroupHeader0_Format()
{
    txttype->setText(Kontotype->text() == "p" ? "Personal" : "Group");
}

void kontoudskrift::GroupHeader1_Format()
{
    txtarc->setText(archived->value() ? "Archived" : "Active");
}

void kontoudskrift::ActiveReport_ReportEnd()
{
    ReportFrame::end(SubReport1);
}
