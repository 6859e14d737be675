#include "adminfixture.h"

#include "admin/accountmenu.h"
#include "admin/gruppetilk.h"
#include "admin/kontoliste.h"
#include "admin/lokaliteter.h"
#include "admin/resgroup.h"
#include "admin/resourceitemform.h"
#include "fixtures/sqlhelpers.h"
#include "platform/controls/dblist.h"
#include "platform/controls/form.h"
#include "platform/controls/listgrid.h"

#include <functional>

namespace {

class DeleteRaceTest;

// A delete whose question waits while another copy of the program writes a row that would
// have refused it: the row to delete, the delete as the user starts it, and what the other
// copy writes.
struct Race
{
    const char *name;
    std::function<int32_t(DeleteRaceTest &)> make;   // the row to delete; its key
    std::function<void(DeleteRaceTest &, int32_t)> startDelete;
    const char *question;
    const char *meanwhile;   // SQL with %1 for the key
    const char *refusal;
    const char *remains;     // table and key field of the row, with %1 for the key
};

class DeleteRaceTest : public AdminTest, public ::testing::WithParamInterface<Race>
{
protected:
    // Answers every question Yes and, when the question is the delete's, lets the other copy
    // write its row first.
    void answerAfter(const QString &question, const QString &sql)
    {
        shown.clear();
        MsgBox::setHandler([this, question, sql](const MsgBox::Shown &box) {
            shown << box;
            if (box.text == question && !sql.isEmpty())
                execSql(file, sql);
            return int((box.style & 7) == MsgBox::YesNo ? MsgBox::Yes : MsgBox::Ok);
        });
    }

public:
    // What the cases set up and open, as the test does.
    qint64 sql(const QString &text) { return exec(text); }
    int32_t person(const QString &name) { return addPerson(name); }
    Form &owner() { return *planner; }

protected:
    QList<MsgBox::Shown> shown;
};

template<typename F>
void deleteRecord(const QString &criteria)
{
    F *f = Forms::get<F>();
    f->Show();
    ASSERT_TRUE(f->position(criteria));
    f->del_Click();
}

int32_t newType(DeleteRaceTest &t)
{
    const auto group = int32_t(
        t.sql("INSERT INTO overgruppenavne (OverGruppenavn, Gruppeart) VALUES ('Rooms', 1)"));
    return int32_t(t.sql(QString("INSERT INTO lokaliteter (Lokalitetsnavn, Overgruppenr, "
                                  "gruppeart) VALUES ('Halls', %1, 1)")
                              .arg(group)));
}

int32_t newItem(DeleteRaceTest &t)
{
    return int32_t(t.sql(QString("INSERT INTO lokale (Lokalenavn, lokalinr, Gruppeart) VALUES "
                                  "('Aula', %1, 1)")
                              .arg(newType(t))));
}

void deleteAccount(int32_t id)
{
    auto *list = Forms::get<Kontoliste>();
    list->Reload();
    for (int r = 0; r < list->acclist->RowCount(); ++r) {
        if (list->acclist->RowData(r) == id)
            list->acclist->setSelectedRow(r);
    }
    ASSERT_EQ(list->acclist->RowData(list->acclist->SelectedRow()), id);
    list->Slet_Click();
}

const char kBooking[] = "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, Lokalenr, kontonr) "
                        "VALUES (700, 'Booked meanwhile', 46000, %1, 1)";
const char kArchived[] = "INSERT INTO bookingarkiv (Bookingnr, Beskrivelse, Bdato, Lokalenr, "
                         "kontonr) VALUES (700, 'Booked meanwhile', 46000, %1, 1)";
const char kAccountBooking[] = "INSERT INTO booking (Bookingnr, Beskrivelse, Bdato, kontonr) "
                               "VALUES (700, 'Booked meanwhile', 46000, %1)";
const char kItemRefusal[] = "Unable to delete resource with underlaying bookings ! !";

TEST_P(DeleteRaceTest, TheAnswerMeetsTheRowWrittenMeanwhileAndGetsTheSameRefusal)
{
    const Race &race = GetParam();
    for (const bool meanwhile : {true, false}) {
        SCOPED_TRACE(meanwhile ? "written meanwhile" : "nothing written");
        exec("DELETE FROM booking; DELETE FROM bookingarkiv");
        const int32_t key = race.make(*this);
        answerAfter(race.question, meanwhile ? QString(race.meanwhile).arg(key) : QString());
        race.startDelete(*this, key);
        const QString remains = QString(race.remains).arg(key);
        if (!meanwhile) {
            EXPECT_EQ(count(remains.section(' ', 0, 0), remains.section(' ', 1)), 0);
            ASSERT_EQ(shown.size(), 1);
            continue;
        }
        EXPECT_EQ(count(remains.section(' ', 0, 0), remains.section(' ', 1)), 1);
        ASSERT_EQ(shown.size(), 2);
        EXPECT_EQ(shown[0].text.toStdString(), race.question);
        const MsgBox::Shown refusal = shown[1];
        EXPECT_EQ(refusal.text.toStdString(), race.refusal);
        // The same refusal as the one the delete now gives (before its question when it
        // tests first).
        answerAfter(race.question, QString());
        race.startDelete(*this, key);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.last().text, refusal.text);
        EXPECT_EQ(shown.last().title, refusal.title);
        EXPECT_EQ(shown.last().style, refusal.style);
        Forms::unloadAll();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Deletes, DeleteRaceTest,
    ::testing::Values(
        Race{"ItemAndABooking", newItem,
             [](DeleteRaceTest &, int32_t item) {
                 deleteRecord<resitemL>(QString("lokalenr = %1").arg(item));
             },
             "Confirm deletion ?", kBooking, kItemRefusal, "lokale lokalenr = %1"},
        Race{"ItemAndAnArchivedBooking", newItem,
             [](DeleteRaceTest &, int32_t item) {
                 deleteRecord<ResitemA>(QString("lokalenr = %1").arg(item));
             },
             "Confirm deletion ?", kArchived, kItemRefusal, "lokale lokalenr = %1"},
        Race{"TypeAndAnItem", newType,
             [](DeleteRaceTest &, int32_t type) {
                 deleteRecord<lokaliteter>(QString("lokalitetsnr = %1").arg(type));
             },
             "Confirm deletion ?",
             "INSERT INTO lokale (Lokalenavn, lokalinr, Gruppeart) VALUES ('New', %1, 1)",
             "Unable to delete a resource type that holds resource items ! !",
             "lokaliteter Lokalitetsnr = %1"},
        Race{"GroupAndAType",
             [](DeleteRaceTest &t) {
                 return int32_t(t.sql("INSERT INTO overgruppenavne (OverGruppenavn, Gruppeart) "
                                       "VALUES ('Gear', 2)"));
             },
             [](DeleteRaceTest &, int32_t group) {
                 deleteRecord<Resgroup>(QString("overgruppenr = %1").arg(group));
             },
             "Confirm deletion ?",
             "INSERT INTO lokaliteter (Lokalitetsnavn, Overgruppenr, gruppeart) "
             "VALUES ('New', %1, 2)",
             "Unable to delete a resource group that holds resource types ! !",
             "overgruppenavne overgruppenr = %1"},
        Race{"GroupAccountAndABooking",
             [](DeleteRaceTest &t) {
                 return int32_t(t.sql("INSERT INTO Konti (Kontonavn, kontokontakt, Kontotype, "
                                       "kontoowner) VALUES ('Choir', 'owner', 'g', 1)"));
             },
             [](DeleteRaceTest &t, int32_t group) {
                 Forms::unload<Gruppetilk>();
                 AccountMenu::showGruppetilk(t.owner());
                 DBList *groups = Forms::get<Gruppetilk>()->Gruppe;
                 for (int i = 0; i < groups->ListCount(); ++i) {
                     groups->setListIndex(i);
                     if (groups->BoundText().toInt() == group)
                         break;
                 }
                 Forms::get<Gruppetilk>()->Slet_Gruppe_Click();
             },
             "Confirm Deletion ?", kAccountBooking,
             "Project can't be deleted due to existing bookings !", "Konti ID = %1"},
        Race{"PersonAndABooking",
             [](DeleteRaceTest &t) { return t.person("Anna"); },
             [](DeleteRaceTest &, int32_t person) { deleteAccount(person); },
             "Confirm deletion of selected account.", kAccountBooking,
             "System not able to delete account due to corresponding bookings.",
             "Konti ID = %1"},
        Race{"PersonAndAGroupOwned",
             [](DeleteRaceTest &t) { return t.person("Ben"); },
             [](DeleteRaceTest &, int32_t person) { deleteAccount(person); },
             "Confirm deletion of selected account.",
             "INSERT INTO Konti (Kontonavn, Kontotype, kontoowner) VALUES ('Band', 'g', %1)",
             "System not able to delete account as it owns group accounts.", "Konti ID = %1"}),
    [](const ::testing::TestParamInfo<Race> &info) { return std::string(info.param.name); });

} // namespace
