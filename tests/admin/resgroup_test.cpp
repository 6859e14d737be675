#include "resourcefixture.h"

#include "admin/lokaliteter.h"
#include "admin/resgroup.h"
#include "core/generalen.h"
#include "platform/controls/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Generalen;

namespace {

class GroupFormsTest : public ResourceTest
{
protected:
    void SetUp() override
    {
        ResourceTest::SetUp();
        rooms = addGroup("Rooms");
        halls = addGroup("Halls");
        meeting = addType("Meeting", rooms);
        addType("Lecture", rooms);
    }
    template<typename F>
    F *openOn(const QString &criteria)
    {
        F *f = Forms::get<F>();
        f->Show();
        EXPECT_TRUE(f->position(criteria));
        return f;
    }
    int32_t rooms = 0, halls = 0, meeting = 0;
};

// Each way out of a row with its name cleared is refused with the form's own message.
TEST_F(GroupFormsTest, AnEmptyNameIsRefusedOnEveryWayOut)
{
    enum Way { Ok, CloseBox, Move };
    for (Way way : {Ok, CloseBox, Move}) {
        for (bool group : {true, false}) {
            RecordForm *form;
            QLineEdit *name;
            if (group) {
                auto *f = openOn<Resgroup>(QString("overgruppenr = %1").arg(rooms));
                form = f;
                name = f->OverGruppenavn;
            } else {
                auto *f = openOn<lokaliteter>(QString("lokalitetsnr = %1").arg(meeting));
                form = f;
                name = f->Lokalitetsnavn;
            }
            name->clear();
            sb.clearShown();
            if (way == Ok)
                (group ? static_cast<Resgroup *>(form)->save
                       : static_cast<lokaliteter *>(form)->save)->click();
            else if (way == CloseBox)
                form->close();
            else
                form->Data1.MoveNext();
            ASSERT_EQ(sb.shown().size(), 1) << way << group;
            EXPECT_EQ(sb.lastText(), group
                          ? "Groupname can't be empty. Fill in or cancel the operation."
                          : "Typename can't be empty. Fill in or cancel the operation.");
            EXPECT_EQ(sb.shown().last().title, "Message");
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(name->text(), "");   // the row stays, with the user's edit
            name->setText(" ");            // blanks pass
            form->Unload();
        }
    }
    EXPECT_EQ(count("overgruppenavne", "OverGruppenavn = ' '"), 1);
    EXPECT_EQ(count("lokaliteter", "Lokalitetsnavn = ' '"), 1);
}

TEST_F(GroupFormsTest, CancelRestoresAStoredRowAndDropsANewOne)
{
    auto *f = openOn<Resgroup>(QString("overgruppenr = %1").arg(halls));
    f->OverGruppenavn->setText("Changed");
    f->Canc->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->OverGruppenavn->text(), "Halls");
    f->save->click();
    EXPECT_FALSE(Forms::isLoaded<Resgroup>());
    EXPECT_EQ(count("overgruppenavne", "OverGruppenavn = 'Halls'"), 1);

    auto *t = Forms::get<lokaliteter>();
    t->Show();
    t->addNew({{"Overgruppenr", halls}, {"gruppeart", 1}});
    t->Lokalitetsnavn->setText("Nothing");
    // Escape is Cancel.
    QTest::keyClick(t->Lokalitetsnavn, Qt::Key_Escape);
    EXPECT_FALSE(Forms::isLoaded<lokaliteter>());
    EXPECT_EQ(count("lokaliteter"), 2);
    EXPECT_TRUE(sb.shown().isEmpty());
}

TEST_F(GroupFormsTest, TheKeyParentAndKindBoxesAreLockedAndUsersOnlyLook)
{
    auto *t = openOn<lokaliteter>(QString("lokalitetsnr = %1").arg(meeting));
    EXPECT_FALSE(t->Lokalitetsnr->isEnabled());
    EXPECT_FALSE(t->Overgruppenr->isEnabled());
    EXPECT_FALSE(t->gruppeart->isEnabled());
    EXPECT_EQ(t->windowTitle(), "Resourcetype");
    t->Unload();

    gIsAdmin = false;
    auto *g = openOn<Resgroup>(QString("overgruppenr = %1").arg(rooms));
    EXPECT_TRUE(g->OverGruppenavn->isReadOnly());
    EXPECT_FALSE(g->del->isEnabled());
    g->OverGruppenavn->setText("Mine");
    g->save->click();
    EXPECT_FALSE(Forms::isLoaded<Resgroup>());
    EXPECT_EQ(count("overgruppenavne", "OverGruppenavn = 'Rooms'"), 1);
    auto *t2 = openOn<lokaliteter>(QString("lokalitetsnr = %1").arg(meeting));
    EXPECT_TRUE(t2->Lokibeskr->isReadOnly());
}

TEST_F(GroupFormsTest, AGroupWithTypesAndATypeWithItemsAreNotDeleted)
{
    addItem("Aula", meeting);
    auto *g = openOn<Resgroup>(QString("overgruppenr = %1").arg(rooms));
    g->del->click();
    EXPECT_EQ(sb.lastText(), "Unable to delete a resource group that holds resource types ! !");
    EXPECT_EQ(sb.shown().last().title, "Deletion Denied");
    auto *t = openOn<lokaliteter>(QString("lokalitetsnr = %1").arg(meeting));
    t->del->click();
    EXPECT_EQ(sb.lastText(), "Unable to delete a resource type that holds resource items ! !");
    EXPECT_EQ(count("overgruppenavne"), 2);
    EXPECT_EQ(count("lokaliteter"), 2);

    // An empty group goes after Yes, and the form moves on; No keeps it.
    ASSERT_TRUE(g->position(QString("overgruppenr = %1").arg(halls)));
    sb.answer(MsgBox::No);
    g->del->click();
    EXPECT_EQ(count("overgruppenavne"), 2);
    sb.answer(MsgBox::Yes);
    g->del->click();
    EXPECT_EQ(sb.lastText(), "Confirm deletion ?");
    EXPECT_EQ(sb.shown().last().title, "Delete Info");
    EXPECT_EQ(sb.shown().last().style,
              int(MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2));
    EXPECT_EQ(count("overgruppenavne"), 1);
    EXPECT_FALSE(g->Data1.hasCurrentRow());   // it was the last row
    const int shown = int(sb.shown().size());
    g->del->click();   // nothing to delete
    EXPECT_EQ(sb.shown().size(), shown);
    EXPECT_EQ(count("overgruppenavne"), 1);
}

TEST_F(GroupFormsTest, AFailedWriteKeepsTheFormOpenWithTheDatabasesMessage)
{
    const AnyLayout brokenOnPurpose;   // a trigger of the test's own refuses the write
    exec("CREATE TRIGGER refuse BEFORE UPDATE ON overgruppenavne "
         "BEGIN SELECT RAISE(ABORT, 'the file refused the row'); END");
    auto *g = openOn<Resgroup>(QString("overgruppenr = %1").arg(rooms));
    g->OverGruppenavn->setText("Renamed");
    g->save->click();
    ASSERT_FALSE(sb.shown().isEmpty());
    EXPECT_TRUE(sb.lastText().contains("the file refused the row", Qt::CaseInsensitive)) << sb.lastText().toStdString();
    EXPECT_TRUE(Forms::isLoaded<Resgroup>());
    EXPECT_EQ(g->OverGruppenavn->text(), "Renamed");
    g->Canc->click();
    g->save->click();
    EXPECT_FALSE(Forms::isLoaded<Resgroup>());
}

} // namespace
