#include "reports/todays.h"

#include "reports/hiddenbox.h"
#include "reports/listselection.h"
#include "reports/searchinfoform.h"

#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/listparts.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

// The booking tool bar's Todays Bookings shows the list modeless, without owner.
const Commands::Registrar registrar([] {
    Commands::add({.surface = Commands::BookingBar, .id = 16, .group = 2, .order = 30,
                   .tip = "Todays Bookings", .picture = "today",
                   .action = [](PlannerView &) { Forms::get<Todays>()->Show(); }});
});

using ReportForms::hiddenBox;

// The bookings of one day of the accepted kinds, in the order of bookingfor.
const char *const kTodaySql =
    "SELECT * FROM bookingfor WHERE Bdato = :day AND Gruppeart IN (:r1, :r2, :r3)";

} // namespace

Todays::Todays()
{
    setObjectName("Todays");
    setWindowTitle("Vantix  -  Todays Bookings");

    Fixdate = new DatePicker(this);
    Fixdate->setObjectName("Fixdate");
    auto *Frame1 = new QGroupBox("Booking Group", this);
    Frame1->setObjectName("Frame1");
    auto *kinds = new QHBoxLayout(Frame1);
    const std::pair<QRadioButton **, const char *> options[] = {{&OptGr1, "All Groups"},
                                                               {&OptGr2, "Domestic"},
                                                               {&OptGr3, "Add-On"},
                                                               {&OptGr4, "Stand-Alone"}};
    int i = 1;
    for (const auto &[button, caption] : options) {
        *button = new QRadioButton(caption, Frame1);
        (*button)->setObjectName(QString("OptGr%1").arg(i++));
        kinds->addWidget(*button);
        connect(*button, &QRadioButton::clicked, this, &Todays::OptGr_Click);
    }
    OptGr1->setChecked(true);
    r1 = hiddenBox(this, "r1");
    r2 = hiddenBox(this, "r2");
    r3 = hiddenBox(this, "r3");

    Todaylist = new ListGrid(this);
    Todaylist->setObjectName("Todaylist");
    Todaylist->setMinimumSize(660, 320);   // the five columns side by side
    Printbutton = ListParts::printButton(this);
    Info = new QPushButton("Info", this);
    Info->setObjectName("Info");
    exit = new QPushButton("Exit", this);
    exit->setObjectName("exit");

    auto *day = new QHBoxLayout;
    auto *label = new QLabel("Date:", this);
    label->setBuddy(Fixdate);
    day->addWidget(label);
    day->addWidget(Fixdate);
    day->addStretch();
    auto *filters = new QHBoxLayout;
    filters->addLayout(day);
    filters->addWidget(Frame1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Printbutton);
    buttons->addStretch();
    buttons->addWidget(Info);
    buttons->addWidget(exit);
    auto *top = new QVBoxLayout(this);
    top->addLayout(filters);
    top->addWidget(Todaylist, 1);
    top->addLayout(buttons);

    connect(Fixdate, &DatePicker::DateChange, this, &Todays::Fixdate_DateChange);
    connect(Printbutton, &QPushButton::clicked, this, &Todays::Printbutton_Click);
    connect(Info, &QPushButton::clicked, this, &Todays::Info_Click);
    connect(exit, &QPushButton::clicked, this, &Todays::exit_Click);
    connect(Todaylist, &ListGrid::DblClick, this, &Todays::Todaylist_DblClick);
    setDialogKeys({}, [this] { exit_Click(); });
}

void Todays::Form_Load()
{
    Fixdate->setDateFormat(gDateFormat);
    Fixdate->setDate(System::today());
    r1->setText("1");
    r2->setText("2");
    r3->setText("3");
    SetupTodayColumns();
    FillTodayList();
}

void Todays::Fixdate_DateChange() { refill(); }

void Todays::OptGr_Click()
{
    const char *kind[3] = {"1", "2", "3"};
    if (OptGr2->isChecked())
        kind[1] = kind[2] = "1";
    else if (OptGr3->isChecked())
        kind[0] = kind[2] = "2";
    else if (OptGr4->isChecked())
        kind[0] = kind[1] = "3";
    r1->setText(kind[0]);
    r2->setText(kind[1]);
    r3->setText(kind[2]);
    refill();
}

void Todays::refill()
{
    Todaylist->ClearRows();
    FillTodayList();
}

void Todays::SetupTodayColumns()
{
    ListParts::addTextColumns(*Todaylist, {{"Resource", 120},
                                           {"Account", 120},
                                           {"Start", 50, true},
                                           {"End", 50, true},
                                           {"Contact", 100}});
}

QString Todays::FillSql() { return QString::fromLatin1(kTodaySql); }

QString Todays::TimeCell(const QVariant &seconds)
{
    return Format(Extrafunktioner::MinutesToTime(SecondsToMinutes(seconds.toLongLong())),
                  "hh:mm");
}

void Todays::FillTodayList()
{
    // Many bookings of a day share a time: each time text is formatted once per fill.
    QHash<qint64, QString> times;
    auto time = [&times](const QVariant &seconds) {
        if (seconds.isNull())
            return TimeCell(seconds);
        auto it = times.constFind(seconds.toLongLong());
        if (it == times.constEnd())
            it = times.insert(seconds.toLongLong(), TimeCell(seconds));
        return *it;
    };
    ListFill::Rows rows;
    rows.cells = [&time](const Dao::Recordset &rs) {
        return QStringList{rs.text("Lokalenavn"), rs.text("Kontonavn"), time(rs.Field("Start")),
                           time(rs.Field("Slut")), rs.text("Kontotlf")};
    };
    rows.keyField = "Bookingnr";
    const QVariantMap values{{"day", Extrafunktioner::DateToDayNumber(Fixdate->date())},
                             {"r1", r1->text().toInt()},
                             {"r2", r2->text().toInt()},
                             {"r3", r3->text().toInt()}};
    try {
        ListFill::fill(*Todaylist, gDatabasePath, kTodaySql, rows, Dao::Bindings(values));
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation,
                     "Vantix  -  Todays Bookings");
    }
}

void Todays::Printbutton_Click()
{
    Todaylist->PrintTitle("Bookings on " + Format(Fixdate->date(), "Short Date"));
    Todaylist->PrintSubTitle(gInstName + ", " + gInstCity + ", "
                             + Format(System::today(), "Short Date"));
    Todaylist->PrintOption(2);
    Todaylist->PrintList();
}

void Todays::ShowBookingInfo()
{
    if (const int32_t n = ListSelection::existingBooking(*Todaylist, [this] { refill(); }))
        Forms::get<Searchinfoform>()->ShowBooking("bookingnr = " + QString::number(n));
}
