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
#include "platform/db/statement.h"
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

#include <algorithm>
#include <cstdio>

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

// A keyword matcher for the rows of one fill: Searchform::Matches's answer, with a text of
// ASCII alone against an ASCII keyword compared byte by byte (the same answer without making a
// QString of every title), and each account's answer kept for its later bookings.
class KeywordMatch
{
public:
    explicit KeywordMatch(const QString &keyword)
        : m_keyword(keyword), m_latin1(keyword.toLatin1()),
          m_ascii(std::all_of(keyword.begin(), keyword.end(),
                              [](QChar c) { return c.unicode() < 0x80; }))
    {
    }

    bool empty() const { return m_keyword.isEmpty(); }

    bool number(int32_t bookingnr) const
    {
        char text[16];
        const int n = std::snprintf(text, sizeof text, " %d", bookingnr);
        return holds(text, n);
    }

    // A UTF-8 text; null holds nothing.
    bool holds(const char *text, int bytes) const
    {
        if (!text)
            return false;
        if (m_ascii && std::all_of(text, text + bytes,
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return QLatin1StringView(text, bytes).contains(QLatin1StringView(m_latin1),
                                                           Qt::CaseInsensitive);
        return QString::fromUtf8(text, bytes).contains(m_keyword, Qt::CaseInsensitive);
    }

    bool account(qint64 id, const QVariant &name)
    {
        auto it = m_accounts.constFind(id);
        if (it == m_accounts.constEnd()) {
            const bool found = !name.isNull() && name.toString().contains(m_keyword,
                                                                          Qt::CaseInsensitive);
            it = m_accounts.insert(id, found);
        }
        return *it;
    }

private:
    QString m_keyword;
    QByteArray m_latin1;
    bool m_ascii;
    QHash<qint64, bool> m_accounts;
};

struct Item
{
    qint64 kind = 0;
    QString name;
};

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
        "SELECT Bookingnr, Bdato, bstart, bslut, kontonr, Lokalenr, Beskrivelse FROM booking "
        "WHERE Bdato >= :from AND Bdato <= :to ORDER BY Bdato, bstart, Bookingnr");
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
    if (SList->RowCount() > 0)
        return;
    // The rows of searchforny: the period's bookings in its order, read from the index of the
    // bookings by day alone; the kind and name of each item and the name of each account are
    // read once per fill and joined here, as the stored query joins them.
    auto db = Dao::Database::open(gDatabasePath);
    QHash<qint64, Item> items;
    {
        Dao::Statement st(db->handle(), "SELECT lokalenr, Gruppeart, Lokalenavn FROM lokale");
        while (st.step())
            items.insert(st.value(0).toLongLong(),
                         {st.value(1).isNull() ? -1 : st.value(1).toLongLong(),
                          st.value(2).toString()});
    }
    QHash<qint64, QVariant> accounts;
    {
        Dao::Statement st(db->handle(), "SELECT ID, Kontonavn FROM Konti");
        while (st.step())
            accounts.insert(st.value(0).toLongLong(), st.value(1));
    }
    const qint64 kinds[3] = {gart1->text().toInt(), gart2->text().toInt(), gart3->text().toInt()};
    KeywordMatch match(SSB->text());

    // Rows come by day and many share a time: each text is formatted once per fill.
    QHash<int32_t, QString> days;
    QHash<int32_t, QString> times;
    auto cached = [](QHash<int32_t, QString> &cache, int32_t key, auto format) {
        auto it = cache.constFind(key);
        if (it == cache.constEnd())
            it = cache.insert(key, format(key));
        return *it;
    };
    auto time = [&](int32_t minutes) {
        return cached(times, minutes, [](int32_t m) {
            return Format(Extrafunktioner::MinutesToTime(m), "HH.mm");
        });
    };

    Dao::Statement st(db->handle(), SearchSql().replace(":from", "?1").replace(":to", "?2"));
    st.bind(1, m_period->from());
    st.bind(2, m_period->to());
    sqlite3_stmt *row = st.get();
    int added = 0;
    while (added < ListFill::kMaxRows && st.step()) {
        const auto item = items.constFind(sqlite3_column_int64(row, 5));
        if (sqlite3_column_type(row, 5) == SQLITE_NULL || item == items.constEnd()
            || std::find(std::begin(kinds), std::end(kinds), item->kind) == std::end(kinds))
            continue;
        const int32_t nr = int32_t(sqlite3_column_int64(row, 0));
        const bool titled = sqlite3_column_type(row, 6) != SQLITE_NULL;
        const auto *title = titled ? reinterpret_cast<const char *>(sqlite3_column_text(row, 6))
                                   : nullptr;
        const int titleBytes = titled ? sqlite3_column_bytes(row, 6) : 0;
        const bool hasAccount = sqlite3_column_type(row, 4) != SQLITE_NULL;
        const qint64 accountId = sqlite3_column_int64(row, 4);
        const auto account = hasAccount ? accounts.constFind(accountId) : accounts.constEnd();
        const bool named = account != accounts.constEnd();
        if (!match.empty() && !match.number(nr) && !match.holds(title, titleBytes)
            && !(named && match.account(accountId, *account)))
            continue;
        const QString day = cached(days, int32_t(sqlite3_column_int64(row, 1)), [](int32_t d) {
            return Format(DayNumberToDate(d), gDateFormat);
        });
        const QStringList cells{day,
                                item->name,
                                title ? QString::fromUtf8(title, titleBytes) : QString(),
                                time(int32_t(sqlite3_column_int64(row, 2))),
                                time(int32_t(sqlite3_column_int64(row, 3))),
                                named ? account->toString() : QString()};
        SList->AddRow(cells.join(';'), nr);
        ++added;
    }
    st.finalize();
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
