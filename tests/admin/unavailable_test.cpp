#include "resourcefixture.h"

#include "admin/editunavail.h"
#include "admin/unavailablelist.h"
#include "core/generalen.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"
#include "platform/report/pagemodel.h"
#include "platform/report/printing.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Generalen;

namespace {

class UnavailableTest : public ResourceTest
{
protected:
    void SetUp() override
    {
        ResourceTest::SetUp();
        meeting = addType("Meeting", addGroup("Rooms"));
        aula = addItem("Aula", meeting);
        lab = addItem("Lab", meeting);
        addItem("Hall", meeting);   // available: not listed
        setPeriod(aula, 45359, 45373);
        setPeriod(lab, 45400, 45410);
    }
    void TearDown() override
    {
        Printing::setPreviewHandler(nullptr);
        ResourceTest::TearDown();
    }
    void setPeriod(int32_t item, int from, int to)
    {
        exec(QString("UPDATE lokale SET inaktiv = 1, inakstart = %1, inakslut = %2 "
                     "WHERE lokalenr = %3").arg(from).arg(to).arg(item));
    }
    UnavailableList *openList()
    {
        auto *l = Forms::get<UnavailableList>();
        l->Show();
        return l;
    }
    EditUnavail *editRow(UnavailableList *l, int row)
    {
        l->Unal->setSelectedRow(row);
        l->Edit->click();
        return Forms::get<EditUnavail>();
    }
    int32_t meeting = 0, aula = 0, lab = 0;
};

TEST_F(UnavailableTest, TheListShowsTheUnavailableItemsWithTheirPeriod)
{
    UnavailableList *l = openList();
    EXPECT_EQ(l->windowTitle(), "Vantix  -  Unavailable Resources List");
    ASSERT_EQ(l->Unal->ColumnCount(), 5);
    EXPECT_EQ(l->Unal->ColumnCaption(3), "Resource Group");
    EXPECT_EQ(l->Unal->ColumnWidth(4), 60);
    ASSERT_EQ(l->Unal->RowCount(), 2);
    QStringList first;
    for (int c = 1; c <= 5; ++c)
        first << l->Unal->CellText(0, c);
    EXPECT_EQ(first, QStringList({"Aula", "Meeting", "Rooms", "10-03-2024", "24-03-2024"}));
    EXPECT_EQ(l->Unal->RowData(0), aula);
    EXPECT_EQ(l->Unal->RowData(1), lab);
}

TEST_F(UnavailableTest, AnEmptyListOrNoSelectionAsksForAResource)
{
    exec("UPDATE lokale SET inaktiv = 0");
    UnavailableList *l = openList();
    EXPECT_EQ(l->Unal->RowCount(), 0);
    l->Edit->click();
    EXPECT_EQ(sb.lastText(), "Select Resource!");
    EXPECT_EQ(sb.shown().last().title, "Service message");
    EXPECT_FALSE(Forms::isLoaded<EditUnavail>());
}

TEST_F(UnavailableTest, TheListStopsAt2000Rows)
{
    QString sql = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1999)"
                  " INSERT INTO lokale (Lokalenavn, lokalinr, inaktiv, inakstart, inakslut)"
                  " SELECT 'Item ' || i, " + QString::number(meeting) + ", 1, 45000, 45001 FROM n";
    exec(sql);
    EXPECT_EQ(count("lokale", "inaktiv <> 0"), 2001);
    EXPECT_EQ(openList()->Unal->RowCount(), 2000);
}

TEST_F(UnavailableTest, EditOpensTheChosenItemAndOkWritesAndReloads)
{
    UnavailableList *l = openList();
    EditUnavail *e = editRow(l, 1);
    EXPECT_EQ(e->windowTitle(), "Vantix -  Unavailable ressource edit");
    EXPECT_EQ(e->owner(), l);
    EXPECT_EQ(e->Lokalenavn->text(), "Lab");
    EXPECT_FALSE(e->Lokalenavn->isEnabled());
    e->cslut->spinUp();
    e->ok->click();
    EXPECT_FALSE(Forms::isLoaded<EditUnavail>());
    EXPECT_EQ(value(QString("SELECT inakslut FROM lokale WHERE lokalenr = %1").arg(lab)).toInt(),
              45411);
    EXPECT_EQ(l->Unal->CellText(1, 5), "01-05-2024");

    // A double click opens the row as Edit does; a cleared flag leaves the list.
    l->Unal->setSelectedRow(0);
    l->Unal_DblClick();
    e = Forms::get<EditUnavail>();
    EXPECT_EQ(e->Lokalenavn->text(), "Aula");
    e->inaktiv->click();
    EXPECT_FALSE(e->cstart->isEnabled());
    e->ok_Click();
    ASSERT_EQ(l->Unal->RowCount(), 1);
    EXPECT_EQ(l->Unal->RowData(0), lab);
    EXPECT_EQ(value(QString("SELECT inakstart || ' ' || inakslut FROM lokale "
                            "WHERE lokalenr = %1").arg(aula)).toString(),
              "45359 45373");
}

TEST_F(UnavailableTest, AnEndBeforeTheStartIsCorrectedToFourteenDays)
{
    struct Case { const char *name; bool moveEnd; int day; int from; int to; bool told; };
    const Case cases[] = {
        {"end a day before the start", true, 45399, 45400, 45414, true},
        {"start a day after the end", false, 45411, 45396, 45410, true},
        {"end on the start", true, 45400, 45400, 45400, false},
        {"start on the end", false, 45410, 45410, 45410, false},
    };
    for (const Case &c : cases) {
        setPeriod(lab, 45400, 45410);
        UnavailableList *l = openList();
        l->Reload();
        EditUnavail *e = editRow(l, 1);
        sb.clearShown();
        (c.moveEnd ? e->cslut : e->cstart)->setValue(c.day);
        EXPECT_EQ(e->cstart->value(), c.from) << c.name;
        EXPECT_EQ(e->cslut->value(), c.to) << c.name;
        if (c.told) {
            ASSERT_EQ(sb.shown().size(), 1) << c.name;
            EXPECT_EQ(sb.lastText(), "End date must exceed start date!");
            EXPECT_EQ(sb.shown().last().title, "");
        } else {
            EXPECT_TRUE(sb.shown().isEmpty()) << c.name;
        }
        e->ok_Click();
    }
}

TEST_F(UnavailableTest, ATypedDayIsCheckedOnceWhenTheUserLeavesItsBox)
{
    UnavailableList *l = openList();
    EditUnavail *e = editRow(l, 1);   // Lab, 45400 to 45410
    e->activateWindow();
    QApplication::setActiveWindow(e);
    auto *text = e->cslut->findChild<QLineEdit *>();
    text->setFocus();
    text->setCursorPosition(0);
    sb.clearShown();
    QTest::keyClicks(text, "01042024");   // 2024-04-01, day 45381, typed digit by digit
    EXPECT_EQ(e->cslut->value(), 45381);
    EXPECT_TRUE(sb.shown().isEmpty());
    e->cstart->findChild<QLineEdit *>()->setFocus();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "End date must exceed start date!");
    EXPECT_EQ(e->cslut->value(), 45414);

    // Typed and then Ok at once: checked there, and the form stays to show the correction.
    text->setFocus();
    text->setCursorPosition(0);
    QTest::keyClicks(text, "01042024");
    e->ok_Click();
    EXPECT_EQ(sb.shown().size(), 2);
    EXPECT_TRUE(Forms::isLoaded<EditUnavail>());
    e->ok_Click();
    EXPECT_FALSE(Forms::isLoaded<EditUnavail>());
    EXPECT_EQ(value(QString("SELECT inakslut FROM lokale WHERE lokalenr = %1").arg(lab)).toInt(),
              45414);
}

TEST_F(UnavailableTest, CheckingSetsBothDaysToTodayAndOpeningCorrectsNothing)
{
    setPeriod(lab, 45500, 45490);   // stored out of order by another program
    UnavailableList *l = openList();
    EditUnavail *e = editRow(l, 1);
    EXPECT_EQ(e->cstart->value(), 45500);
    EXPECT_EQ(e->cslut->value(), 45490);
    EXPECT_TRUE(sb.shown().isEmpty());
    e->inaktiv->click();   // off
    e->inaktiv->click();   // on: today to today, told nothing
    EXPECT_EQ(e->cstart->value(), kToday);
    EXPECT_EQ(e->cslut->value(), kToday);
    EXPECT_TRUE(sb.shown().isEmpty());
}

// Ok checks the period too: one stored out of order is corrected, shown, and then stored.
TEST_F(UnavailableTest, OkCorrectsAPeriodStoredOutOfOrder)
{
    setPeriod(lab, 45500, 45490);
    EditUnavail *e = editRow(openList(), 1);
    e->ok->click();
    ASSERT_EQ(sb.shown().size(), 1);
    EXPECT_EQ(sb.lastText(), "End date must exceed start date!");
    EXPECT_TRUE(Forms::isLoaded<EditUnavail>());
    EXPECT_EQ(e->cslut->value(), 45514);
    EXPECT_EQ(value(QString("SELECT inakslut FROM lokale WHERE lokalenr = %1").arg(lab)).toInt(),
              45490);
    e->ok->click();
    EXPECT_FALSE(Forms::isLoaded<EditUnavail>());
    EXPECT_EQ(value(QString("SELECT inakslut FROM lokale WHERE lokalenr = %1").arg(lab)).toInt(),
              45514);
}

// The name is only shown here: an item whose stored name is empty is saved like any other.
TEST_F(UnavailableTest, AnItemWithoutANameIsSavedLikeAnyOther)
{
    exec(QString("UPDATE lokale SET Lokalenavn = NULL WHERE lokalenr = %1").arg(lab));
    UnavailableList *l = openList();
    for (bool closeBox : {false, true}) {
        int row = 0;
        while (l->Unal->RowData(row) != lab)
            ++row;
        EditUnavail *e = editRow(l, row);
        EXPECT_EQ(e->Lokalenavn->text(), "");
        e->cslut->spinUp();
        sb.clearShown();
        if (closeBox)
            e->close();
        else
            e->ok->click();
        EXPECT_TRUE(sb.shown().isEmpty()) << sb.lastText().toStdString();
        EXPECT_FALSE(Forms::isLoaded<EditUnavail>());
    }
    EXPECT_EQ(value(QString("SELECT inakslut FROM lokale WHERE lokalenr = %1").arg(lab)).toInt(),
              45412);
    // The list shows it, also after the close box.
    EXPECT_EQ(l->Unal->CellText(0, 5), "02-05-2024");
}

TEST_F(UnavailableTest, APrintCarriesTheInstitutionTheCityAndTheDate)
{
    gInstName = "Town Hall";
    gInstCity = "Aarhus";
    QList<PageModel> previews;
    Printing::setPreviewHandler(
        [&](const PageModel &model, const QString &) { previews.append(model); });
    UnavailableList *l = openList();
    l->Printbutton->click();
    EXPECT_EQ(l->Unal->PrintTitle(), "Unavailable Resources");
    EXPECT_EQ(l->Unal->PrintSubTitle(), "Town Hall   Aarhus, 10-03-2024");
    EXPECT_EQ(l->Unal->PrintOption(), 2);
    ASSERT_EQ(previews.size(), 1);
    EXPECT_TRUE(previews[0].texts().contains("Aula"));
}

} // namespace
