// The planner's own ways out of the forms it opened: the other view and another bookingfile
// close those forms first, through their checks; one that refuses keeps the planner as it was.
#include "plannerfixture.h"

#include "admin/accountmenu.h"
#include "admin/kontoliste.h"
#include "admin/personkonto.h"
#include "admin/resmanager.h"
#include "admin/resourceitemform.h"
#include "core/generalen.h"
#include "core/introstart.h"
#include "fixtures/sqlhelpers.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/tree.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

#include <functional>

using namespace Generalen;

namespace {

class PlannerWaysOutTest : public OneRoomTest
{
protected:
    void SetUp() override
    {
        OneRoomTest::SetUp();
        gUserNo = 1;   // the file's administrator, its only one
        gIsAdmin = true;
        other = sb.newBookingfile("other.mdb");
        FilePicker::setScript([this](bool save, const QString &) {
            ++dialogs;
            return save ? sb.file("Winter.mdb") : other;
        });
    }
    void TearDown() override
    {
        FilePicker::setScript(nullptr);
        OneRoomTest::TearDown();
    }
    QString stored(const QString &sql) { return sqlValue(file, sql).toString(); }

    QString other;
    int dialogs = 0;
};

struct Held
{
    const char *name;
    // Opens the form from the view with a change its checks refuse.
    std::function<void(Form &view)> open;
    // Mends the change so that the checks pass.
    std::function<void()> mend;
    const char *storedSql;   // what the file holds of the change
    const char *before;
    const char *after;
};

struct Leave
{
    const char *name;
    bool week;   // from the week view, else from the day view
    std::function<void(Form &view)> run;
};

TEST_F(PlannerWaysOutTest, TheOtherViewAndAnotherBookingfileCloseTheFormsThroughTheirChecks)
{
    const Held held[] = {
        {"the last administrator unticked",
         [](Form &view) {
             AccountMenu::showKontoliste(view);
             auto *list = Forms::get<Kontoliste>();
             list->acclist->setSelectedRow(0);
             list->EditAcc_Click();
             Forms::get<Personkonto>()->PAdmin->setChecked(false);
         },
         [] { Forms::get<Personkonto>()->PAdmin->setChecked(true); },
         "SELECT admin FROM Konti WHERE ID = 1", "1", "1"},
        {"an item's name cleared",
         [this](Form &view) {
             auto *m = Forms::get<ResManager>();
             m->Show(Form::Modeless, &view);
             m->Form_Activate();
             for (int i = 0; i < m->intree->NodeCount(); ++i) {
                 if (m->intree->NodeKey(i) == "LI" + QString::number(aula))
                     m->intree->setSelectedIndex(i);
             }
             m->edit_Click();
             Forms::get<resitemL>()->Lokalenavn->clear();
         },
         [] { Forms::get<resitemL>()->Lokalenavn->setText("Great Hall"); },
         "SELECT COALESCE(Lokalenavn, '') FROM lokale", "Aula", "Great Hall"},
    };
    const Leave leaves[] = {
        {"the week view", false,
         [this](Form &view) { static_cast<Calendar &>(view).OpenWeekView(aula); }},
        {"the day view", true,
         [this](Form &view) { static_cast<CalMdag &>(view).OpenDayView(day(2024, 1, 9)); }},
        {"another bookingfile", false,
         [](Form &view) { static_cast<Calendar &>(view).ctToolBar1_ButtonClick(11); }},
        {"a new bookingfile", true,
         [](Form &view) { static_cast<CalMdag &>(view).ctToolBar1_ButtonClick(12); }},
    };
    for (const Held &h : held) {
        for (const Leave &l : leaves) {
            SCOPED_TRACE(std::string(h.name) + ", leaving for " + l.name);
            Forms::unloadAll();
            gDatabasePath = file;
            dialogs = 0;
            Form *view = l.week ? static_cast<Form *>(Forms::get<CalMdag>())
                                : Forms::get<Calendar>();
            view->Show();
            h.open(*view);
            sb.clearShown();
            l.run(*view);
            EXPECT_FALSE(sb.shown().isEmpty());
            EXPECT_EQ(stored(h.storedSql), h.before);
            EXPECT_EQ(gDatabasePath, file);
            EXPECT_EQ(dialogs, 0);
            EXPECT_TRUE(Forms::loaded().contains(view));
            EXPECT_EQ(Forms::isLoaded<Calendar>(), !l.week);
            EXPECT_EQ(Forms::isLoaded<CalMdag>(), l.week);

            // Mended, the same way out goes through and stores the mended row.
            h.mend();
            l.run(*view);
            EXPECT_EQ(stored(h.storedSql), h.after);
            EXPECT_FALSE(Forms::loaded().contains(view));
            EXPECT_EQ(dialogs, QString(l.name).endsWith("bookingfile") ? 1 : 0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            exec("UPDATE lokale SET Lokalenavn = 'Aula'");
        }
    }
}

} // namespace
