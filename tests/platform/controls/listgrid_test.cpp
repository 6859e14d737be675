#include "platform/controls/listgrid.h"
#include "platform/report/pagemodel.h"
#include "platform/report/printcapture.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// The tentative-bookings list: two check columns, then centred and plain text columns.
void setupTentativeColumns(ListGrid &list)
{
    struct Col { const char *caption; int width; bool check; bool centred; };
    const Col cols[] = {{"Conf.", 40, true, true},   {"Del.", 40, true, true},
                        {"Date", 70, false, true},   {"Start", 50, false, true},
                        {"End", 50, false, true},    {"Resource", 120, false, false},
                        {"Account", 120, false, false}, {"Contact", 70, false, true}};
    int expected = 1;
    for (const Col &c : cols) {
        const int n = list.AddColumn(c.caption, c.width);
        EXPECT_EQ(n, expected++);
        if (c.check)
            list.ColumnCheck(n, 1);
        else {
            list.ColumnStyle(n, 0);
            list.ColumnFlag(n, true);
        }
        if (c.centred)
            list.ColumnAlignment(n, 2);
    }
}

QPoint cellCenter(ListGrid &list, int row, int column)
{
    QTreeWidget *view = list.view();
    const QModelIndex index = view->model()->index(row, column - 1);
    return view->visualRect(index).center();
}

} // namespace

TEST(ListGrid, RowsTakeTheirSemicolonPartsAndKeepTheirKeys)
{
    ListGrid list;
    EXPECT_LT(list.SelectedRow(), 0);   // empty list: nothing selected
    setupTentativeColumns(list);
    EXPECT_EQ(list.ColumnCount(), 8);

    EXPECT_EQ(list.AddRow(";;05-03-2024;08:30;09:00;Store Sal;Åse Ørsted;33 12 34 56"), 0);
    EXPECT_EQ(list.AddRow("1;;06-03-2024;10:00"), 1);                 // short: the rest empty
    EXPECT_EQ(list.AddRow(";;07-03-2024;11:00;12:00;A;B;C;extra;more"), 2);   // extra dropped
    EXPECT_EQ(list.AddRow(";;08-03-2024;Sal; nord;12:00"), 3);        // ";" in a text shifts
    list.RowData(0, 12);
    list.RowData(1, -7);
    list.RowData(2, 2147483647);

    EXPECT_EQ(list.RowCount(), 4);
    EXPECT_EQ(list.CellText(0, 3), "05-03-2024");
    EXPECT_EQ(list.CellText(0, 7), "Åse Ørsted");
    EXPECT_EQ(list.CellText(0, 1), "");
    EXPECT_EQ(list.CellCheck(0, 1), 0);
    EXPECT_EQ(list.CellCheck(1, 1), 1);
    EXPECT_EQ(list.CellText(1, 5), "");
    EXPECT_EQ(list.CellText(2, 8), "C");
    EXPECT_EQ(list.CellText(3, 4), "Sal");
    EXPECT_EQ(list.CellText(3, 5), " nord");
    EXPECT_EQ(list.RowData(0), 12);
    EXPECT_EQ(list.RowData(1), -7);
    EXPECT_EQ(list.RowData(2), 2147483647);
    EXPECT_EQ(list.RowData(3), 0);
    EXPECT_EQ(list.RowData(99), 0);
    EXPECT_LT(list.SelectedRow(), 0);   // rows, but none selected
    EXPECT_EQ(list.view()->topLevelItem(0)->textAlignment(2) & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);

    list.setSelectedRow(2);
    EXPECT_EQ(list.SelectedRow(), 2);
    list.ClearRows();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_LT(list.SelectedRow(), 0);

    list.ClearColumns();
    EXPECT_EQ(list.ColumnCount(), 0);
    EXPECT_EQ(list.AddColumn("Date", 70), 1);
}

// The narrowest widths the lists give their date and time columns show a whole date and a
// whole time, centred as those columns are.
TEST(ListGrid, DateAndTimeColumnsShowTheirWholeTexts)
{
    ListGrid list;
    const int date = list.AddColumn("Date", 60);
    const int time = list.AddColumn("From", 40);
    list.ColumnAlignment(date, 2);
    list.ColumnAlignment(time, 2);
    list.AddRow("31-12-2026;23:30");
    QTreeWidget *view = list.view();
    const QFontMetrics metrics(view->font());
    const int padding = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    EXPECT_GE(view->columnWidth(date - 1), metrics.horizontalAdvance("31-12-2026") + padding);
    EXPECT_GE(view->columnWidth(time - 1), metrics.horizontalAdvance("23:30") + padding);
}

TEST(ListGrid, ClicksOnCheckCellsAndDoubleClicksOnRowsRaiseTheirEvents)
{
    ListGrid list;
    list.resize(700, 300);
    setupTentativeColumns(list);
    for (int i = 0; i < 4; ++i)
        list.RowData(list.AddRow(QString(";;0%1-03-2024;08:00;09:00;Sal;Konto;1").arg(i + 1)),
                     100 + i);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    QSignalSpy checks(&list, &ListGrid::CheckClick);
    QSignalSpy doubles(&list, &ListGrid::DblClick);
    QWidget *viewport = list.view()->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCenter(list, 1, 1));
    ASSERT_EQ(checks.size(), 1);
    EXPECT_EQ(checks[0][0].toInt(), 1);
    EXPECT_EQ(checks[0][1].value<short>(), 1);
    EXPECT_EQ(checks[0][2].toInt(), 1);
    EXPECT_EQ(list.CellCheck(1, 1), 1);
    EXPECT_EQ(list.SelectedRow(), 1);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCenter(list, 1, 1));   // clears it
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCenter(list, 3, 2));   // "Del."
    ASSERT_EQ(checks.size(), 3);
    EXPECT_EQ(checks[1][2].toInt(), 0);
    EXPECT_EQ(checks[2][0].toInt(), 3);
    EXPECT_EQ(checks[2][1].value<short>(), 2);
    EXPECT_EQ(list.CellCheck(1, 1), 0);

    // A click on a text cell selects without a check event.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCenter(list, 0, 6));
    EXPECT_EQ(checks.size(), 3);
    EXPECT_EQ(list.SelectedRow(), 0);
    EXPECT_EQ(doubles.size(), 0);

    // A double-click is a press and release, then a second press that the window system
    // reports as a double-click.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCenter(list, 2, 6));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cellCenter(list, 2, 6));
    EXPECT_EQ(doubles.size(), 1);
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_EQ(list.RowData(list.SelectedRow()), 102);
}

TEST(ListGrid, PictureCellsShowPictureOneOrTwo)
{
    ListGrid list;
    const std::pair<const char *, int> columns[] = {{"Date", 70}, {"Start", 45}, {"End", 45},
                                                    {"DB", 30}};
    for (const auto &[caption, width] : columns)
        list.AddColumn(caption, width);
    list.ColumnPicture(4, 2);
    list.AddRow("05-03-2024;08:00;09:00;");
    list.AddRow("06-03-2024;08:00;09:00;");
    list.CellPicture(0, 4, 1);
    list.CellPicture(1, 4, 2);
    EXPECT_EQ(list.CellPicture(0, 4), 1);
    EXPECT_EQ(list.CellPicture(1, 4), 2);
    EXPECT_EQ(list.CellText(0, 4), "");
    EXPECT_EQ(list.CellPicture(5, 4), 0);
    EXPECT_FALSE(ListGrid::pictureImage(1).isNull());
    EXPECT_NE(ListGrid::pictureImage(1), ListGrid::pictureImage(2));
    EXPECT_TRUE(ListGrid::pictureImage(3).isNull());
}

TEST(ListGrid, PrintListPrintsEveryRowUnderTitleAndCaptionsOverSeveralPages)
{
    PrintCapture capture;
    ListGrid list;
    setupTentativeColumns(list);
    for (int i = 0; i < 600; ++i) {
        const int r = list.AddRow(QString("%1;;05-03-2024;08:00;09:00;Øvelokale %2;Konto;1")
                                      .arg(i % 2 ? "1" : "")
                                      .arg(i));
        list.RowData(r, i);
    }
    list.PrintTitle("Tentative Bookings");
    list.PrintSubTitle("Kulturhuset, København, 05-03-2024");
    list.PrintOption(2);
    list.PrintList();

    ASSERT_EQ(capture.previews.size(), 1);
    EXPECT_EQ(capture.titles.first(), "Tentative Bookings");
    const PageModel &model = capture.previews.first();
    ASSERT_GT(model.pageCount(), 5);
    int next = 0;
    int ticks = 0;
    for (int p = 0; p < model.pageCount(); ++p) {
        const QStringList texts = model.texts(p);
        EXPECT_EQ(texts.at(0), "Tentative Bookings");
        EXPECT_EQ(texts.at(1), "Kulturhuset, København, 05-03-2024");
        EXPECT_EQ(texts.at(2), "Conf.");
        EXPECT_EQ(texts.at(9), "Contact");
        EXPECT_EQ(texts.last(), QString("Page %1 of %2").arg(p + 1).arg(model.pageCount()));
        for (const QString &t : texts) {
            if (t.startsWith("Øvelokale "))
                EXPECT_EQ(t, QString("Øvelokale %1").arg(next++));
        }
        for (const PageItem &item : model.page(p).items)
            ticks += item.kind == PageItem::Line && item.penWidth == 1.0 ? 1 : 0;
        // Nothing runs past the paper.
        for (const PageItem &item : model.page(p).items)
            EXPECT_LE(item.rect.right(), model.paperSize().width());
    }
    EXPECT_EQ(next, 600);
    EXPECT_EQ(ticks, 300 * 2);   // every other row confirmed: two strokes per tick

    // Another print option goes to the printer seam instead.
    list.PrintOption(0);
    list.PrintList();
    EXPECT_EQ(capture.previews.size(), 1);
    EXPECT_EQ(capture.printed.size(), 1);
}

TEST(ListGrid, AWideListPrintsOnLandscapePaperAndAnEmptyListPrintsItsHeadings)
{
    ListGrid list;
    for (int i = 1; i <= 10; ++i)
        list.AddColumn(QString("Kolonne %1").arg(i), 130);
    list.AddRow("a;b;c;d;e;f;g;h;i;j");
    PageModel pages = list.printPages();
    EXPECT_EQ(pages.orientation(), QPageLayout::Landscape);
    EXPECT_GT(pages.paperSize().width(), pages.paperSize().height());
    EXPECT_TRUE(pages.texts(0).contains("j"));

    ListGrid empty;
    empty.AddColumn("Date", 70);
    empty.PrintTitle("Bookings on 05-03-2024");
    pages = empty.printPages();
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(pages.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(pages.texts(0), (QStringList{"Bookings on 05-03-2024", "Date", "Page 1 of 1"}));
}

// On screen the columns share the list's width: a title longer than its column's width takes
// room the others do not need, no empty space stands beside a cut text, and a column the user
// sizes keeps its width.
TEST(ListGrid, ColumnsOnScreenUseTheWidthTheListHas)
{
    ListGrid list;
    const std::pair<const char *, int> columns[] = {{"Date", 70}, {"Resource", 110},
                                                    {"Booking", 110}, {"From", 60},
                                                    {"To", 60}, {"Account", 110}, {"Conn.", 60}};
    for (const auto &[caption, width] : columns)
        list.AddColumn(caption, width);
    const QString title = "Generalforsamling i Kulturforeningen 2026";
    list.AddRow("11-12-2026;PA System, small;" + title + ";07:30;08:30;Maria Holm;Private");
    list.AddRow("11-12-2026;Minibus 2;Team outing;07:00;08:00;Maria Holm;Private");
    list.resize(1000, 300);
    list.show();
    QCoreApplication::processEvents();
    QTreeWidget *view = list.view();
    const int available = view->viewport()->width();
    int total = 0;
    for (int c = 0; c < list.ColumnCount(); ++c)
        total += view->columnWidth(c);
    EXPECT_EQ(total, available);
    EXPECT_GE(view->columnWidth(2), view->fontMetrics().horizontalAdvance(title));

    // Narrower than the texts need: the widest give way, every column keeps its caption.
    list.resize(450, 300);
    QCoreApplication::processEvents();
    for (int c = 0; c < list.ColumnCount(); ++c) {
        EXPECT_GE(view->columnWidth(c),
                  view->header()->fontMetrics().horizontalAdvance(list.ColumnCaption(c + 1)))
            << c;
    }

    view->header()->resizeSection(2, 150);   // as a drag on the divider does
    list.resize(1100, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->columnWidth(2), 150);
}

// Printed columns are as wide as their texts where the paper has room; a text longer than any
// sensible width takes more lines, and no text loses a character.
TEST(ListGrid, PrintedColumnsFitTheirTextsAndAVeryLongOneTakesMoreLines)
{
    ListGrid list;
    setupTentativeColumns(list);
    const QString name = QString("Kulturforeningen Østjylland ").repeated(11).trimmed();
    list.AddRow(";;10-12-2026;10:00;16:45;Store Mødesal;Maria Holm;+45 86 12 34 72");
    list.AddRow(";;10-12-2026;10:00;16:45;Store Mødesal;" + name + ";+45 86 12 34 72");
    const PageModel pages = list.printPages();
    EXPECT_EQ(cutTexts(pages), QStringList());
    const PageItem *phone = pages.findText("+45 86 12 34 72");
    ASSERT_NE(phone, nullptr);
    EXPECT_FALSE(phone->flags & Qt::TextWordWrap);
    const PageItem *longName = pages.findText(name);
    ASSERT_NE(longName, nullptr);
    EXPECT_TRUE(longName->flags & Qt::TextWordWrap);
    EXPECT_LE(longName->rect.right(), pages.paperSize().width());
    // The row grew: the next row's rule stands below the long name.
    double lowestRule = 0;
    for (const PageItem &item : pages.page(0).items) {
        if (item.kind == PageItem::Line)
            lowestRule = std::max(lowestRule, item.line.y1());
    }
    EXPECT_GE(lowestRule, longName->rect.bottom());
}
