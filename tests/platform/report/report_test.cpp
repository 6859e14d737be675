#include "platform/report/printcapture.h"
#include "platform/report/report.h"
#include "platform/report/reportformat.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using Units::mm;

namespace {

// Readable texts in test failures.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

QVariantMap row(std::initializer_list<std::pair<const char *, QVariant>> fields)
{
    QVariantMap m;
    for (const auto &f : fields)
        m.insert(QString::fromUtf8(f.first), f.second);
    return m;
}

// Two nested groups (group, then type) over item rows, with per-type and per-group sums and
// counts and a grand total, laid out as a period report would.
class GroupedReport : public Report
{
public:
    GroupedReport() : Report("grouped")
    {
        ReportHeader().setHeight(mm(10));
        Title = ReportHeader().addLabel("Title", {0, 0, mm(100), mm(8)}, "Period Totals");
        PageHeader().setHeight(mm(6));
        PageHeader().addLabel("Label2", {mm(100), 0, mm(20), mm(5)}, "#Bookings");

        ReportSection &g0 = addGroup("GroupHeader0", "OverGruppenavn", "hiddenGroup2footer");
        g0.setHeight(mm(6));
        g0.addTextBox("OverGruppenavn", {0, 0, mm(80), mm(5)}, "OverGruppenavn");
        ReportSection &g1 = addGroup("GroupHeader1", "Lokalitetsnavn", "hiddenGroup3footer");
        g1.setHeight(mm(6));
        g1.addTextBox("Lokalitetsnavn", {mm(5), 0, mm(80), mm(5)}, "Lokalitetsnavn");

        Detail().setHeight(0);   // nothing of the detail prints
        Detail().addTextBox("Pris", {0, 0, mm(20), mm(5)}, "Pris", "0.00");

        ReportSection &f1 = GroupFooter(1);
        f1.setHeight(mm(6));
        Subdato = f1.addTextBox("Subdato", {mm(100), 0, mm(20), mm(5)}, "Bdato", "#,##0",
                                Qt::AlignRight);
        Subdato->setSummary(ReportTextBox::Summary::Count, "GroupHeader1");
        subpris = f1.addTextBox("subpris", {mm(125), 0, mm(25), mm(5)}, "Pris", "#,##0.00",
                                Qt::AlignRight);
        subpris->setSummary(ReportTextBox::Summary::Sum, "GroupHeader1");

        ReportSection &f0 = GroupFooter(0);
        f0.setHeight(mm(6));
        Field2 = f0.addTextBox("Field2", {mm(100), 0, mm(20), mm(5)}, "Bdato", "#,##0",
                               Qt::AlignRight);
        Field2->setSummary(ReportTextBox::Summary::Count, "GroupHeader0");
        Field5 = f0.addTextBox("Field5", {mm(125), 0, mm(25), mm(5)}, "Pris", "#,##0.00",
                               Qt::AlignRight);
        Field5->setSummary(ReportTextBox::Summary::Sum, "GroupHeader0");

        ReportFooter().setHeight(mm(6));
        txtTotal = ReportFooter().addTextBox("txtTotal", {mm(125), 0, mm(25), mm(5)}, "Pris",
                                             "#,##0.00", Qt::AlignRight);
        txtTotal->setSummary(ReportTextBox::Summary::Sum);
    }

    void ActiveReport_ReportStart() override { ++starts; }
    void ActiveReport_ReportEnd() override { ++ends; }

    ReportLabel *Title = nullptr;
    ReportTextBox *Subdato = nullptr, *subpris = nullptr, *Field2 = nullptr, *Field5 = nullptr;
    ReportTextBox *txtTotal = nullptr;
    int starts = 0, ends = 0;
};

QList<QVariantMap> groupedRows()
{
    return {
        row({{"OverGruppenavn", "Bygning A"}, {"Lokalitetsnavn", "Mødelokaler"}, {"Bdato", 1},
             {"Pris", 100.0}}),
        row({{"OverGruppenavn", "Bygning A"}, {"Lokalitetsnavn", "Mødelokaler"}, {"Bdato", 2},
             {"Pris", 250.5}}),
        row({{"OverGruppenavn", "Bygning A"}, {"Lokalitetsnavn", "Sale"}, {"Bdato", 3},
             {"Pris", QVariant()}}),   // a Null price adds nothing but the row counts
        row({{"OverGruppenavn", "Bygning B"}, {"Lokalitetsnavn", "Sale"}, {"Bdato", 4},
             {"Pris", 1000.0}}),
    };
}

} // namespace

TEST(Report, GroupsPrintHeadersAndFootersWithSumsAndCountsRestartingPerGroup)
{
    GroupedReport r;
    r.setRows(groupedRows());
    const PageModel model = r.run();
    EXPECT_EQ(r.starts, 1);
    EXPECT_EQ(r.ends, 1);
    ASSERT_EQ(model.pageCount(), 1);
    const QStringList expected = {
        "Period Totals", "#Bookings",
        "Bygning A", "Mødelokaler", "2", "350.50",     // type footer: two rows
        "Sale", "1", "0.00",                           // restarts for the next type
        "3", "350.50",                                 // group footer of Bygning A
        "Bygning B", "Sale", "1", "1,000.00",          // the same type name in a new group
        "1", "1,000.00",
        "1,350.50"};                                   // grand total
    EXPECT_EQ(model.texts(0), expected);
    // The detail has no height: its price boxes never print.
    EXPECT_EQ(model.findText("100.00"), nullptr);
    // Page header stands under the report header; the first group under the page header.
    EXPECT_LT(model.findText("Period Totals")->rect.top(), model.findText("#Bookings")->rect.top());
    EXPECT_LT(model.findText("#Bookings")->rect.top(), model.findText("Bygning A")->rect.top());
    EXPECT_DOUBLE_EQ(model.findText("Period Totals")->rect.left(), r.margins().left());
    EXPECT_EQ(model.title(), "grouped");
}

TEST(Report, RunsAgainWithFreshSumsAndWithoutRowsPrintsOnlyItsFrame)
{
    GroupedReport r;
    r.setRows(groupedRows());
    r.run();
    const PageModel second = r.run();
    EXPECT_TRUE(second.texts(0).contains("1,350.50"));
    EXPECT_FALSE(second.texts(0).contains("2,701.00"));
    EXPECT_EQ(r.starts, 2);

    GroupedReport empty;
    empty.setRows(QList<QVariantMap>());
    const PageModel model = empty.run();
    ASSERT_EQ(model.pageCount(), 1);
    EXPECT_EQ(model.texts(0), (QStringList{"Period Totals", "#Bookings", "0.00"}));
}

TEST(Report, FormatEventsChangeTextsHideControlsAndCancelSections)
{
    Report r("accounts");
    ReportSection &g0 = r.addGroup("GroupHeader0", "Kontotype");
    g0.setHeight(mm(6));
    auto *type = g0.addTextBox("Kontotype", {0, 0, mm(10), mm(5)}, "Kontotype");
    type->setVisible(false);
    auto *txttype = g0.addTextBox("txttype", {mm(12), 0, mm(40), mm(5)});
    g0.Format = [&] { txttype->setText(type->text() == "p" ? "Personal" : "Group"); };

    r.Detail().setHeight(mm(5));
    auto *name = r.Detail().addTextBox("Kontonavn", {0, 0, mm(50), mm(5)}, "Kontonavn");
    auto *admin = r.Detail().addCheckBox("admin", {mm(60), 0, mm(5), mm(5)}, "admin");
    r.Detail().Format = [&] {
        if (name->text().startsWith("skjult"))
            r.Detail().cancel();
    };
    bool sawAdmin = false;
    r.Detail().Format = [&, inner = r.Detail().Format] {
        inner();
        sawAdmin = sawAdmin || admin->value();
    };
    ReportSection &hiddenFooter = r.GroupFooter(0);
    hiddenFooter.setHeight(mm(5));
    hiddenFooter.addLabel("never", {0, 0, mm(20), mm(5)}, "never printed");
    hiddenFooter.setVisible(false);
    r.ReportFooter().setHeight(0);
    r.ReportFooter().addLabel("zero", {0, 0, mm(20), mm(5)}, "zero height");

    r.setRows({row({{"Kontotype", "p"}, {"Kontonavn", "Åse Ørsted"}, {"admin", true}}),
               row({{"Kontotype", "p"}, {"Kontonavn", "skjult konto"}, {"admin", false}}),
               row({{"Kontotype", "P"}, {"Kontonavn", "Bent"}, {"admin", false}}),
               row({{"Kontotype", QVariant()}, {"Kontonavn", "Carl"}, {"admin", QVariant()}})});
    const PageModel model = r.run();
    EXPECT_EQ(model.texts(0), (QStringList{"Personal", "Åse Ørsted", "Group", "Bent",
                                           "Group", "Carl"}));
    EXPECT_TRUE(sawAdmin);
    // The admin check box of the first row is ticked: its square and two strokes.
    int lines = 0;
    for (const PageItem &item : model.page(0).items)
        lines += item.kind == PageItem::Line ? 1 : 0;
    EXPECT_EQ(lines, 2);
}

TEST(Report, ASubReportPrintsItsPictureRowInsideItsBox)
{
    // The logo sub-report: one settings row holding a picture.
    struct Logo : Report
    {
        Logo() : Report("Logorap")
        {
            PageHeader().setHeight(mm(5));
            PageHeader().addLabel("x", {0, 0, mm(20), mm(5)}, "not in a sub-report");
            Detail().setHeight(mm(20));
            OLE1 = Detail().addPicture("OLE1", {0, 0, mm(40), mm(20)}, "Logopic");
        }
        void ActiveReport_ReportStart() override { ++starts; }
        ReportPicture *OLE1 = nullptr;
        int starts = 0;
    };
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(QColor(20, 80, 160));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");

    Report r("receipt");
    r.ReportHeader().setHeight(mm(30));
    r.ReportHeader().addLabel("Tekst26", {0, 0, mm(80), mm(8)}, " Booking Reciept");
    ReportSubReport *sub = r.ReportHeader().addSubReport("SubReport1",
                                                         {mm(120), mm(2), mm(50), mm(25)});
    auto logoReport = std::make_unique<Logo>();
    Logo *logoPtr = logoReport.get();
    logoReport->setRows({row({{"Logopic", png}})});
    sub->setReport(std::move(logoReport));
    r.setRows({row({{"x", 1}})});

    const PageModel model = r.run();
    EXPECT_EQ(logoPtr->starts, 1);
    const PageItem *picture = nullptr;
    for (const PageItem &item : model.page(0).items) {
        if (item.kind == PageItem::Picture)
            picture = &item;
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->image.size(), QSize(200, 100));
    // 40 x 20 mm box, image 2:1, placed at the sub-report's corner inside the margins.
    EXPECT_NEAR(picture->rect.width(), mm(40), 0.01);
    EXPECT_NEAR(picture->rect.height(), mm(20), 0.01);
    EXPECT_NEAR(picture->rect.left(), r.margins().left() + mm(120), 0.01);
    EXPECT_NEAR(picture->rect.top(), r.margins().top() + mm(2), 0.01);
    EXPECT_FALSE(model.texts(0).contains("not in a sub-report"));

    // Released, or holding a row without a picture: nothing is drawn, nothing fails.
    logoPtr->setRows({row({{"Logopic", QVariant()}})});
    int pictures = 0;
    const PageModel released = r.run();
    for (const PageItem &item : released.page(0).items)
        pictures += item.kind == PageItem::Picture ? 1 : 0;
    EXPECT_EQ(pictures, 0);
    sub->setReport(nullptr);
    EXPECT_EQ(r.run().texts(0), QStringList{" Booking Reciept"});
}

TEST(Report, ManyRowsBreakOverPagesWithHeadersFootersAndPageNumbersOnEveryPage)
{
    Report r("long");
    r.ReportHeader().setHeight(mm(20));
    r.ReportHeader().addLabel("title", {0, 0, mm(100), mm(10)}, "Long list");
    r.PageHeader().setHeight(mm(8));
    r.PageHeader().addLabel("cap", {0, 0, mm(30), mm(6)}, "Booking No.");
    r.Detail().setHeight(mm(5));
    r.Detail().addTextBox("Bookingnr", {0, 0, mm(30), mm(5)}, "Bookingnr");
    r.PageFooter().setHeight(mm(10));
    r.PageFooter().addLabel("Cinfo1", {0, mm(2), mm(120), mm(5)}, "Institution, Vej 1");
    r.PageFooter().addPageNumber("page", {mm(130), mm(2), mm(50), mm(5)});
    r.ReportFooter().setHeight(mm(5));
    r.ReportFooter().addLabel("end", {0, 0, mm(30), mm(5)}, "End of list");
    QList<QVariantMap> rows;
    for (int i = 1; i <= 2500; ++i)
        rows.append(row({{"Bookingnr", i}}));
    r.setRows(rows);

    const PageModel model = r.run();
    const int pages = model.pageCount();
    // Rows of 5 mm between 12 mm margins and a 10 mm footer: 47 on the first page (under
    // the 20 mm report header and the 8 mm page header), 51 on the others.
    EXPECT_EQ(pages, 50);
    const double bodyBottom = r.paperSize().height() - r.margins().bottom() - mm(10);
    int next = 1;
    for (int p = 0; p < pages; ++p) {
        const QStringList texts = model.texts(p);
        EXPECT_EQ(texts.count("Booking No."), 1) << "page " << p + 1;
        EXPECT_EQ(texts.last(), QString("Page %1 of %2").arg(p + 1).arg(pages));
        EXPECT_EQ(texts.at(texts.size() - 2), "Institution, Vej 1");
        for (const PageItem *item : model.textItems(p)) {
            bool isNumber = false;
            const int n = item->text.toInt(&isNumber);
            if (!isNumber)
                continue;
            EXPECT_EQ(n, next) << "page " << p + 1;
            EXPECT_LE(item->rect.bottom(), bodyBottom + 0.01);
            ++next;
        }
    }
    EXPECT_EQ(next, 2501);
    EXPECT_EQ(model.texts(0).first(), "Long list");
    EXPECT_EQ(model.texts(pages - 1).at(model.texts(pages - 1).size() - 3), "End of list");
}

TEST(Report, PageBreakOptionsKeepTogetherAndGrowingTexts)
{
    Report r("breaks");
    r.setMargins(QMarginsF(mm(10), mm(10), mm(10), mm(10)));
    ReportSection &g = r.addGroup("GroupHeader0", "g");
    g.setHeight(mm(10));
    g.setKeepTogether(true);
    g.addTextBox("g", {0, 0, mm(50), mm(10)}, "g");
    r.Detail().setHeight(mm(30));
    auto *text = r.Detail().addTextBox("t", {0, 0, mm(40), mm(10)}, "t");
    text->setCanGrow(true);
    r.GroupFooter(0).setHeight(mm(5));
    r.GroupFooter(0).addLabel("f", {0, 0, mm(20), mm(5)}, "end of group");
    r.ReportFooter().setHeight(mm(5));
    r.ReportFooter().setNewPage(ReportSection::NewPageBefore);
    r.ReportFooter().addLabel("end", {0, 0, mm(20), mm(5)}, "the end");

    const QString longText = QString("ord ").repeated(60).trimmed();
    QList<QVariantMap> rows;
    for (int i = 0; i < 8; ++i)
        rows.append(row({{"g", "A"}, {"t", "a"}}));
    rows.append(row({{"g", "B"}, {"t", longText}}));
    rows.append(row({{"g", "C"}, {"t", "c"}}));
    r.setRows(rows);
    // Page body 277 mm; group A takes 10 + 8 x 30 + 5 = 255 mm. B's header (10) fits in the
    // remaining 22 mm, its first row (30) does not: kept together, both go to page 2.
    PageModel model = r.run();
    ASSERT_EQ(model.pageCount(), 3);
    EXPECT_EQ(model.texts(0).last(), "end of group");
    EXPECT_EQ(model.texts(1).first(), "B");
    EXPECT_TRUE(model.texts(1).contains("C"));
    EXPECT_EQ(model.texts(2), QStringList{"the end"});
    const PageItem *grown = model.findText(longText, 1);
    ASSERT_NE(grown, nullptr);
    EXPECT_GT(grown->rect.height(), mm(10));
    EXPECT_TRUE(grown->flags & Qt::TextWordWrap);
    // The detail grew: the footer stands below the whole text.
    EXPECT_GE(model.findText("end of group", 1)->rect.top(), grown->rect.bottom() - 0.01);

    g.setKeepTogether(false);
    model = r.run();
    EXPECT_EQ(model.texts(0).last(), "B");
}

TEST(Report, AReportFooterFormatReadsTheSumAndSetsTaxAndTotal)
{
    Report r("multikvitto");
    r.Detail().setHeight(mm(5));
    r.Detail().addTextBox("Pris", {mm(100), 0, mm(25), mm(5)}, "Pris", "0.00", Qt::AlignRight);
    ReportSection &footer = r.ReportFooter();
    footer.setName("Rapportfod4");
    footer.setHeight(mm(20));
    auto *txtPris = footer.addTextBox("txtPris", {mm(100), 0, mm(25), mm(5)}, "Pris", "0.00");
    txtPris->setSummary(ReportTextBox::Summary::Sum);
    auto *Taxtex = footer.addTextBox("Taxtex", {mm(70), mm(5), mm(25), mm(5)});
    auto *taxbel = footer.addTextBox("taxbel", {mm(100), mm(5), mm(25), mm(5)});
    auto *total = footer.addTextBox("total", {mm(100), mm(10), mm(25), mm(5)});
    auto *taxbool = footer.addCheckBox("taxbool", {0, 0, mm(5), mm(5)});
    const double taxPct = 25;
    footer.Format = [&] {
        const double sum = txtPris->text().toDouble();
        if (taxbool->value()) {
            taxbel->setText(ReportFormat::format(sum * taxPct / 100, "0.00"));
            Taxtex->setText("Tax " + QString::number(taxPct) + "%");
            total->setText(ReportFormat::format(sum + sum * taxPct / 100, "0.00"));
        } else {
            taxbel->setText(ReportFormat::format(0, "0.00"));
            Taxtex->setText("No Tax");
            total->setText(ReportFormat::format(sum, "0.00"));
        }
    };
    EXPECT_EQ(r.section("rapportfod4"), &footer);
    EXPECT_EQ(r.control<ReportTextBox>("TAXBEL"), taxbel);

    r.setRows({row({{"Pris", 100}}), row({{"Pris", 100}}), row({{"Pris", 100}})});
    taxbool->setValue(true);
    QStringList texts = r.run().texts(0);
    EXPECT_EQ(texts.mid(3), (QStringList{"300.00", "Tax 25%", "75.00", "375.00"}));
    taxbool->setValue(false);
    texts = r.run().texts(0);
    EXPECT_EQ(texts.mid(3), (QStringList{"300.00", "No Tax", "0.00", "300.00"}));
}

TEST(Report, ATextTooWideForItsBoxPrintsSmallerOrOnMoreLinesAndPushesDownWhatIsBelow)
{
    Report r("fit");
    r.Detail().setHeight(mm(5.5));
    auto *name = r.Detail().addTextBox("name", {0, 0, mm(40), mm(5)}, "name");
    auto *phone = r.Detail().addTextBox("phone", {mm(42), 0, mm(22), mm(5)}, "phone", {},
                                        Qt::AlignHCenter);
    auto *password = r.Detail().addTextBox("password", {mm(66), 0, mm(16), mm(5)}, "password");
    r.Detail().addLine("rule", QLineF(0, mm(5.3), mm(100), mm(5.3)));
    // A box beside the others, below nothing that grows: it stays where it is.
    r.Detail().addLabel("aside", {mm(120), 0, mm(30), mm(5)}, "x");
    const QString longName = QString("Kulturforeningen Østjylland ").repeated(10).trimmed();
    const QString password1 = "Hemmelig1Hemmelig2Hemmelig3";
    r.setRows({row({{"name", "Anna"}, {"phone", "+45 86 12 34 72"}, {"password", "Hemmelig1"}}),
               row({{"name", longName}, {"phone", "86 12"}, {"password", password1}})});
    const PageModel model = r.run();

    EXPECT_EQ(cutTexts(model), QStringList());
    // A little too wide: the same line in a smaller font.
    const PageItem *wide = model.findText("+45 86 12 34 72");
    ASSERT_NE(wide, nullptr);
    EXPECT_LT(wide->font.pointSizeF(), phone->font().pointSizeF());
    EXPECT_GE(wide->font.pointSizeF(), phone->font().pointSizeF() * 0.8);
    EXPECT_FALSE(wide->flags & Qt::TextWordWrap);
    EXPECT_EQ(model.findText("Anna")->font.pointSizeF(), name->font().pointSizeF());
    // Far too wide: lines in the box's font, the box and the row as tall as they need; a word
    // wider than its box breaks inside it.
    const PageItem *wrapped = model.findText(longName);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_TRUE(wrapped->flags & Qt::TextWordWrap);
    EXPECT_EQ(wrapped->font.pointSizeF(), name->font().pointSizeF());
    EXPECT_GT(wrapped->rect.height(), mm(20));
    const PageItem *broken = model.findText(password1);
    ASSERT_NE(broken, nullptr);
    EXPECT_GT(TextMetrics::wrappedLines(broken->font, password1, broken->rect.width()).size(), 1);
    EXPECT_EQ(password->font().pointSizeF(), r.defaultFont().pointSizeF());
    // The rule under the grown row moved below its texts; the box beside them did not move.
    QList<double> rules;
    for (const PageItem &item : model.page(0).items) {
        if (item.kind == PageItem::Line)
            rules.append(item.line.y1());
    }
    ASSERT_EQ(rules.size(), 2);
    EXPECT_GE(rules.at(1), wrapped->rect.bottom());
    const QList<const PageItem *> texts = model.textItems(0);
    QList<double> asides;
    for (const PageItem *item : texts) {
        if (item->text == "x")
            asides.append(item->rect.top());
    }
    ASSERT_EQ(asides.size(), 2);
    EXPECT_NEAR(asides.at(1) - asides.at(0), mm(5.5), 0.01);
}

TEST(Report, APageThatContinuesAGroupStartsWithTheHeadersOfItsGroups)
{
    Report r("continued");
    r.PageHeader().setHeight(mm(6));
    r.PageHeader().addLabel("cap", {0, 0, mm(30), mm(5)}, "Start");
    ReportSection &day = r.addGroup("GroupHeader0", "day");
    day.setHeight(mm(6));
    day.addTextBox("day", {0, 0, mm(40), mm(5)}, "day");
    ReportSection &type = r.addGroup("GroupHeader1", "type");
    type.setHeight(mm(6));
    type.addTextBox("type", {mm(5), 0, mm(40), mm(5)}, "type");
    r.Detail().setHeight(mm(5));
    r.Detail().addTextBox("n", {mm(10), 0, mm(20), mm(5)}, "n");
    r.GroupFooter(1).setHeight(mm(5));
    r.GroupFooter(1).addLabel("end", {0, 0, mm(30), mm(5)}, "end of type");
    QList<QVariantMap> rows;
    for (int i = 1; i <= 120; ++i)
        rows.append(row({{"day", "Monday"}, {"type", i <= 100 ? "Halls" : "Rooms"}, {"n", i}}));
    r.setRows(rows);
    const PageModel model = r.run();
    ASSERT_EQ(model.pageCount(), 3);
    EXPECT_EQ(model.texts(0).mid(0, 4), (QStringList{"Start", "Monday", "Halls", "1"}));
    for (int p = 1; p < model.pageCount(); ++p) {
        const QStringList texts = model.texts(p);
        // The page header, then the day and the type the page goes on with, then its rows.
        EXPECT_EQ(texts.mid(0, 3), (QStringList{"Start", "Monday", p == 1 ? "Halls" : "Rooms"}))
            << "page " << p + 1;
        EXPECT_EQ(texts.count("Monday"), 1) << "page " << p + 1;
        bool isNumber = false;
        texts.at(3).toInt(&isNumber);
        EXPECT_TRUE(isNumber) << texts.at(3).toStdString();
    }

    // A header that may not repeat stays where its group began.
    type.setRepeatsOnNewPage(false);
    const QStringList second = r.run().texts(1);
    EXPECT_EQ(second.mid(0, 2), (QStringList{"Start", "Monday"}));
    bool isNumber = false;
    second.at(2).toInt(&isNumber);
    EXPECT_TRUE(isNumber) << second.at(2).toStdString();
}
