#include "bookings/fastgen.h"

#include "bookings/alternatives.h"
#include "bookings/bookingform.h"
#include "bookings/vilkdatover.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"

#include <QCoreApplication>
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
qint64 number(const QLineEdit *box)
{
    qint64 n = 0;
    Queries::ParseWholeNumber(box->text(), &n);
    return n;
}
} // namespace

fastgen::fastgen()
{
    setObjectName("fastgen");
    setWindowTitle("Vantix - Repeat Booking");

    frekvensbox = new QGroupBox("Frequency", this);
    auto option = [this](QRadioButton *&o, const char *name, const QString &caption) {
        o = new QRadioButton(caption, frekvensbox);
        o->setObjectName(name);
    };
    option(Option1, "Option1", "Daily");
    option(Option2, "Option2", "Weekly");
    option(Option3, "Option3", "Every 2 weeks");
    option(Option4, "Option4", "Every 3 weeks");
    option(Option5, "Option5", "Every 4 weeks");
    option(Option6, "Option6", "Select specific dates");
    auto *options = new QVBoxLayout(frekvensbox);
    for (QRadioButton *o : {Option1, Option2, Option3, Option4, Option5, Option6})
        options->addWidget(o);

    stcoy = new DatePicker(this);
    stcoy->setObjectName("stcoy");
    slcoy = new DatePicker(this);
    slcoy->setObjectName("slcoy");
    auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(name);
    };
    button(Udvalg, "Udvalg", "Generate dates");
    button(remsel, "remsel", "Delete selected booking");
    button(remall, "remall", "Delete  All Doublebookings");
    button(alternates, "alternates", "Find alternative resource");
    button(bookingknap, "bookingknap", "Book Generated Dates");
    button(annuller, "annuller", "Exit");
    genbook = new ListGrid(this);
    genbook->setObjectName("genbook");

    auto hidden = [this](QLineEdit *&box, const char *name) {
        box = new QLineEdit(this);
        box->setObjectName(name);
        box->hide();
    };
    hidden(frekvens, "frekvens");
    hidden(Startfastgentagende, "Startfastgentagende");
    hidden(Slutfastgentagende, "Slutfastgentagende");
    hidden(vcolor, "vcolor");

    auto *period = new QGridLayout;
    period->addWidget(new QLabel("Start date:", this), 0, 0);
    period->addWidget(stcoy, 0, 1);
    period->addWidget(new QLabel("End date:", this), 1, 0);
    period->addWidget(slcoy, 1, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(frekvensbox);
    left->addLayout(period);
    left->addWidget(Udvalg);
    left->addStretch();
    for (QPushButton *b : {remsel, remall, alternates, bookingknap, annuller})
        left->addWidget(b);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(genbook, 1);
    resize(560, 460);

    connect(Option1, &QRadioButton::clicked, this, &fastgen::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &fastgen::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &fastgen::Option3_Click);
    connect(Option4, &QRadioButton::clicked, this, &fastgen::Option4_Click);
    connect(Option5, &QRadioButton::clicked, this, &fastgen::Option5_Click);
    connect(Option6, &QRadioButton::clicked, this, &fastgen::Option6_Click);
    connect(stcoy, &DatePicker::DateSelected, this, &fastgen::stcoy_DateSelected);
    connect(slcoy, &DatePicker::DateSelected, this, &fastgen::slcoy_DateSelected);
    connect(Udvalg, &QPushButton::clicked, this, &fastgen::Udvalg_Click);
    connect(remsel, &QPushButton::clicked, this, &fastgen::remsel_Click);
    connect(remall, &QPushButton::clicked, this, &fastgen::remall_Click);
    connect(alternates, &QPushButton::clicked, this, &fastgen::alternates_Click);
    connect(genbook, &ListGrid::DblClick, this, &fastgen::genbook_DblClick);
    connect(bookingknap, &QPushButton::clicked, this, &fastgen::bookingknap_Click);
    connect(annuller, &QPushButton::clicked, this, &fastgen::annuller_Click);
}

void fastgen::Form_Load()
{
    attachToBookingForm();
    stcoy->setDateFormat(gDateFormat);
    slcoy->setDateFormat(gDateFormat);
    const int firstDay = gFirstDay == QLatin1String("0") ? 0 : 1;
    stcoy->setFirstDay(firstDay);
    slcoy->setFirstDay(firstDay);
    bookingknap->setEnabled(false);
    // Without a frequency there is no step to generate by.
    Udvalg->setEnabled(false);
    frekvens->setText("0");
    SetDefaultPeriod();
    ClearGeneratedDates();
    Reload();
}

void fastgen::SetupDateListColumns() { setupDateColumns(70, 45); }

void fastgen::SetDefaultPeriod()
{
    const qint64 end = qint64(gCurrentDay) + 7 * number(frekvens);
    Slutfastgentagende->setText(QString::number(end));
    Startfastgentagende->setText(QString::number(gCurrentDay));
    slcoy->setValue(int(end));
    stcoy->setValue(gCurrentDay);
}

void fastgen::chooseFrequency(int step, qint64 colour)
{
    frekvens->setText(QString::number(step));
    vcolor->setText(QString::number(colour));
    genbook->ClearRows();
    ClearGeneratedDates();
    SetDefaultPeriod();
    Udvalg->setEnabled(true);
}

void fastgen::Option1_Click() { chooseFrequency(1, 16777215); }
void fastgen::Option2_Click() { chooseFrequency(7, 16711680); }
void fastgen::Option3_Click() { chooseFrequency(14, 6723891); }
void fastgen::Option4_Click() { chooseFrequency(21, 16776960); }
void fastgen::Option5_Click() { chooseFrequency(28, 6697881); }

void fastgen::Option6_Click()
{
    QWidget *owner = RepeatSeries::formShowing(m_origin);
    Unload();
    Forms::get<vilkdatover>()->Show(Modal, owner);
}

void fastgen::stcoy_DateSelected()
{
    Startfastgentagende->setText(QString::number(stcoy->value()));
}

void fastgen::slcoy_DateSelected()
{
    Slutfastgentagende->setText(QString::number(slcoy->value()));
}

void fastgen::Udvalg_Click()
{
    const qint64 f = number(frekvens);
    const qint64 s = number(Startfastgentagende);
    const qint64 e = number(Slutfastgentagende);
    if (f < 1)
        return;   // no frequency chosen: the button is off until one is
    if (e < s + f) {
        MsgBox::show("Dates are not valid !", MsgBox::OkOnly, QCoreApplication::applicationName());
        return;
    }
    if ((e - s) / f > RepeatSeries::kMaxDates) {
        MsgBox::show(QString("A series can hold at most %1 dates. Choose a shorter period or a "
                             "longer step.")
                         .arg(RepeatSeries::kMaxDates),
                     MsgBox::OkOnly | MsgBox::Exclamation, "Date Info");
        return;
    }
    ClearGeneratedDates();
    GenerateDates();
    bookingknap->setEnabled(true);
}

void fastgen::GenerateDates()
{
    if (stcoy->date() > slcoy->date()) {
        MsgBox::show("Startdate must be smaller than Enddate !", MsgBox::Exclamation);
        SetDefaultPeriod();
        return;
    }
    const qint64 step = number(frekvens);
    const qint64 e = number(Slutfastgentagende);
    QList<int32_t> days;
    for (qint64 d = number(Startfastgentagende) + step; d <= e; d += step)
        days.append(int32_t(d));
    addDays(days);
}

void fastgen::remsel_Click() { deleteSelected(); }

void fastgen::remall_Click() { deleteDoubleBookings(); }

void fastgen::alternates_Click() { findAlternative(); }

void fastgen::genbook_DblClick() { findAlternative(); }

void fastgen::showAlternatives(int32_t genId)
{
    auto *alt = Forms::get<alternatives>();
    alt->setGenId(genId);
    alt->Show(Modal, this);
}

void fastgen::bookingknap_Click()
{
    if (genbook->RowCount() > 0)
        BookGeneratedDates();
    else
        MsgBox::show("No generated dates available");
}

void fastgen::BookGeneratedDates() { bookDates(number(vcolor)); }

void fastgen::annuller_Click() { Unload(); }
