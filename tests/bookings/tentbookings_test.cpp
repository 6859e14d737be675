#include "bookingfixture.h"

#include "bookings/tentbookings.h"
#include "core/generalen.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/report/printcapture.h"

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Generalen;

namespace {

class TentBookingsTest : public BookingFileTest
{
protected:
    void SetUp() override
    {
        BookingFileTest::SetUp();
        gIsAdmin = true;
        // 100 and 102 tentative; 101 confirmed. 103 starts at 08:01:30, stored as minutes.
        exec("UPDATE booking SET Tentative = 1 WHERE Bookingnr IN (100, 102);"
             "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, bstart, bslut, Lokalenr, "
             "kontonr, Tentative) VALUES (103, 'Odd start', 45008, 481.5, 510, 11, 3, 1)");
    }
    TentBookings *open()
    {
        auto *f = Forms::get<TentBookings>();
        f->Show();
        return f;
    }
    static QStringList row(const ListGrid &l, int r)
    {
        QStringList cells;
        for (int c = 1; c <= l.ColumnCount(); ++c)
            cells << l.CellText(r, c);
        return cells;
    }
    static QList<int> keys(const ListGrid &l)
    {
        QList<int> out;
        for (int r = 0; r < l.RowCount(); ++r)
            out << l.RowData(r);
        return out;
    }
    // Clicks a check cell with the mouse, as the user does.
    static void click(TentBookings *f, int r, int column)
    {
        QTreeWidget *view = f->tentList->view();
        const QRect cell = view->visualItemRect(view->topLevelItem(r));
        const int x = view->header()->sectionViewportPosition(column - 1)
                      + view->header()->sectionSize(column - 1) / 2;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(x, cell.center().y()));
    }
};

TEST_F(TentBookingsTest, ListsTheTentativeBookingsInDateOrder)
{
    TentBookings *f = open();
    EXPECT_EQ(f->windowTitle(), "Vantix - Tentative Bookings Administration");
    const ListGrid &l = *f->tentList;
    ASSERT_EQ(l.ColumnCount(), 8);
    QStringList captions;
    for (int c = 1; c <= 8; ++c)
        captions << l.ColumnCaption(c) + " " + QString::number(l.ColumnWidth(c));
    EXPECT_EQ(captions, QStringList({"Conf. 40", "Del. 40", "Date 70", "Start 50", "End 50",
                                     "Resource 120", "Account 120", "Contact 70"}));
    EXPECT_EQ(keys(l), QList<int>({100, 102, 103}));
    EXPECT_EQ(row(l, 0), QStringList({"", "", "03-01-1900", "10:00", "11:00", "Room A",
                                      "Anna Berg", "86 12 34 61"}));
    // 28890 seconds is 481.5 minutes: the half goes to the even minute.
    EXPECT_EQ(row(l, 2).mid(3, 2), QStringList({"08:02", "08:30"}));
    EXPECT_EQ(l.CellCheck(0, 1), 0);
}

TEST_F(TentBookingsTest, ConfCheckConfirmsAndUncheckMakesTentativeAgain)
{
    TentBookings *f = open();
    click(f, 1, 1);
    EXPECT_EQ(bookingField(102, "Tentative").toInt(), 0);
    EXPECT_EQ(bookingField(100, "Tentative").toInt(), 1);
    // The confirmed row stays, checked, until the list is refreshed.
    EXPECT_EQ(keys(*f->tentList), QList<int>({100, 102, 103}));
    EXPECT_EQ(f->tentList->CellCheck(1, 1), 1);
    click(f, 1, 1);
    EXPECT_NE(bookingField(102, "Tentative").toInt(), 0);
    click(f, 1, 1);
    f->Refresh->click();
    EXPECT_EQ(keys(*f->tentList), QList<int>({100, 103}));
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(TentBookingsTest, DelAsksAndNoKeepsTheBooking)
{
    TentBookings *f = open();
    sb.answer(MsgBox::No);
    click(f, 0, 2);
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "Confirm deletion ?");
    EXPECT_EQ(sb.shown().last().title, "Confirm");
    EXPECT_EQ(sb.shown().last().style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
    EXPECT_EQ(bookingField(100, "Bookingnr").toInt(), 100);
    // Reloaded anyway: the check is gone.
    EXPECT_EQ(f->tentList->CellCheck(0, 2), 0);
    EXPECT_EQ(f->tentList->ColumnCount(), 8);

    sb.answer(MsgBox::Yes);
    click(f, 0, 2);
    EXPECT_TRUE(bookingField(100, "Bookingnr").isNull());
    EXPECT_EQ(keys(*f->tentList), QList<int>({102, 103}));
}

TEST_F(TentBookingsTest, ABookingDeletedMeanwhileIsReportedAndTheListShownAgain)
{
    TentBookings *f = open();
    for (int column : {1, 2}) {
        SCOPED_TRACE(column);
        exec(QString("DELETE FROM booking WHERE Bookingnr = %1").arg(f->tentList->RowData(0)));
        sb.clearShown();
        click(f, 0, column);
        ASSERT_EQ(sb.shown().size(), 1);
        EXPECT_EQ(sb.lastText(),
                  "The booking is no longer in the bookingfile. It may have been deleted.");
        EXPECT_EQ(sb.shown().last().title, "Service Message");
    }
    EXPECT_EQ(keys(*f->tentList), QList<int>({103}));
    EXPECT_EQ(bookingField(103, "Tentative").toInt(), 1);
}

TEST_F(TentBookingsTest, ConfirmAllConfirmsEveryTentativeBookingAndCloses)
{
    TentBookings *f = open();
    sb.answer(MsgBox::No);
    f->ConAll->click();
    EXPECT_EQ(sb.lastText(), "Approve confirmation of all tentative bookings");
    EXPECT_EQ(sb.shown().last().title, "Bulk Confirmation");
    EXPECT_TRUE(Forms::isLoaded<TentBookings>());
    EXPECT_EQ(bookingField(100, "Tentative").toInt(), 1);

    sb.answer(MsgBox::Yes);
    f->ConAll->click();
    EXPECT_FALSE(Forms::isLoaded<TentBookings>());
    for (int n : {100, 101, 102, 103})
        EXPECT_EQ(bookingField(n, "Tentative").toInt(), 0) << n;

    // With no tentative booking left it still closes.
    sb.answer(MsgBox::Yes);
    open()->ConAll->click();
    EXPECT_FALSE(Forms::isLoaded<TentBookings>());
}

// On the real message box one Enter answers No: every booking stays tentative.
TEST_F(TentBookingsTest, EnterOnConfirmAllsQuestionConfirmsNothing)
{
    TentBookings *f = open();
    MsgBox::setHandler(nullptr);
    QString asked;
    QTimer::singleShot(0, [&asked] {
        QWidget *box = QApplication::activeModalWidget();
        if (auto *mb = qobject_cast<QMessageBox *>(box)) {
            asked = mb->text();
            QTest::keyClick(mb, Qt::Key_Return);
        }
    });
    f->ConAll->click();
    EXPECT_EQ(asked, "Approve confirmation of all tentative bookings");
    EXPECT_TRUE(Forms::isLoaded<TentBookings>());
    for (int n : {100, 102, 103})
        EXPECT_EQ(bookingField(n, "Tentative").toInt(), 1) << n;
}

TEST_F(TentBookingsTest, TheListStopsAt2000Rows)
{
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1998) "
         "INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr, kontonr, Tentative) "
         "SELECT 1000 + i, 46000, 600, 660, 10, 2, 1 FROM n");
    TentBookings *f = open();
    EXPECT_EQ(f->tentList->RowCount(), 2000);
    EXPECT_EQ(f->tentList->RowData(1999), 2997);
}

TEST_F(TentBookingsTest, PrintShowsTitleAndInstitutionInThePreview)
{
    PrintCapture capture;
    gInstName = "Aarhus Hall";
    gInstCity = "Aarhus";
    sb.setNow(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
    TentBookings *f = open();
    f->Printbutton->click();
    ASSERT_EQ(capture.previews.size(), 1);
    const QStringList texts = capture.previews.first().texts();
    EXPECT_TRUE(texts.contains("Tentative Bookings")) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Aarhus Hall, Aarhus, 05-03-2024"))
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains("Odd start") || texts.contains("Room B"));
}

} // namespace
