#include "reports/gudloebover.h"

#include "reports/hiddenbox.h"

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
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;
using Extrafunktioner::DayNumberToDate;
using Extrafunktioner::MinutesToTime;

namespace {

// The tool bar's Repeating Bookings shows the list modeless without owner; menu id 52, which
// no item carries, shows it modal and owned by the view.
const Commands::Registrar registrar([] {
    Commands::add({.id = 52, .listed = false, .action = [](PlannerView &view) {
                       Forms::get<gudløbover>()->Show(Form::Modal, &view.form());
                   }});
    Commands::add({.surface = Commands::BookingBar, .id = 18, .group = 2, .order = 40,
                   .tip = "Repeating Bookings", .picture = "repeat",
                   .action = [](PlannerView &) { Forms::get<gudløbover>()->Show(); }});
});

using ReportForms::hiddenBox;

// The series whose last repeated booking lies in the period, read from the table of each
// series' last day by that day.
const char *const kSeriesInPeriodSql =
    "SELECT gennr FROM serieslut WHERE Bdato BETWEEN :from AND :to";

// The series of the list, in the query's order. Their numbers are bound one by one, so that
// the engine groups only those series (through the index on the series number); a number list
// beyond what a statement binds falls back to the subquery, which groups every series.
constexpr int kMaxBoundSeries = 30000;

QString expiryText(int series)
{
    QString sql = QStringLiteral("SELECT * FROM \"gentagendeudløbfor\" WHERE gennr IN (");
    if (series > kMaxBoundSeries) {
        sql += QString::fromLatin1(kSeriesInPeriodSql);
    } else {
        QStringList marks;
        for (int i = 1; i <= series; ++i)
            marks << QStringLiteral(":s%1").arg(i);
        sql += marks.join(',');
    }
    return sql + QStringLiteral(") AND maxofbdato BETWEEN :from AND :to");
}

} // namespace

gudløbover::gudløbover()
{
    setObjectName(QString::fromUtf8("gudløbover"));
    setWindowTitle("Vantix - Repeated Bookings / Expire Dates");

    cstart = new DatePicker(this);
    cstart->setObjectName("cstart");
    cend = new DatePicker(this);
    cend->setObjectName("cend");
    fradato = hiddenBox(this, "fradato");
    tildato = hiddenBox(this, "tildato");
    ul = new ListGrid(this);
    ul->setObjectName("ul");
    ul->setMinimumSize(940, 340);   // the seven columns side by side
    Printbutton = ListParts::printButton(this);
    Luk = new QPushButton("Exit", this);
    Luk->setObjectName("Luk");

    auto *dates = new QHBoxLayout;
    auto *startLabel = new QLabel("Start date", this);
    startLabel->setBuddy(cstart);
    auto *endLabel = new QLabel("End date", this);
    endLabel->setBuddy(cend);
    dates->addWidget(startLabel);
    dates->addWidget(cstart);
    dates->addSpacing(16);
    dates->addWidget(endLabel);
    dates->addWidget(cend);
    dates->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Printbutton);
    buttons->addStretch();
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addLayout(dates);
    top->addWidget(ul, 1);
    top->addLayout(buttons);

    m_period = new PeriodPair(cstart, cend, this);
    connect(m_period, &PeriodPair::periodChecked, this, [this] {
        fradato->setText(QString::number(m_period->from()));
        tildato->setText(QString::number(m_period->to()));
        ul->ClearRows();
        FillExpiryList();
    });
    connect(Printbutton, &QPushButton::clicked, this, &gudløbover::Printbutton_Click);
    connect(Luk, &QPushButton::clicked, this, &gudløbover::Luk_Click);
    setDialogKeys({}, [this] { Luk_Click(); });
}

void gudløbover::Form_Load()
{
    cstart->setDateFormat(gDateFormat);
    cend->setDateFormat(gDateFormat);
    const QDate today = System::today();
    m_period->setPeriod(DateToDayNumber(today), DateToDayNumber(today.addDays(31)));
    fradato->setText(QString::number(m_period->from()));
    tildato->setText(QString::number(m_period->to()));
    SetupExpiryColumns();
    FillExpiryList();
}

void gudløbover::cstart_DateChange() { m_period->startChanged(); }

void gudløbover::cend_DateChange() { m_period->endChanged(); }

QString gudløbover::SeriesSql() { return QString::fromLatin1(kSeriesInPeriodSql); }

QString gudløbover::ExpirySql(int series) { return expiryText(series); }

void gudløbover::SetupExpiryColumns()
{
    ListParts::addTextColumns(*ul, {{"Booking", 125},
                                    {"Exp. Date", 70, true},
                                    {"Start", 50, true},
                                    {"End", 50, true},
                                    {"Resource", 125},
                                    {"Group", 125},
                                    {"Contact", 100}});
}

void gudløbover::FillExpiryList()
{
    ListFill::Rows rows;
    rows.cells = [](const Dao::Recordset &rs) {
        return QStringList{rs.text("Beskrivelse"),
                           Format(DayNumberToDate(rs.Field("maxofbdato").toInt()), gDateFormat),
                           Format(MinutesToTime(rs.Field("bstart").toInt()), "hh:mm"),
                           Format(MinutesToTime(rs.Field("bslut").toInt()), "hh:mm"),
                           rs.text("Lokalenavn"), rs.text("Kontonavn"), rs.text("Kontotlf")};
    };
    // The rows carry no key; the series number stands in.
    rows.keyField = "gennr";
    const int from = fradato->text().toInt();
    const int to = tildato->text().toInt();
    try {
        QVariantList series;
        {
            auto db = Dao::Database::open(gDatabasePath);
            auto rs = db->OpenRecordset(kSeriesInPeriodSql,
                                        Dao::Bindings(QVariantMap{{"from", from}, {"to", to}}),
                                        Dao::RecordsetType::ForwardOnly);
            for (; !rs->EOF_(); rs->MoveNext())
                series << rs->Field("gennr");
            rs->Close();
            db->Close();
        }
        if (series.isEmpty())
            return;
        QVariantMap values{{"from", from}, {"to", to}};
        if (series.size() <= kMaxBoundSeries) {
            for (int i = 0; i < series.size(); ++i)
                values.insert(QStringLiteral("s%1").arg(i + 1), series[i]);
        }
        ListFill::fill(*ul, gDatabasePath, expiryText(series.size()), rows, Dao::Bindings(values));
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation,
                     "Vantix - Repeated Bookings / Expire Dates");
    }
}

void gudløbover::Printbutton_Click()
{
    ul->PrintTitle("Repeating Bookings / Expire dates between "
                   + Format(cstart->date(), "Short Date") + " and "
                   + Format(cend->date(), "Short Date"));
    ul->PrintSubTitle(gInstName + ", " + gInstCity + ", " + Format(System::today(), "Short Date"));
    ul->PrintOption(2);
    ul->PrintList();
}
