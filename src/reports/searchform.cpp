#include "reports/searchform.h"

#include "reports/hiddenbox.h"
#include "reports/listselection.h"

#include "bookings/bookingform.h"
#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "planner/calendar.h"
#include "planner/calmdag.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/periodpair.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/system.h"
#include "reports/searchinfoform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <sqlite3.h>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;
using Extrafunktioner::DayNumberToDate;

namespace {

// The booking tool bar's Search: modeless, no owner.
const Commands::Registrar registrar([] {
    Commands::add({.surface = Commands::BookingBar, .id = 14, .group = 2, .order = 10,
                   .tip = "Search", .picture = "search",
                   .action = [](PlannerView &) { Forms::get<Searchform>()->Show(); }});
});

using ReportForms::hiddenBox;

constexpr int HalfYear = 183;

// holdskeyword(keyword, Bookingnr, Beskrivelse, Kontonavn): Searchform::Matches as an SQL
// function, so that the walk hands only the found bookings to the list. The keyword comes as
// a bound value; its text is read once per statement.
void holdsKeyword(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *keyword = static_cast<QString *>(sqlite3_get_auxdata(ctx, 0));
    if (!keyword) {
        const auto *k = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        keyword = new QString(QString::fromUtf8(k ? k : ""));
        sqlite3_set_auxdata(ctx, 0, keyword, [](void *p) { delete static_cast<QString *>(p); });
        keyword = static_cast<QString *>(sqlite3_get_auxdata(ctx, 0));
        if (!keyword) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    auto text = [&](int i) -> QVariant {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return QVariant();
        const auto *t = reinterpret_cast<const char *>(sqlite3_value_text(argv[i]));
        return QString::fromUtf8(t, sqlite3_value_bytes(argv[i]));
    };
    const bool found = Searchform::Matches(*keyword, int32_t(sqlite3_value_int64(argv[1])),
                                           text(2), text(3));
    sqlite3_result_int(ctx, found ? 1 : 0);
}

} // namespace

Searchform::Searchform()
{
    setObjectName("Searchform");
    setWindowTitle("Vantix  -  Search  Bookings");

    SSB = new QLineEdit(this);
    SSB->setObjectName("SSB");
    startdate = new DatePicker(this);
    startdate->setObjectName("startdate");
    slutdate = new DatePicker(this);
    slutdate->setObjectName("slutdate");
    Sort = new QGroupBox(this);
    Sort->setObjectName("Sort");
    optall = new QRadioButton("All", Sort);
    optall->setObjectName("optall");
    Optdom = new QRadioButton("Domestic", Sort);
    Optdom->setObjectName("Optdom");
    Optadd = new QRadioButton("Add-On", Sort);
    Optadd->setObjectName("Optadd");
    OptSA = new QRadioButton("Stand-Alone", Sort);
    OptSA->setObjectName("OptSA");
    optall->setChecked(true);
    Reset = new QPushButton("Reset !", this);
    Reset->setObjectName("Reset");
    Info = new QPushButton("Open Info", this);
    Info->setObjectName("Info");
    Close = new QPushButton("Exit", this);
    Close->setObjectName("Close");
    D = new QLabel("Doubleclick to access booking details", this);
    D->setObjectName("D");
    SList = new ListGrid(this);
    SList->setObjectName("SList");
    SList->setMinimumSize(680, 360);   // the six columns side by side
    gart1 = hiddenBox(this, "gart1");
    gart2 = hiddenBox(this, "gart2");
    gart3 = hiddenBox(this, "gart3");
    startd = hiddenBox(this, "startd");
    slutd = hiddenBox(this, "slutd");

    auto *keywordLabel = new QLabel("Keyword or bookingnumber", this);
    keywordLabel->setBuddy(SSB);
    auto *fromLabel = new QLabel("From", this);
    fromLabel->setBuddy(startdate);
    auto *toLabel = new QLabel("To", this);
    toLabel->setBuddy(slutdate);
    auto *criteria = new QGridLayout;
    criteria->addWidget(keywordLabel, 0, 0);
    criteria->addWidget(SSB, 0, 1, 1, 3);
    criteria->addWidget(fromLabel, 1, 0);
    criteria->addWidget(startdate, 1, 1);
    criteria->addWidget(toLabel, 1, 2);
    criteria->addWidget(slutdate, 1, 3);
    criteria->setColumnStretch(1, 1);
    criteria->setColumnStretch(3, 1);
    auto *kinds = new QHBoxLayout(Sort);
    for (QRadioButton *b : {optall, Optdom, Optadd, OptSA})
        kinds->addWidget(b);
    auto *head = new QHBoxLayout;
    head->addLayout(criteria, 1);
    head->addWidget(Sort);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(D);
    buttons->addStretch();
    buttons->addWidget(Reset);
    buttons->addWidget(Info);
    buttons->addWidget(Close);
    auto *top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addWidget(SList, 1);
    top->addLayout(buttons);

    m_period = new PeriodPair(startdate, slutdate, this);
    connect(m_period, &PeriodPair::periodChecked, this, [this] {
        showPeriod();
        Reload();
    });
    connect(SSB, &QLineEdit::textChanged, this, &Searchform::SSB_Change);
    for (QRadioButton *b : {optall, Optdom, Optadd, OptSA})
        connect(b, &QRadioButton::clicked, this, &Searchform::Sort_Click);
    connect(Reset, &QPushButton::clicked, this, &Searchform::Reset_Click);
    connect(Info, &QPushButton::clicked, this, &Searchform::Info_Click);
    connect(Close, &QPushButton::clicked, this, &Searchform::Close_Click);
    connect(SList, &ListGrid::DblClick, this, &Searchform::SList_DblClick);
    setDialogKeys([this] { pressFocusedButton(); }, [this] { Close_Click(); });
}

void Searchform::Form_Activate()
{
    setPeriodToHalfYear();
    startdate->setDateFormat(gDateFormat);
    slutdate->setDateFormat(gDateFormat);
    gart1->setText("1");
    gart2->setText("2");
    gart3->setText("3");
    SList->ClearRows();
    SList->ClearColumns();
    SetupSearchColumns();
    FillSearchList();
}

void Searchform::setPeriodToHalfYear()
{
    const int32_t today = DateToDayNumber(System::today());
    m_period->setPeriod(today, today + HalfYear);
    showPeriod();
}

void Searchform::showPeriod()
{
    startd->setText(QString::number(m_period->from()));
    slutd->setText(QString::number(m_period->to()));
}

void Searchform::Reload()
{
    if (m_resetting)
        return;
    SList->ClearRows();
    FillSearchList();
}

void Searchform::startdate_DateChange() { m_period->startChanged(); }

void Searchform::slutdate_DateChange() { m_period->endChanged(); }

void Searchform::setKinds(int g1, int g2, int g3)
{
    gart1->setText(QString::number(g1));
    gart2->setText(QString::number(g2));
    gart3->setText(QString::number(g3));
}

void Searchform::Sort_Click()
{
    if (Optdom->isChecked())
        setKinds(1, 1, 1);
    else if (Optadd->isChecked())
        setKinds(2, 2, 2);
    else if (OptSA->isChecked())
        setKinds(3, 3, 3);
    else
        setKinds(1, 2, 3);
    Reload();
}

void Searchform::Reset_Click()
{
    // One refill for the whole reset rather than one per cleared criterion.
    m_resetting = true;
    optall->setChecked(true);
    setKinds(1, 2, 3);
    SSB->clear();
    setPeriodToHalfYear();
    m_resetting = false;
    Reload();
}

void Searchform::SetupSearchColumns()
{
    const std::pair<const char *, int> columns[] = {{"Date", 60},    {"Resource", 120},
                                                    {"Booking", 100}, {"From", 40},
                                                    {"To", 40},       {"Account", 100}};
    for (const auto &[caption, width] : columns) {
        const int column = SList->AddColumn(caption, width);
        SList->ColumnStyle(column, 0);
        SList->ColumnFlag(column, true);
    }
}

QString Searchform::SearchSql()
{
    return QStringLiteral(
        "SELECT Bookingnr, Beskrivelse, Kontonavn, Bdato, gruppeart, bstart, bslut, Lokalenavn "
        "FROM searchforny WHERE Bdato >= :from AND Bdato <= :to "
        "AND gruppeart IN (:g1, :g2, :g3) "
        "AND holdskeyword(:keyword, Bookingnr, Beskrivelse, Kontonavn) "
        "ORDER BY Bdato, bstart, Bookingnr");
}

bool Searchform::Matches(const QString &keyword, int32_t bookingnr, const QVariant &title,
                         const QVariant &account)
{
    auto holds = [&](const QVariant &v) {
        return !v.isNull() && v.toString().contains(keyword, Qt::CaseInsensitive);
    };
    return (QLatin1Char(' ') + QString::number(bookingnr)).contains(keyword, Qt::CaseInsensitive)
           || holds(title) || holds(account);
}

void Searchform::FillSearchList()
{
    // Rows come by day and many share a time: each text is formatted once per fill.
    QHash<int32_t, QString> days;
    QHash<int32_t, QString> times;
    auto cached = [](QHash<int32_t, QString> &cache, int32_t key, auto format) {
        auto it = cache.constFind(key);
        if (it == cache.constEnd())
            it = cache.insert(key, format(key));
        return *it;
    };
    ListFill::Rows rows;
    rows.cells = [&](const Dao::Recordset &rs) {
        auto time = [&](const char *field) {
            return cached(times, int32_t(rs.integer(field)), [](int32_t m) {
                return Format(Extrafunktioner::MinutesToTime(m), "HH.mm");
            });
        };
        const QString day = cached(days, int32_t(rs.integer("Bdato")), [](int32_t d) {
            return Format(DayNumberToDate(d), gDateFormat);
        });
        return QStringList{day, rs.text("Lokalenavn"), rs.text("Beskrivelse"), time("bstart"),
                           time("bslut"), rs.text("Kontonavn")};
    };
    rows.keyField = "Bookingnr";
    const QVariantMap values{{"from", m_period->from()},     {"to", m_period->to()},
                             {"g1", gart1->text().toInt()}, {"g2", gart2->text().toInt()},
                             {"g3", gart3->text().toInt()}, {"keyword", SSB->text()}};
    if (SList->RowCount() > 0)
        return;
    auto db = Dao::Database::open(gDatabasePath);
    sqlite3_create_function_v2(db->handle(), "holdskeyword", 4,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               holdsKeyword, nullptr, nullptr, nullptr);
    auto records =
        db->OpenRecordset(SearchSql(), Dao::Bindings(values), Dao::RecordsetType::ForwardOnly);
    ListFill::fill(*SList, *records, rows);
    records->Close();
    db->Close();
}

void Searchform::OpenSelectedBooking()
{
    const int32_t n = ListSelection::selectedKey(*SList);
    if (n < 0)
        return;
    Found b;
    QVariant group, type;
    int32_t day = 0;
    bool found = false;
    {
        auto db = Dao::Database::open(gDatabasePath);
        auto rs = db->OpenRecordset(
            "SELECT Bookingnr, Bdato, Kontonr, lokalenr, lokalinr, Overgruppenr FROM bookingS "
            "WHERE Bookingnr = ?",
            Dao::Bindings(QVariantList{n}), Dao::RecordsetType::Snapshot);
        if (!rs->EOF_()) {
            found = true;
            b.bookingnr = n;
            day = int32_t(rs->integer("Bdato"));
            b.account = int32_t(rs->integer("Kontonr"));
            b.item = int32_t(rs->integer("lokalenr"));
            group = rs->Field("Overgruppenr");
            type = rs->Field("lokalinr");
        }
        rs->Close();
        db->Close();
    }
    if (!found) {
        // Deleted by another copy of the program after the list was filled.
        ListSelection::reportBookingGone();
        Reload();
        return;
    }
    gCurrentDay = day;
    // A booking whose item or type is gone keeps the planner on its group and type.
    const bool placeExists = !group.isNull() && !type.isNull();
    if (placeExists) {
        gCurrentGroupNo = int32_t(group.toLongLong());
        gCurrentTypeNo = int32_t(type.toLongLong());
    }
    if (gActiveMainForm == 1)
        GotoBookingInCalendar(b);
    else
        GotoBookingInCalMdag(b, placeExists);
}

void Searchform::GotoBookingInCalendar(const Found &b)
{
    const bool canEdit = Extrafunktioner::CanEditAccountBookings(b.account);
    if (Forms::isLoaded<Calendar>())
        static_cast<PlannerView *>(Forms::get<Calendar>())->ShowCurrentPlace();
    Unload();
    if (canEdit)
        OpenBookingForEdit(b.bookingnr);
    else
        ShowBookingInfo(b.bookingnr);
}

void Searchform::GotoBookingInCalMdag(const Found &b, bool itemExists)
{
    if (itemExists)
        gCurrentItemNo = b.item;
    gWeekStartDay = DateToDayNumber(Extrafunktioner::WeekStartDate(DayNumberToDate(gCurrentDay)));
    if (Forms::isLoaded<CalMdag>())
        static_cast<PlannerView *>(Forms::get<CalMdag>())->ShowCurrentPlace();
    if (Extrafunktioner::CanEditAccountBookings(b.account)) {
        OpenBookingForEdit(b.bookingnr);
    } else {
        Unload();
        ShowBookingInfo(b.bookingnr);
    }
}

void Searchform::OpenBookingForEdit(int32_t n) { Forms::get<bookingform>()->ShowBooking(n); }

void Searchform::ShowBookingInfo(int32_t n) { Forms::get<Searchinfoform>()->ShowBooking(n); }
