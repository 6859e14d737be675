#include "resourcefixture.h"

#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "platform/controls/datecalendar.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "platform/controls/maskededit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Generalen;

namespace {

class ItemFormsTest : public ResourceTest
{
protected:
    void SetUp() override
    {
        ResourceTest::SetUp();
        meeting = addType("Meeting", addGroup("Rooms"));
        aula = addItem("Aula", meeting);
        lab = addItem("Lab", meeting);
        screens = addType("Screens", addGroup("Gear", 2), 2);
        beamer = addItem("Beamer", screens, 2);
        exec(QString("INSERT INTO Homebases (ID, Homebase) VALUES (3, 'Basement')"));
        exec(QString("UPDATE lokale SET ID = 3, Garantislut = '2025-06-30 00:00:00' "
                     "WHERE lokalenr = %1").arg(beamer));
    }
    template<typename F>
    F *openOn(int32_t item)
    {
        F *f = Forms::get<F>();
        f->Show();
        EXPECT_TRUE(f->position(QString("lokalenr = %1").arg(item)));
        return f;
    }
    QString period(int32_t item)
    {
        return value(QString("SELECT inaktiv || ' ' || IFNULL(inakstart, '-') || ' ' || "
                             "IFNULL(inakslut, '-') FROM lokale WHERE lokalenr = %1").arg(item))
            .toString();
    }
    int32_t meeting = 0, aula = 0, lab = 0, screens = 0, beamer = 0;
};

TEST_F(ItemFormsTest, CheckingUnavailablePresetsTwoWeeksAndUncheckingKeepsTheDays)
{
    for (bool domestic : {true, false}) {
        ResourceItemForm *f = domestic ? static_cast<ResourceItemForm *>(openOn<resitemL>(aula))
                                       : openOn<ResitemA>(beamer);
        const int32_t item = domestic ? aula : beamer;
        EXPECT_FALSE(f->cstart->isEnabled());
        f->inaktiv->click();
        EXPECT_TRUE(f->cstart->isEnabled());
        EXPECT_EQ(f->cstart->value(), 45359);
        EXPECT_EQ(f->cslut->value(), 45373);
        f->Luk->click();
        EXPECT_EQ(period(item), "1 45359 45373");

        f = domestic ? static_cast<ResourceItemForm *>(openOn<resitemL>(item))
                     : openOn<ResitemA>(item);
        EXPECT_TRUE(f->cslut->isEnabled());   // it follows the row it was moved to
        f->inaktiv->click();
        EXPECT_FALSE(f->cslut->isEnabled());
        f->Luk->click();
        EXPECT_EQ(period(item), "0 45359 45373");
    }
}

TEST_F(ItemFormsTest, OpeningAnItemChangesNothingItShows)
{
    exec(QString("UPDATE lokale SET inaktiv = 1, inakstart = 45000, inakslut = 44990 "
                 "WHERE lokalenr = %1").arg(lab));
    auto *f = openOn<resitemL>(lab);
    EXPECT_TRUE(f->inaktiv->isChecked());
    EXPECT_EQ(f->cstart->value(), 45000);
    EXPECT_EQ(f->cslut->value(), 44990);   // shown as stored
    EXPECT_FALSE(f->Data1.isDirty());
    EXPECT_EQ(f->gebyr->text(), "150.00");
    EXPECT_TRUE(sb.shown().isEmpty());
    // Ok corrects a period in force that ends before it starts, and shows it before it closes.
    f->Luk->click();
    EXPECT_EQ(sb.lastText(), "End date must exceed start date!");
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->cslut->value(), 45014);
    EXPECT_EQ(period(lab), "1 45000 44990");
    f->Luk->click();
    EXPECT_EQ(period(lab), "1 45000 45014");
    EXPECT_EQ(sb.shown().size(), 1);
}

// The item forms keep the end of the period from lying before its start, as the unavailable
// list's form does: a spin or a pick that would put it there is corrected with the message.
TEST_F(ItemFormsTest, APeriodThatWouldEndBeforeItStartsIsCorrected)
{
    for (bool domestic : {true, false}) {
        const int32_t item = domestic ? aula : beamer;
        exec(QString("UPDATE lokale SET inaktiv = 1, inakstart = 45400, inakslut = 45400 "
                     "WHERE lokalenr = %1").arg(item));
        ResourceItemForm *f = domestic ? static_cast<ResourceItemForm *>(openOn<resitemL>(item))
                                       : openOn<ResitemA>(item);
        sb.clearShown();
        f->cslut_Spin(true);   // the day before the start
        ASSERT_EQ(sb.shown().size(), 1);
        EXPECT_EQ(sb.lastText(), "End date must exceed start date!");
        EXPECT_EQ(f->cslut->value(), 45414);
        f->cstart_DropDown();
        f->ctDateST->setValue(45420);   // picked after the end
        f->ctDateST_DateChange();
        EXPECT_EQ(sb.shown().size(), 2);
        EXPECT_EQ(f->cstart->value(), 45400);
        f->Luk->click();
        EXPECT_FALSE(f->isVisible());
        EXPECT_EQ(period(item), "1 45400 45414");
    }
}

TEST_F(ItemFormsTest, ThePopUpCalendarAndTheSpinsMoveTheDay)
{
    exec(QString("UPDATE lokale SET inaktiv = 1, inakstart = 45000, inakslut = 45010 "
                 "WHERE lokalenr = %1").arg(aula));
    auto *f = openOn<resitemL>(aula);
    EXPECT_TRUE(f->ctDateST->isHidden());
    f->cstart_DropDown();
    ASSERT_FALSE(f->ctDateST->isHidden());
    EXPECT_EQ(f->ctDateST->value(), 45000);
    f->cstart_DropDown();
    EXPECT_TRUE(f->ctDateST->isHidden());   // a second drop-down closes it

    f->cslut_DropDown();
    f->ctDateSL->pick(QDate(2024, 3, 20));
    EXPECT_TRUE(f->ctDateSL->isHidden());
    EXPECT_EQ(f->cslut->value(), 45369);
    f->cslut->spinDown();
    EXPECT_EQ(f->cslut->value(), 45368);
    f->cstart->spinUp();
    EXPECT_EQ(f->cstart->value(), 45001);
    f->Luk->click();
    EXPECT_EQ(period(aula), "1 45001 45368");
}

TEST_F(ItemFormsTest, AnItemNamedByABookingOrAnArchivedBookingIsNotDeleted)
{
    addBooking(aula, meeting);
    addBooking(lab, meeting, true);
    for (int32_t item : {aula, lab}) {
        auto *f = openOn<resitemL>(item);
        f->del->click();
        EXPECT_EQ(sb.lastText(), "Unable to delete resource with underlaying bookings ! !");
        EXPECT_EQ(sb.shown().last().title, "");
        EXPECT_EQ(sb.shown().last().style, int(MsgBox::Exclamation));
        f->Unload();
    }
    EXPECT_EQ(count("lokale"), 3);

    // An item without bookings goes after Yes; the form then shows the next item.
    auto *f = openOn<resitemL>(aula);
    ASSERT_TRUE(f->position(QString("lokalenr = %1").arg(lab)));
    exec(QString("DELETE FROM bookingarkiv"));
    sb.answer(MsgBox::Yes);
    f->DeleteResourceItem();
    EXPECT_EQ(sb.lastText(), "Confirm deletion ?");
    EXPECT_EQ(count("lokale", QString("lokalenr = %1").arg(lab)), 0);
    EXPECT_EQ(f->Lokalenavn->text(), "Beamer");
}

TEST_F(ItemFormsTest, CancelDropsANewItemAndRestoresAStoredOne)
{
    auto *add = Forms::get<ResitemAD>();
    add->Show();
    add->addNew({{"lokalinr", screens}, {"Gruppeart", 3}});
    EXPECT_EQ(add->gruppeart->text(), "3");
    EXPECT_FALSE(add->lokalinr->isEnabled());
    add->Lokalenavn->setText("Mixer");
    add->Canc->click();
    EXPECT_FALSE(Forms::isLoaded<ResitemAD>());
    EXPECT_EQ(count("lokale"), 3);

    auto *f = openOn<ResitemA>(beamer);
    EXPECT_EQ(f->DBCombo1->Text(), "Basement");
    EXPECT_EQ(f->warrenty->text(), "30-06-2025");
    f->Lokalenavn->setText("Projector");
    f->Canc->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->Lokalenavn->text(), "Beamer");

    // A new item without a name is refused, also by the window's close box.
    auto *room = Forms::get<resitemLAD>();
    room->Show();
    room->addNew({{"lokalinr", meeting}, {"Gruppeart", 1}});
    room->close();
    EXPECT_TRUE(Forms::isLoaded<resitemLAD>());
    EXPECT_EQ(sb.lastText(), "Resourcename can't be empty. Fill in or cancel the operation.");
    room->Lokalenavn->setText("Studio");
    room->gebyr->setValue(99.5);
    room->maxprs->setText("12");
    room->Luk->click();
    EXPECT_EQ(value("SELECT gebyr || ' ' || maxprs || ' ' || lokalinr FROM lokale "
                    "WHERE Lokalenavn = 'Studio'").toString(),
              QString("99.5 12 %1").arg(meeting));
}

// A fee per hour is typed with a decimal point or a comma; a minus, or a comma in the capacity,
// is refused with a message and never dropped without a word; Enter stores the numbers typed.
TEST_F(ItemFormsTest, FeesAndCapacityTakeAPointOrACommaAndRefuseAMinus)
{
    auto *room = openOn<resitemL>(aula);
    room->gebyr->selectAll();
    QTest::keyClicks(room->gebyr, "-");
    EXPECT_EQ(sb.lastText(), "Fee/hour cannot be negative: type the number without a minus.");
    QTest::keyClicks(room->gebyr, "1234,5");
    room->maxprs->selectAll();
    QTest::keyClicks(room->maxprs, "12,");
    EXPECT_EQ(sb.lastText(), "Capacity must be a whole number, such as 12.");
    EXPECT_EQ(sb.shown().size(), 2);
    EXPECT_EQ(room->maxprs->text(), "12");
    QTest::keyClick(room->gebyr, Qt::Key_Return);
    EXPECT_FALSE(Forms::isLoaded<resitemL>());
    EXPECT_EQ(value(QString("SELECT gebyr || ' ' || maxprs FROM lokale WHERE lokalenr = %1")
                        .arg(aula))
                  .toString(),
              "1234.5 12");

    auto *gear = openOn<ResitemA>(beamer);
    gear->gebyr->selectAll();
    QTest::keyClicks(gear->gebyr, "87,25");
    QTest::keyClick(gear->gebyr, Qt::Key_Return);
    EXPECT_FALSE(Forms::isLoaded<ResitemA>());
    EXPECT_EQ(value(QString("SELECT gebyr FROM lokale WHERE lokalenr = %1").arg(beamer)).toDouble(),
              87.25);
    EXPECT_EQ(sb.shown().size(), 2);
}

TEST_F(ItemFormsTest, TheViewFormsLockEveryBoxAndWriteNothing)
{
    gIsAdmin = false;
    for (bool domestic : {true, false}) {
        ResourceItemForm *f = domestic
                                  ? static_cast<ResourceItemForm *>(openOn<resitemLView>(aula))
                                  : openOn<ResitemAView>(beamer);
        EXPECT_EQ(f->windowTitle(), domestic ? "Vantix - View Domestic Resuorce"
                                             : "Vantix  - View  Add-On/Stand-Alone Ressuorce");
        for (QLineEdit *e : f->findChildren<QLineEdit *>())
            EXPECT_TRUE(e->isReadOnly() || !e->isEnabled()) << e->objectName().toStdString();
        EXPECT_FALSE(f->inaktiv->isEnabled());
        EXPECT_FALSE(f->cstart->isEnabled());
        EXPECT_EQ(f->Canc, nullptr);
        EXPECT_EQ(f->del, nullptr);
        if (!domestic) {
            EXPECT_FALSE(f->Homeb->isEnabled());
            EXPECT_FALSE(f->warrenty->isEnabled());
        }
        f->Lokalenavn->setText("Mine");
        f->inaktiv->setChecked(true);
        f->Luk->click();
        EXPECT_FALSE(f->isVisible());
    }
    EXPECT_EQ(count("lokale", "Lokalenavn = 'Mine' OR inaktiv <> 0"), 0);
}

} // namespace
