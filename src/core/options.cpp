#include "core/options.h"

#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "platform/controls/dblist.h"
#include "platform/controls/maskededit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/tabdialog.h"
#include "platform/db/dberror.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <cmath>

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

const int kTaxTab = 2;

// The number a value starts with, as the classic Val reads it; 0 when it starts with none.
double leadingNumber(const QVariant &value)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d+(\\.\\d*)?"));
    const QRegularExpressionMatch m = number.match(value.toString());
    return m.hasMatch() ? m.captured(0).trimmed().toDouble() : 0.0;
}

DBList *boundCombo(DataControl &rows, const QString &shown, const QString &stored,
                   QWidget *parent)
{
    auto *combo = new DBList(DBList::ComboStyle, parent);
    combo->setRowSource(&rows);
    combo->setListField(shown);
    combo->setBoundColumn(stored);
    return combo;
}

QLabel *hint(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

Options::Options()
{
    setWindowTitle("Vantix - Options");
    setObjectName("Options");
    Data1.setObjectName("Data1");
    Data2.setObjectName("Data2");
    Data3.setObjectName("Data3");
    Data4.setObjectName("Data4");
    Data5.setObjectName("Data5");
    // The choice lists are only read.
    for (DataControl *list : {&Data2, &Data3, &Data4, &Data5})
        list->setReadOnly(true);

    SSTab1 = new TabDialog(this);
    SSTab1->setObjectName("SSTab1");
    buildCalendarsTab();
    buildArchiveTab();
    buildTaxTab();

    // Carries the first day of the week into the row; it follows the date format.
    FD = new QLineEdit(this);
    FD->setObjectName("FD");
    FD->hide();

    ok = new QPushButton("Ok", this);
    ok->setObjectName("ok");
    ok->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *top = new QVBoxLayout(this);
    top->addWidget(SSTab1);
    top->addLayout(buttons);

    Data1.bind(CheckAmPm, "ampm");
    Data1.bind(CheckMilitary, "military");
    Data1.bind(CheckTent, "tentative");
    Data1.bind(DateFormat, "dateformatnr");
    Data1.bind(DFS1, "dateformatstr1");
    Data1.bind(DFS2, "dateformatstr2");
    Data1.bind(Timeunits, "timeunits");
    Data1.bind(ArcDelCombo, "arcdel");
    Data1.bind(DelDelCombo, "deldel");
    Data1.bind(Checktax, "tax");
    Data1.bind(Taxtext, "taxpct");
    Data1.bind(FD, "firstday");

    connect(CheckAmPm, &QCheckBox::stateChanged, this, &Options::CheckAmPm_Click);
    connect(CheckMilitary, &QCheckBox::stateChanged, this, &Options::CheckMilitary_Click);
    connect(CheckTent, &QCheckBox::stateChanged, this, &Options::CheckTent_Click);
    connect(Taxtext, &QLineEdit::textChanged, this, &Options::Taxtext_Change);
    // Only a pick by the user counts as a choice: filling the combos from the row as the form
    // opens changes nothing in the running program.
    connect(DateFormat, &DBList::Click, this, &Options::ApplyDateFormatChoice);
    connect(Timeunits, &DBList::Click, this, &Options::ApplyTimeUnitChoice);
    connect(ok, &QPushButton::clicked, this, &Options::ok_Click);
    setDialogKeys([this] { ok_Click(); });
}

void Options::buildCalendarsTab()
{
    QWidget *page = SSTab1->addTab("Calendars");
    CheckAmPm = new QCheckBox("Include Am/Pm", page);
    CheckAmPm->setObjectName("CheckAmPm");
    CheckMilitary = new QCheckBox("Use Military Time", page);
    CheckMilitary->setObjectName("CheckMilitary");
    CheckTent = new QCheckBox("All bookings tentative until confirmed", page);
    CheckTent->setObjectName("CheckTent");

    DateFormat = boundCombo(Data2, "Formatname", "Dateformatno", page);
    DateFormat->setObjectName("DateFormat");
    // The two date patterns follow the chosen format; they are shown, not typed.
    DFS1 = new QLineEdit(page);
    DFS1->setObjectName("DFS1");
    DFS2 = new QLineEdit(page);
    DFS2->setObjectName("DFS2");
    for (QLineEdit *e : {DFS1, DFS2}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QPalette shown = e->palette();
        shown.setColor(QPalette::Base, shown.color(QPalette::Window));
        e->setPalette(shown);
    }
    Timeunits = boundCombo(Data5, "unittext", "unitnr", page);
    Timeunits->setObjectName("Timeunits");

    auto *patterns = new QHBoxLayout;
    patterns->addWidget(DFS1);
    patterns->addWidget(DFS2);
    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(new QLabel("Date format", page), 0, 0);
    grid->addWidget(DateFormat, 0, 1);
    grid->addLayout(patterns, 1, 1);
    grid->addWidget(new QLabel("Time Units", page), 2, 0);
    grid->addWidget(Timeunits, 2, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(CheckAmPm);
    layout->addWidget(CheckMilitary);
    layout->addWidget(CheckTent);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();
}

void Options::buildArchiveTab()
{
    QWidget *page = SSTab1->addTab("Archive");
    ArcDelCombo = boundCombo(Data3, "arcdel", "arcdel", page);
    ArcDelCombo->setObjectName("ArcDelCombo");
    DelDelCombo = boundCombo(Data4, "deldelY", "deldelDays", page);
    DelDelCombo->setObjectName("DelDelCombo");

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel("Archiving Delay:", page), 0, 0);
    grid->addWidget(ArcDelCombo, 0, 1);
    grid->addWidget(new QLabel("days", page), 0, 2);
    grid->addWidget(hint("(3 days recommended)", page), 0, 3);
    grid->addWidget(new QLabel("Delete Delay", page), 1, 0);
    grid->addWidget(DelDelCombo, 1, 1);
    grid->addWidget(new QLabel("years", page), 1, 2);
    grid->addWidget(hint("(1½ years recommended)", page), 1, 3);
    grid->setColumnMinimumWidth(1, 90);
    grid->setColumnStretch(4, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch();
}

void Options::buildTaxTab()
{
    QWidget *page = SSTab1->addTab("Tax");
    Checktax = new QCheckBox("Include tax", page);
    Checktax->setObjectName("Checktax");
    Taxtext = new MaskedEdit(page);
    Taxtext->setObjectName("Taxtext");
    Taxtext->setFieldName("Tax %");
    Taxtext->setMaximumWidth(90);

    auto *rate = new QHBoxLayout;
    rate->addWidget(new QLabel("Tax %:", page));
    rate->addWidget(Taxtext);
    rate->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Checktax);
    layout->addLayout(rate);
    layout->addStretch();
}

void Options::Form_Load()
{
    m_before = programSettings();
    const QString sources[] = {"institutionsoplysninger", "Valgformat", "Valgarcdel",
                               "Valgdeldel", "Valgunits"};
    DataControl *controls[] = {&Data1, &Data2, &Data3, &Data4, &Data5};
    for (int i = 0; i < 5; ++i) {
        controls[i]->setDatabaseName(gDatabasePath);
        controls[i]->setRecordSource(sources[i]);
    }
    try {
        for (DataControl *list : {&Data2, &Data3, &Data4, &Data5})
            list->Refresh();
        Data1.Refresh();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation, "Vantix - Options");
        return;
    }
    showUsedSettings();
}

void Options::showUsedSettings()
{
    if (!Data1.hasCurrentRow())
        return;
    // A value of the row that is out of range was replaced by its default when the settings
    // were loaded: the form shows the value in use, which Ok then stores.
    const std::pair<QWidget *, const char *> boxes[] = {
        {DateFormat, "dateformatnr"}, {DFS1, "dateformatstr1"}, {DFS2, "dateformatstr2"},
        {Timeunits, "Timeunits"},     {ArcDelCombo, "arCdEl"},  {DelDelCombo, "deldel"},
        {Taxtext, "taxpct"},          {FD, "FirstDay"},
    };
    QVariantMap row;
    for (const auto &[box, field] : boxes)
        row.insert(field, Data1.value(field));
    QVariantList units;
    for (const QVariantList &unit : Data5.rowValues({"unitnr"}))
        units << unit.value(0);
    const QVariantMap used = ReplacedSettings(row, units);
    for (const auto &[box, field] : boxes) {
        if (!used.contains(field))
            continue;
        const QVariant value = used.value(field);
        if (auto *list = qobject_cast<DBList *>(box))
            list->setBoundText(value);
        else if (box == Taxtext)
            Taxtext->setValue(value);
        else if (auto *line = qobject_cast<QLineEdit *>(box))
            line->setText(value.toString());
    }
}

void Options::CheckAmPm_Click() { gAmPm = CheckAmPm->checkState() != Qt::Unchecked; }

void Options::CheckMilitary_Click()
{
    gMilitaryTime = CheckMilitary->checkState() != Qt::Unchecked;
}

void Options::CheckTent_Click() { gTentativeMode = CheckTent->checkState() != Qt::Unchecked; }

void Options::Taxtext_Change()
{
    // While the text is no number the rate is 0; closing the form refuses such a text.
    gTaxPct = Taxtext->number().value_or(0.0);
}

void Options::ApplyDateFormatChoice()
{
    const double v = leadingNumber(DateFormat->BoundText());
    if (v == 0) {
        // The running program uses the same patterns that the next start loads from the row.
        DFS1->setText("mm/dd/yyyy");
        DFS2->setText("D m/N/y");
        gDateFormat = "mm/dd/yyyy";
        gDateFormat2 = "D m/N/y";
        FD->setText("0");
        gFirstDay = "0";
    } else {
        DFS1->setText("dd-mm-yyyy");
        DFS2->setText("D N-m-y");
        gDateFormat = "dd-mm-yyyy";
        gDateFormat2 = "D N-m-y";
        FD->setText("1");
        gFirstDay = "1";
    }
    gDateFormatNr = static_cast<int16_t>(RoundHalfEven(v));
    gWeekStartDay = DateToDayNumber(WeekStartDate(DayNumberToDate(gCurrentDay)));
}

void Options::ApplyTimeUnitChoice()
{
    gTimeUnits = static_cast<int16_t>(RoundHalfEven(leadingNumber(Timeunits->BoundText())));
}

void Options::ok_Click() { Unload(); }

bool Options::taxAcceptable()
{
    const std::optional<double> rate = Taxtext->number();
    if (rate && *rate >= 0 && *rate <= 100)
        return true;
    SSTab1->setTab(kTaxTab);
    MsgBox::show("Tax % must be a number from 0 to 100, such as 25 or 12.5.",
                 MsgBox::OkOnly | MsgBox::Exclamation, "Vantix - Options");
    Taxtext->setFocus();
    Taxtext->selectAll();
    return false;
}

void Options::Form_Unload(bool &cancel)
{
    // Without a settings row there is nothing to check or save.
    if (!Data1.hasCurrentRow())
        return;
    if (!taxAcceptable()) {
        cancel = true;
        return;
    }
    try {
        Data1.Close();
    } catch (const Dao::DbError &e) {
        // The changes stay in the boxes: the user may try again later, or close without them.
        const int answer = MsgBox::show(
            "The options could not be saved:\n" + e.description() + "\n\nClose without saving?",
            MsgBox::YesNo | MsgBox::Exclamation | MsgBox::DefaultButton2, "Vantix - Options");
        if (answer != MsgBox::Yes) {
            cancel = true;
            return;
        }
        Data1.CancelUpdate();
        Data1.Close();
        restore(m_before);
    }
    for (DataControl *list : {&Data2, &Data3, &Data4, &Data5})
        list->Close();
}

Options::ProgramSettings Options::programSettings()
{
    ProgramSettings s;
    s.amPm = gAmPm;
    s.military = gMilitaryTime;
    s.tentative = gTentativeMode;
    s.taxPct = gTaxPct;
    s.timeUnits = gTimeUnits;
    s.dateFormatNr = gDateFormatNr;
    s.dateFormat = gDateFormat;
    s.dateFormat2 = gDateFormat2;
    s.firstDay = gFirstDay;
    s.weekStartDay = gWeekStartDay;
    return s;
}

void Options::restore(const ProgramSettings &s)
{
    gAmPm = s.amPm;
    gMilitaryTime = s.military;
    gTentativeMode = s.tentative;
    gTaxPct = s.taxPct;
    gTimeUnits = s.timeUnits;
    gDateFormatNr = s.dateFormatNr;
    gDateFormat = s.dateFormat;
    gDateFormat2 = s.dateFormat2;
    gFirstDay = s.firstDay;
    gWeekStartDay = s.weekStartDay;
}
