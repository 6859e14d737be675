#include "reports/datobookingperiode.h"

#include "reports/hiddenbox.h"
#include "reports/overview.h"

#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/periodpair.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

using ReportForms::hiddenBox;

// The menu's Booking Overview opens the dialog, owned by the view, for every user.
const Commands::Registrar registrar([] {
    Commands::add({.id = 31, .menu = 3, .order = 10, .caption = "Booking Overview",
                   .action = [](PlannerView &view) {
                       Forms::get<datobookingperiode>()->Show(Form::Modeless, &view.form());
                   }});
});

} // namespace

datobookingperiode::datobookingperiode()
{
    setObjectName("datobookingperiode");
    setWindowTitle("Overwiew");

    fradato = new DatePicker(this);
    fradato->setObjectName("fradato");
    tildato = new DatePicker(this);
    tildato->setObjectName("tildato");
    fra = hiddenBox(this, "fra");
    til = hiddenBox(this, "til");
    g1 = hiddenBox(this, "g1");
    g2 = hiddenBox(this, "g2");
    g3 = hiddenBox(this, "g3");
    Prtext = hiddenBox(this, "Prtext");

    Gruppe = new QGroupBox("Group", this);
    Gruppe->setObjectName("Gruppe");
    AltAll = new QRadioButton("All Groups", Gruppe);
    AltDom = new QRadioButton("Domestic", Gruppe);
    AltAdd = new QRadioButton("Add On", Gruppe);
    AltStand = new QRadioButton("Stand Alone", Gruppe);
    AltAll->setChecked(true);
    auto *kinds = new QVBoxLayout(Gruppe);
    for (QRadioButton *b : {AltAll, AltDom, AltAdd, AltStand})
        kinds->addWidget(b);

    uds = new QPushButton("Print", this);
    uds->setObjectName("uds");
    uds->setToolTip("Udskriv");
    uds->setDefault(true);
    annuler = new QPushButton("Exit", this);
    annuler->setObjectName("annuler");
    annuler->setToolTip("Luk, for syv sytten !");

    auto *title = new QLabel("Print Criteria", this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto *dates = new QGridLayout;
    auto *startLabel = new QLabel("Start:", this);
    startLabel->setBuddy(fradato);
    auto *endLabel = new QLabel("End:", this);
    endLabel->setBuddy(tildato);
    dates->addWidget(startLabel, 0, 0);
    dates->addWidget(fradato, 0, 1);
    dates->addWidget(endLabel, 1, 0);
    dates->addWidget(tildato, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(uds);
    buttons->addWidget(annuler);
    auto *top = new QVBoxLayout(this);
    top->addWidget(title);
    top->addLayout(dates);
    top->addWidget(Gruppe);
    top->addStretch();
    top->addLayout(buttons);

    m_period = new PeriodPair(fradato, tildato, this);
    connect(m_period, &PeriodPair::periodChecked, this, &datobookingperiode::showCriteria);
    connect(uds, &QPushButton::clicked, this, &datobookingperiode::uds_Click);
    connect(annuler, &QPushButton::clicked, this, &datobookingperiode::annuler_Click);
    // Enter prints (or presses the button that has the focus); Escape leaves.
    setDialogKeys([this] { ReportForms::pressFocusedOr(this, uds); }, [this] { annuler_Click(); });
}

void datobookingperiode::Form_Load()
{
    fradato->setDateFormat(gDateFormat);
    tildato->setDateFormat(gDateFormat);
    const QDate today = System::today();
    m_criteria = Criteria{0, 0, 1, 2, 3, QStringLiteral("All Groups")};
    m_period->setPeriod(Extrafunktioner::DateToDayNumber(today),
                        Extrafunktioner::DateToDayNumber(today.addDays(7)));
    showCriteria();
}

void datobookingperiode::fradato_DateChange() { m_period->startChanged(); }

void datobookingperiode::tildato_DateChange() { m_period->endChanged(); }

datobookingperiode::Criteria datobookingperiode::criteria() const
{
    Criteria c = m_criteria;
    c.from = m_period->from();
    c.to = m_period->to();
    return c;
}

void datobookingperiode::SetGroupCriteria()
{
    struct Option { QRadioButton *button; int g1, g2, g3; const char *label; };
    const Option options[] = {{AltAll, 1, 2, 3, "All Groups"},
                              {AltDom, 1, 100, 100, "Domestic"},
                              {AltAdd, 100, 2, 100, "Add-On"},
                              {AltStand, 100, 100, 3, "Stand-Alone"}};
    for (const Option &o : options) {
        if (o.button->isChecked()) {
            m_criteria.g1 = o.g1;
            m_criteria.g2 = o.g2;
            m_criteria.g3 = o.g3;
            m_criteria.label = QString::fromLatin1(o.label);
        }
    }
    showCriteria();
}

void datobookingperiode::uds_Click()
{
    SetGroupCriteria();
    Reports::get<overview>()->Show();
}

void datobookingperiode::annuler_Click()
{
    Unload();
}

void datobookingperiode::showCriteria()
{
    fra->setText(QString::number(m_period->from()));
    til->setText(QString::number(m_period->to()));
    g1->setText(QString::number(m_criteria.g1));
    g2->setText(QString::number(m_criteria.g2));
    g3->setText(QString::number(m_criteria.g3));
    Prtext->setText(m_criteria.label);
}
