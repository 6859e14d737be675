#include "reports/archiveperioddialogs.h"

#include "reports/archivereports.h"
#include "reports/hiddenbox.h"

#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/periodpair.h"
#include "platform/controls/dblist.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

// The menu's Period Totals and Period Details open their dialogs, owned by the view, for every
// user.
const Commands::Registrar registrar([] {
    Commands::add({.id = 32, .menu = 3, .order = 20, .caption = "Period Totals",
                   .action = [](PlannerView &view) {
                       Forms::get<datoarkivperiodeht>()->Show(Form::Modeless, &view.form());
                   }});
    Commands::add({.id = 33, .menu = 3, .order = 30, .caption = "Period Details",
                   .action = [](PlannerView &view) {
                       Forms::get<datoarkivperiodeAC>()->Show(Form::Modeless, &view.form());
                   }});
});

} // namespace

ArchivePeriodDialog::ArchivePeriodDialog(const QString &name, const QString &caption)
{
    setObjectName(name);
    setWindowTitle(caption);

    cstart = new DatePicker(this);
    cstart->setObjectName("cstart");
    cend = new DatePicker(this);
    cend->setObjectName("cend");
    // The day numbers of the period, as the report reads them.
    fradato = new QLineEdit(this);
    fradato->setObjectName("fradato");
    tildato = new QLineEdit(this);
    tildato->setObjectName("tildato");
    for (QLineEdit *box : {fradato, tildato}) {
        box->setReadOnly(true);
        box->hide();
    }
    Kommandoknap22 = new QPushButton("Print", this);
    Kommandoknap22->setObjectName("Kommandoknap22");
    Kommandoknap22->setDefault(true);
    Luk = new QPushButton("Exit", this);
    Luk->setObjectName("Luk");

    m_grid = new QGridLayout;
    addCriterion("Start date", cstart);
    addCriterion("End date", cend);
    m_grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Kommandoknap22);
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addLayout(m_grid);
    top->addStretch();
    top->addLayout(buttons);
    resize(360, sizeHint().height());

    m_period = new PeriodPair(cstart, cend, this);
    connect(m_period, &PeriodPair::periodChecked, this, &ArchivePeriodDialog::showPeriod);
    connect(Kommandoknap22, &QPushButton::clicked, this,
            &ArchivePeriodDialog::Kommandoknap22_Click);
    connect(Luk, &QPushButton::clicked, this, &ArchivePeriodDialog::Luk_Click);
    // Enter prints (or presses the button that has the focus); Escape leaves.
    setDialogKeys([this] { ReportForms::pressFocusedOr(this, Kommandoknap22); },
                  [this] { Luk_Click(); });
}

void ArchivePeriodDialog::addCriterion(const QString &text, QWidget *box)
{
    auto *label = new QLabel(text, this);
    label->setBuddy(box);
    const int row = m_grid->rowCount();
    m_grid->addWidget(label, row, 0);
    m_grid->addWidget(box, row, 1);
    setTabOrder(cend, box);
    setTabOrder(box, Kommandoknap22);
}

void ArchivePeriodDialog::Form_Load()
{
    cstart->setDateFormat(gDateFormat);
    cend->setDateFormat(gDateFormat);
    const QDate today = System::today();
    m_period->setPeriod(Extrafunktioner::DateToDayNumber(today.addDays(-365)),
                        Extrafunktioner::DateToDayNumber(today));
    showPeriod();
}

void ArchivePeriodDialog::cstart_DateChange() { m_period->startChanged(); }

void ArchivePeriodDialog::cend_DateChange() { m_period->endChanged(); }

int32_t ArchivePeriodDialog::from() const { return m_period->from(); }

int32_t ArchivePeriodDialog::to() const { return m_period->to(); }

void ArchivePeriodDialog::Luk_Click()
{
    Unload();
}

void ArchivePeriodDialog::showPeriod()
{
    fradato->setText(QString::number(m_period->from()));
    tildato->setText(QString::number(m_period->to()));
}

datoarkivperiodeAC::datoarkivperiodeAC()
    : ArchivePeriodDialog("datoarkivperiodeAC", "Period Details")
{
    knr = new DBList(DBList::ComboStyle, this);
    knr->setObjectName("knr");
    addCriterion("Account", knr);
    Data1.setObjectName("Data1");
    Data1.setReadOnly(true);
    knr->setRowSource(&Data1);
    knr->setListField("Kontonavn");
    knr->setBoundColumn("ID");
}

datoarkivperiodeAC::~datoarkivperiodeAC() = default;

void datoarkivperiodeAC::Form_Load()
{
    Data1.setDatabaseName(gDatabasePath);
    Data1.setRecordSource("Kontifor");
    Data1.Refresh();
    ArchivePeriodDialog::Form_Load();
}

std::optional<int32_t> datoarkivperiodeAC::account() const
{
    bool ok = false;
    const qlonglong id = knr->BoundText().toLongLong(&ok);
    if (!ok || id < INT32_MIN || id > INT32_MAX)
        return std::nullopt;
    return int32_t(id);
}

QString datoarkivperiodeAC::accountName() const
{
    return knr->Text();
}

void datoarkivperiodeAC::Kommandoknap22_Click()
{
    Reports::get<periodedetail>()->Show();
}

datoarkivperiodeht::datoarkivperiodeht()
    : ArchivePeriodDialog("datoarkivperiodeht", "Period Totals")
{
}

void datoarkivperiodeht::Kommandoknap22_Click()
{
    Reports::get<periodetotaler>()->Show();
}
