#include "adminfixture.h"

#include "admin/accountmenu.h"
#include "admin/editdep.h"
#include "admin/editunavail.h"
#include "admin/gruppekonto.h"
#include "admin/gruppetilk.h"
#include "admin/kontoliste.h"
#include "admin/lokaliteter.h"
#include "admin/minkonto.h"
#include "admin/paramform.h"
#include "admin/personkonto.h"
#include "admin/personkontoadd.h"
#include "admin/resgroup.h"
#include "admin/resmanager.h"
#include "admin/resourceitemform.h"
#include "admin/unavailablelist.h"
#include "core/generalen.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/tree.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <vector>

using namespace Generalen;

namespace {

// Every way out of a form that holds a change its checks refuse, against every form that
// holds a pending row: the file never gets the refused row, and a form that stays open keeps
// its owner open and has said why.
enum class Way { Ok, Cancel, Escape, CloseBox, OwnerExit, PlannerCloses, Again };

const char *wayName(Way w)
{
    switch (w) {
    case Way::Ok: return "Ok";
    case Way::Cancel: return "Cancel";
    case Way::Escape: return "Escape";
    case Way::CloseBox: return "CloseBox";
    case Way::OwnerExit: return "OwnerExit";
    case Way::PlannerCloses: return "PlannerCloses";
    case Way::Again: return "Again";
    }
    return "";
}

class WaysOutTest;

struct FormCase
{
    const char *name;
    // Opens the form through its opener, owned in the end by the planner, with a change that
    // its checks refuse; returns the form.
    std::function<Form *(WaysOutTest &)> open;
    // The file holds what the checks refuse.
    std::function<bool(WaysOutTest &)> refusedStored;
    // The message that says why; every refusal shows it.
    const char *refusal;
    const char *ok;
    const char *cancel;   // nullptr: the form has no Cancel
    // A second Add, or an Edit of another row, from the opener.
    std::function<void(WaysOutTest &)> again;
};

class WaysOutTest : public AdminTest,
                    public ::testing::WithParamInterface<std::tuple<int, Way>>
{
public:
    void SetUp() override
    {
        AdminTest::SetUp();
        gDateFormat = "dd-mm-yyyy";
        gDateFormatNr = 1;
        anna = addPerson("Anna");
        rooms = exec("INSERT INTO overgruppenavne (OverGruppenavn, Gruppeart) VALUES ('Rooms', 1)");
        halls = exec("INSERT INTO overgruppenavne (OverGruppenavn, Gruppeart) VALUES ('Halls', 1)");
        meeting = exec(QString("INSERT INTO lokaliteter (Lokalitetsnavn, Overgruppenr, gruppeart) "
                               "VALUES ('Meeting', %1, 1)").arg(rooms));
        aula = exec(QString("INSERT INTO lokale (Lokalenavn, lokalinr, Gruppeart, gebyr, inaktiv, "
                            "inakstart, inakslut) VALUES ('Aula', %1, 1, 150, 1, 46360, 46370)")
                        .arg(meeting));
        lab = exec(QString("INSERT INTO lokale (Lokalenavn, lokalinr, Gruppeart, gebyr, inaktiv, "
                           "inakstart, inakslut) VALUES ('Lab', %1, 1, 150, 1, 46380, 46390)")
                       .arg(meeting));
        planner->show();
    }

    Kontoliste *accountManager()
    {
        auto *list = Forms::get<Kontoliste>();
        list->Show(Form::Modeless, planner);
        return list;
    }
    Personkonto *editAccount(int32_t id)
    {
        Kontoliste *list = accountManager();
        for (int r = 0; r < list->acclist->RowCount(); ++r) {
            if (list->acclist->RowData(r) == id)
                list->acclist->setSelectedRow(r);
        }
        list->EditAcc_Click();
        return Forms::get<Personkonto>();
    }
    ResManager *resourceManager()
    {
        auto *m = Forms::get<ResManager>();
        m->Show(Form::Modeless, planner);
        m->Form_Activate();
        return m;
    }
    void select(ResManager *m, const QString &key)
    {
        for (int i = 0; i < m->intree->NodeCount(); ++i) {
            if (m->intree->NodeKey(i) == key)
                m->intree->setSelectedIndex(i);
        }
    }
    template<typename F>
    F *editNode(const QString &key)
    {
        ResManager *m = resourceManager();
        select(m, key);
        m->edit_Click();
        return Forms::get<F>();
    }
    template<typename F>
    F *addChild(const QString &key)
    {
        ResManager *m = resourceManager();
        select(m, key);
        m->add_Click();
        return Forms::get<F>();
    }
    EditUnavail *editUnavailable(int row)
    {
        auto *l = Forms::get<UnavailableList>();
        l->Show(Form::Modeless, planner);
        l->Unal->setSelectedRow(row);
        l->Edit->click();
        return Forms::get<EditUnavail>();
    }
    // Types a day into a date edit, digit by digit: it is checked only when its box is left.
    void typeDay(DateEdit *edit, const char *digits)
    {
        QApplication::setActiveWindow(edit->window());
        auto *text = edit->findChild<QLineEdit *>();
        text->setFocus();
        text->setCursorPosition(0);
        QTest::keyClicks(text, digits);
    }
    Gruppetilk *groupManager()
    {
        auto *g = Forms::get<Gruppetilk>();
        g->Show(Form::Modeless, planner);
        return g;
    }
    Paramform *parameters()
    {
        auto *p = Forms::get<Paramform>();
        p->Show(Form::Modal, planner);
        return p;
    }
    QPushButton *exitOf(QWidget *owner)
    {
        for (const char *name : {"Luk", "exit", "lukknap", "Luk3"}) {
            if (auto *b = owner->findChild<QPushButton *>(name))
                return b;
        }
        return nullptr;
    }

    using AdminTest::count;
    using AdminTest::planner;
    int32_t anna = 0, rooms = 0, halls = 0, meeting = 0, aula = 0, lab = 0;
};

const char kNames[] = "Account Name and Account Contact are required parameters.";

const FormCase kCases[] = {
    {"EditAccountLastAdministrator",
     [](WaysOutTest &t) -> Form * {
         Personkonto *f = t.editAccount(1);
         f->PAdmin->setChecked(false);
         return f;
     },
     [](WaysOutTest &t) { return t.count("Konti", "ID = 1 AND admin <> 0") == 0; },
     "The last active administrator can't be archived or lose the administrator right.",
     "Command22", nullptr, [](WaysOutTest &t) { t.editAccount(t.anna); }},
    {"EditAccountEmptyName",
     [](WaysOutTest &t) -> Form * {
         Personkonto *f = t.editAccount(t.anna);
         f->Kontonavn->clear();
         return f;
     },
     [](WaysOutTest &t) { return t.count("Konti", "COALESCE(Kontonavn, '') = ''") > 0; }, kNames,
     "Command22", nullptr, [](WaysOutTest &t) { t.editAccount(1); }},
    {"AddAccountWithoutNames",
     [](WaysOutTest &t) -> Form * {
         t.accountManager()->AddAcc_Click();
         auto *f = Forms::get<PersonkontoAdd>();
         f->Kontouser->setText("nobody");
         f->KontoPass->setText("pw");
         return f;
     },
     [](WaysOutTest &t) { return t.count("Konti", "1") != 2 || t.count("grptilk", "1") != 2; },
     kNames, "addknap", "Canc", [](WaysOutTest &t) { t.accountManager()->AddAcc_Click(); }},
    {"MyAccountEmptyContact",
     [](WaysOutTest &t) -> Form * {
         AccountMenu::showMinkonto(*t.planner);
         auto *f = Forms::get<Minkonto>();
         f->kontokontakt->clear();
         return f;
     },
     [](WaysOutTest &t) { return t.count("Konti", "COALESCE(kontokontakt, '') = ''") > 0; },
     kNames, "Command22", nullptr,
     [](WaysOutTest &t) { AccountMenu::showMinkonto(*t.planner); }},
    {"NewGroupWithoutName",
     [](WaysOutTest &t) -> Form * {
         t.groupManager()->NyGruppe_Click();
         return Forms::get<Gruppekonto>();
     },
     [](WaysOutTest &t) { return t.count("Konti", "Kontotype = 'g'") > 0; },
     "Fill in Account Name!", "gem", "Fortryd",
     [](WaysOutTest &t) { t.groupManager()->NyGruppe_Click(); }},
    {"ResourceGroupEmptyName",
     [](WaysOutTest &t) -> Form * {
         auto *f = t.editNode<Resgroup>(QString("LG%1").arg(t.rooms));
         f->OverGruppenavn->clear();
         return f;
     },
     [](WaysOutTest &t) {
         return t.count("overgruppenavne", "COALESCE(OverGruppenavn, '') = ''") > 0;
     },
     "Groupname can't be empty. Fill in or cancel the operation.", "save", "Canc",
     [](WaysOutTest &t) { t.addChild<Resgroup>("LT1"); }},
    {"NewResourceTypeWithoutName",
     [](WaysOutTest &t) -> Form * {
         return t.addChild<lokaliteter>(QString("LG%1").arg(t.halls));
     },
     [](WaysOutTest &t) { return t.count("lokaliteter", "1") != 1; },
     "Typename can't be empty. Fill in or cancel the operation.", "save", "Canc",
     [](WaysOutTest &t) { t.addChild<lokaliteter>(QString("LG%1").arg(t.rooms)); }},
    {"ResourceItemEmptyName",
     [](WaysOutTest &t) -> Form * {
         auto *f = t.editNode<resitemL>(QString("LI%1").arg(t.aula));
         f->Lokalenavn->clear();
         return f;
     },
     [](WaysOutTest &t) { return t.count("lokale", "COALESCE(Lokalenavn, '') = ''") > 0; },
     "Resourcename can't be empty. Fill in or cancel the operation.", "Luk", "Canc",
     [](WaysOutTest &t) { t.editNode<resitemL>(QString("LI%1").arg(t.lab)); }},
    {"ResourceItemPeriodEndingBeforeItStarts",
     [](WaysOutTest &t) -> Form * {
         auto *f = t.editNode<resitemL>(QString("LI%1").arg(t.aula));
         t.typeDay(f->cslut, "01122026");   // day 46355, before 46360
         return f;
     },
     [](WaysOutTest &t) { return t.count("lokale", "inakslut < inakstart") > 0; },
     "End date must exceed start date!", "Luk", "Canc",
     [](WaysOutTest &t) { t.editNode<resitemL>(QString("LI%1").arg(t.lab)); }},
    {"NewResourceItemWithoutName",
     [](WaysOutTest &t) -> Form * {
         return t.addChild<resitemLAD>(QString("LL%1").arg(t.meeting));
     },
     [](WaysOutTest &t) { return t.count("lokale", "1") != 2; },
     "Resourcename can't be empty. Fill in or cancel the operation.", "Luk", "Canc",
     [](WaysOutTest &t) { t.addChild<resitemLAD>(QString("LL%1").arg(t.meeting)); }},
    {"EditUnavailEndBeforeStart",
     [](WaysOutTest &t) -> Form * {
         EditUnavail *f = t.editUnavailable(0);
         t.typeDay(f->cslut, "01122026");
         return f;
     },
     [](WaysOutTest &t) { return t.count("lokale", "inakslut < inakstart") > 0; },
     "End date must exceed start date!", "ok", nullptr,
     [](WaysOutTest &t) { t.editUnavailable(1); }},
    {"NewDepartmentWithoutName",
     [](WaysOutTest &t) -> Form * {
         t.parameters()->AddDep_Click();
         return Forms::get<Editdep>();
     },
     [](WaysOutTest &t) { return t.count("Department", "1") != 0; },
     "Fill in the Department Name!", "ok", nullptr,
     [](WaysOutTest &t) { t.parameters()->AddDep_Click(); }},
};

TEST_P(WaysOutTest, NoWayOutStoresWhatTheChecksRefuse)
{
    const FormCase &c = kCases[std::get<0>(GetParam())];
    const Way way = std::get<1>(GetParam());
    Form *form = c.open(*this);
    ASSERT_TRUE(form && form->isVisible()) << c.name;
    QWidget *owner = form->owner();
    ASSERT_TRUE(owner);
    ASSERT_FALSE(c.refusedStored(*this));
    sb.clearShown();

    switch (way) {
    case Way::Ok:
        form->findChild<QPushButton *>(c.ok)->click();
        break;
    case Way::Cancel:
        form->findChild<QPushButton *>(c.cancel)->click();
        break;
    case Way::Escape:
        QTest::keyClick(form, Qt::Key_Escape);
        break;
    case Way::CloseBox:
        form->close();
        break;
    case Way::OwnerExit:
        // My Account belongs to the planner itself, which has no Exit of its own here.
        if (QPushButton *exit = exitOf(owner))
            exit->click();
        else
            Forms::unloadOwnedBy(owner);
        break;
    case Way::PlannerCloses: {
        // What the planner does before it switches views or opens another bookingfile.
        const bool closed = Forms::unloadOwnedBy(planner);
        EXPECT_EQ(closed, !Forms::loaded().contains(form));
        break;
    }
    case Way::Again:
        c.again(*this);
        break;
    }

    const std::string what = std::string(c.name) + " " + wayName(way);
    EXPECT_FALSE(c.refusedStored(*this)) << what;
    if (Forms::loaded().contains(form)) {
        // Still open (refused, or only reloaded by Cancel): what owns it stays open too, and
        // a refusal said why.
        EXPECT_TRUE(owner == planner || Forms::loaded().contains(static_cast<Form *>(owner)))
            << what;
        if (!sb.shown().isEmpty())
            EXPECT_EQ(sb.shown().first().text, c.refusal) << what;
    }
    if (way == Way::Ok) {
        EXPECT_TRUE(Forms::loaded().contains(form)) << what;
        ASSERT_FALSE(sb.shown().isEmpty()) << what;
        EXPECT_EQ(sb.shown().first().text, c.refusal) << what;
    }
}

// Every way of every form; Cancel only where the form has one.
std::vector<std::tuple<int, Way>> everyWayOfEveryForm()
{
    std::vector<std::tuple<int, Way>> all;
    for (int c = 0; c < int(std::size(kCases)); ++c) {
        for (Way w : {Way::Ok, Way::Cancel, Way::Escape, Way::CloseBox, Way::OwnerExit,
                      Way::PlannerCloses, Way::Again}) {
            if (w != Way::Cancel || kCases[c].cancel)
                all.emplace_back(c, w);
        }
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormEveryWay, WaysOutTest, ::testing::ValuesIn(everyWayOfEveryForm()),
    [](const ::testing::TestParamInfo<std::tuple<int, Way>> &info) {
        return std::string(kCases[std::get<0>(info.param)].name) + "_"
               + wayName(std::get<1>(info.param));
    });

} // namespace
