#include "reports/myboo.h"

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
#include "platform/controls/periodpair.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"
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
using Extrafunktioner::DateToDayNumber;
using Extrafunktioner::DayNumberToDate;
using Extrafunktioner::MinutesToTime;

namespace {

// The booking tool bar's My Bookings shows the list modeless, without owner.
const Commands::Registrar registrar([] {
    Commands::add({.surface = Commands::BookingBar, .id = 15, .group = 2, .order = 20,
                   .tip = "My Bookings", .picture = "mine",
                   .action = [](PlannerView &) { Forms::get<myboo>()->Show(); }});
});

using ReportForms::hiddenBox;

QRadioButton *option(QGroupBox *frame, const char *name, const char *caption)
{
    auto *b = new QRadioButton(QString::fromLatin1(caption), frame);
    b->setObjectName(name);
    frame->layout()->addWidget(b);
    return b;
}

QGroupBox *frame(QWidget *parent, const char *caption)
{
    auto *box = new QGroupBox(QString::fromLatin1(caption), parent);
    new QVBoxLayout(box);
    return box;
}

// The user's bookings of the period, of the accepted kinds and series flags, in the query's
// order. The relation word is tested in code. The walk goes from the user's memberships to
// the bookings of those accounts in the period.
const char *const kMyBookingsSql =
    "SELECT * FROM mybookingsfor WHERE pnr = :user AND Bdato BETWEEN :from AND :to "
    "AND gruppeart IN (:r1, :r2, :r3) AND (COALESCE(gentagende, 0) <> 0) IN (:t1, :t2)";

} // namespace

myboo::myboo()
{
    setObjectName("myboo");
    setWindowTitle("My Bookings");

    auto *ownership = frame(this, "Select Ownership");
    OptO1 = option(ownership, "OptO1", "All Bookings");
    OptO2 = option(ownership, "OptO2", "Private Bookings");
    OptO3 = option(ownership, "OptO3", "Groupowner Bookings");
    OptO4 = option(ownership, "OptO4", "Groupmember Bookings");
    OptO1->setChecked(true);
    auto *kinds = frame(this, "Select Group");
    OptG1 = option(kinds, "OptG1", "All Groups");
    OptG2 = option(kinds, "OptG2", "Domestic");
    OptG3 = option(kinds, "OptG3", "Add-On");
    OptG4 = option(kinds, "OptG4", "Stand-Alone");
    OptG1->setChecked(true);
    auto *types = frame(this, "SelectType");
    OptT1 = option(types, "OptT1", "All Bookings");
    OptT2 = option(types, "OptT2", "Single Bookings");
    OptT3 = option(types, "OptT3", "Repeated Bookings");
    OptT1->setChecked(true);
    types->layout()->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum,
                                             QSizePolicy::Expanding));

    auto *period = new QGroupBox("Select Period", this);
    startdate = new DatePicker(period);
    startdate->setObjectName("startdate");
    slutdate = new DatePicker(period);
    slutdate->setObjectName("slutdate");
    auto *dates = new QGridLayout(period);
    auto *from = new QLabel("From", period);
    from->setBuddy(startdate);
    auto *to = new QLabel("To", period);
    to->setBuddy(slutdate);
    dates->addWidget(from, 0, 0);
    dates->addWidget(startdate, 0, 1);
    dates->addWidget(to, 1, 0);
    dates->addWidget(slutdate, 1, 1);
    dates->setRowStretch(2, 1);

    r1 = hiddenBox(this, "r1");
    r2 = hiddenBox(this, "r2");
    r3 = hiddenBox(this, "r3");
    O1 = hiddenBox(this, "O1");
    O2 = hiddenBox(this, "O2");
    O3 = hiddenBox(this, "O3");
    startd = hiddenBox(this, "startd");
    slutd = hiddenBox(this, "slutd");

    MBlist = new ListGrid(this);
    MBlist->setObjectName("MBlist");
    MBlist->setMinimumSize(860, 320);   // the seven columns side by side
    Printbutton = ListParts::printButton(this);
    Info = new QPushButton("Info", this);
    Info->setObjectName("Info");
    Luk = new QPushButton("Exit", this);
    Luk->setObjectName("Luk");

    auto *filters = new QHBoxLayout;
    filters->addWidget(ownership);
    filters->addWidget(kinds);
    filters->addWidget(types);
    filters->addWidget(period);
    filters->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Printbutton);
    buttons->addStretch();
    buttons->addWidget(Info);
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addLayout(filters);
    top->addWidget(MBlist, 1);
    top->addLayout(buttons);

    m_period = new PeriodPair(startdate, slutdate, this);
    connect(m_period, &PeriodPair::periodChecked, this, [this] {
        startd->setText(QString::number(m_period->from()));
        slutd->setText(QString::number(m_period->to()));
        refill();
    });
    for (QRadioButton *b : {OptO1, OptO2, OptO3, OptO4})
        connect(b, &QRadioButton::clicked, this, &myboo::OptO_Click);
    for (QRadioButton *b : {OptG1, OptG2, OptG3, OptG4})
        connect(b, &QRadioButton::clicked, this, &myboo::OptG_Click);
    for (QRadioButton *b : {OptT1, OptT2, OptT3})
        connect(b, &QRadioButton::clicked, this, &myboo::OptT_Click);
    connect(Printbutton, &QPushButton::clicked, this, &myboo::Printbutton_Click);
    connect(Info, &QPushButton::clicked, this, &myboo::Info_Click);
    connect(Luk, &QPushButton::clicked, this, &myboo::Luk_Click);
    connect(MBlist, &ListGrid::DblClick, this, &myboo::MBlist_DblClick);
    setDialogKeys({}, [this] { Luk_Click(); });
}

void myboo::Form_Load()
{
    const QDate today = System::today();
    m_period->setPeriod(DateToDayNumber(today), DateToDayNumber(today.addDays(31)));
    startd->setText(QString::number(m_period->from()));
    slutd->setText(QString::number(m_period->to()));
    startdate->setDateFormat(gDateFormat);
    slutdate->setDateFormat(gDateFormat);
    r1->setText("1");
    r2->setText("2");
    r3->setText("3");
    O1->setText("Private");
    O2->setText("Owner");
    O3->setText("Member");
    m_gentagende1 = false;
    m_gentagende2 = true;
    SetupMyBookingsColumns();
    FillMyBookings();
}

void myboo::OptO_Click()
{
    const char *words[3] = {"Private", "Owner", "Member"};
    if (OptO2->isChecked())
        words[1] = words[2] = "Private";
    else if (OptO3->isChecked())
        words[0] = words[2] = "Owner";
    else if (OptO4->isChecked())
        words[0] = words[1] = "Member";
    O1->setText(words[0]);
    O2->setText(words[1]);
    O3->setText(words[2]);
    refill();
}

void myboo::OptG_Click()
{
    const char *kind[3] = {"1", "2", "3"};
    if (OptG2->isChecked())
        kind[1] = kind[2] = "1";
    else if (OptG3->isChecked())
        kind[0] = kind[2] = "2";
    else if (OptG4->isChecked())
        kind[0] = kind[1] = "3";
    r1->setText(kind[0]);
    r2->setText(kind[1]);
    r3->setText(kind[2]);
    refill();
}

void myboo::OptT_Click()
{
    // All: False and True; Single: False only; Repeated: True only.
    m_gentagende1 = OptT3->isChecked();
    m_gentagende2 = !OptT2->isChecked();
    refill();
}

void myboo::startdate_DateChange() { m_period->startChanged(); }

void myboo::slutdate_DateChange() { m_period->endChanged(); }

void myboo::refill()
{
    MBlist->ClearRows();
    FillMyBookings();
}

void myboo::SetupMyBookingsColumns()
{
    ListParts::addTextColumns(*MBlist, {{"Date", 70, true},
                                        {"Resource", 110},
                                        {"Booking", 110},
                                        {"From", 60, true},
                                        {"To", 60, true},
                                        {"Account", 110},
                                        {"Conn.", 60}});
}

QString myboo::FillSql() { return QString::fromLatin1(kMyBookingsSql); }

QString myboo::RelationWord(const QVariant &pnr, const QVariant &kontonr,
                            const QVariant &kontoowner)
{
    // A Null owner equals nothing: the row is a member's.
    if (kontoowner.isNull() || pnr.isNull() || pnr.toLongLong() != kontoowner.toLongLong())
        return QStringLiteral("Member");
    if (!kontonr.isNull() && kontonr.toLongLong() == kontoowner.toLongLong())
        return QStringLiteral("Private");
    return QStringLiteral("Owner");
}

void myboo::FillMyBookings()
{
    const QStringList words{O1->text(), O2->text(), O3->text()};
    ListFill::Rows rows;
    rows.accept = [&words](const Dao::Recordset &rs) {
        return words.contains(
            RelationWord(rs.Field("pnr"), rs.Field("Kontonr"), rs.Field("kontoowner")));
    };
    rows.cells = [](const Dao::Recordset &rs) {
        return QStringList{
            Format(DayNumberToDate(rs.Field("Bdato").toInt()), gDateFormat),
            rs.text("Lokalenavn"),
            rs.text("Beskrivelse"),
            Format(MinutesToTime(rs.Field("bstart").toInt()), "HH:mm"),
            Format(MinutesToTime(rs.Field("bslut").toInt()), "HH:mm"),
            rs.text("Kontonavn"),
            RelationWord(rs.Field("pnr"), rs.Field("Kontonr"), rs.Field("kontoowner"))};
    };
    rows.keyField = "Bookingnr";
    const QVariantMap values{{"user", gUserNo},
                             {"from", startd->text().toInt()},
                             {"to", slutd->text().toInt()},
                             {"r1", r1->text().toInt()},
                             {"r2", r2->text().toInt()},
                             {"r3", r3->text().toInt()},
                             {"t1", m_gentagende1},
                             {"t2", m_gentagende2}};
    try {
        ListFill::fill(*MBlist, gDatabasePath, kMyBookingsSql, rows, Dao::Bindings(values));
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation, "My Bookings");
    }
}

void myboo::Printbutton_Click()
{
    MBlist->PrintTitle(gUserName + " bookings between " + Format(startdate->date(), "Short Date")
                       + " and " + Format(slutdate->date(), "Short Date"));
    MBlist->PrintSubTitle(gInstName + "   " + gInstCity + ", "
                          + Format(System::today(), "Short Date"));
    MBlist->PrintOption(2);
    MBlist->PrintList();
}

void myboo::ShowBookingInfo()
{
    if (const int32_t n = ListSelection::existingBooking(*MBlist, [this] { refill(); }))
        Forms::get<Searchinfoform>()->ShowBooking("bookingnr = " + QString::number(n));
}

void myboo::Luk_Click()
{
    try {
        Unload();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
    }
}
