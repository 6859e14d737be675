#include "reports/searchform.h"

#include "reports/hiddenbox.h"
#include "reports/listselection.h"
#include "reports/searchkeyword.h"

#include "core/bookingeditor.h"
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
#include "platform/db/recordset.h"
#include "platform/db/statement.h"
#include "platform/system.h"
#include "reports/searchinfoform.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

#include <sys/stat.h>

#include <sqlite3.h>

using namespace Generalen;
using Extrafunktioner::DateToDayNumber;
using Extrafunktioner::DayNumberToDate;

namespace {

using SearchKeyword::KeywordMatch;
using SearchKeyword::trigramQuery;

// The booking tool bar's Search: modeless, no owner.
const Commands::Registrar registrar([] {
    Commands::add({.surface = Commands::BookingBar, .id = 14, .group = 2, .order = 10,
                   .tip = "Search", .picture = "search",
                   .action = [](PlannerView &) { Forms::get<Searchform>()->Show(); }});
});

using ReportForms::hiddenBox;

constexpr int HalfYear = 183;

// A text column as a QString; Null is the null QString.
QString columnText(sqlite3_stmt *row, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(row, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(row, column)) : QString();
}

// What decides whether a booking of the period is listed: its item is of a chosen kind, and
// the keyword is in its number, its title or its account's name.
struct Filter
{
    QHash<qint64, QString> items;   // the items of the chosen kinds, with their names
    QSet<qint64> namedAccounts;     // the accounts whose names hold the keyword
    KeywordMatch match{QString()};

    bool listed(sqlite3_value *item, sqlite3_value *bookingnr, sqlite3_value *title,
                sqlite3_value *account) const
    {
        if (sqlite3_value_type(item) == SQLITE_NULL
            || !items.contains(sqlite3_value_int64(item)))
            return false;
        if (match.empty())
            return true;
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(title));
        return match.number(int32_t(sqlite3_value_int64(bookingnr)))
               || match.holds(text, text ? sqlite3_value_bytes(title) : 0)
               || (sqlite3_value_type(account) != SQLITE_NULL
                   && namedAccounts.contains(sqlite3_value_int64(account)));
    }
};

// The SQL function search_listed(Lokalenr, Bookingnr, Beskrivelse, kontonr) of one fill:
// SQLite asks it of every booking of the period, so that only the listed ones come back.
void listedFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    const auto *filter = static_cast<const Filter *>(sqlite3_user_data(context));
    sqlite3_result_int(context, filter->listed(args[0], args[1], args[2], args[3]));
}

struct Item
{
    qint64 kind = -1;
    QString name;
};

// The file a path names: its device and inode, none when there is no file. A file put in the
// place of another has other ones, while the file a connection holds open keeps its own.
using FileId = std::pair<dev_t, ino_t>;

std::optional<FileId> fileAt(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileId(info.st_dev, info.st_ino);
}

// The most bookings that the trigram index and the accounts' names may offer for a keyword for
// the fill to look only at those; with more, it reads the period in its order, where the rows
// it lists come soon. And the most accounts whose names hold a keyword that it looks up.
constexpr int kMaxCandidates = 4000;
constexpr int kMaxNamedAccounts = 200;

// The count that SQLite moves on a connection whenever another connection has committed to
// its file.
qint64 dataVersion(sqlite3 *db)
{
    Dao::Statement st(db, "PRAGMA data_version");
    st.step();
    return sqlite3_column_int64(st.get(), 0);
}

} // namespace

// The form's own connection to the bookingfile, with the items and accounts it read and the
// prepared search, kept from one fill to the next: the keystrokes of a search then find the
// period's bookings in SQLite's page cache. It serves only while it reads the file as it is:
// once another connection has committed to the file (this one only reads) or the path names
// another file, the next fill opens afresh, so every fill lists what a fresh one would.
struct Searchform::Source
{
    explicit Source(const QString &path);
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;

    bool reads(const QString &path) const
    {
        return path == db->path() && file && fileAt(path) == file
               && dataVersion(db->handle()) == version;
    }
    Dao::Statement narrowed(const QString &keyword, const QSet<qint64> &accounts, int32_t from,
                            int32_t to) const;

    std::optional<FileId> file;   // none when the file was replaced while it opened
    std::unique_ptr<Dao::Database> db;
    qint64 version = 0;
    QHash<qint64, Item> items;
    QHash<qint64, QString> accounts;
    Filter filter;   // what search_listed asks of each booking in this fill
    Dao::Statement search;
};

Searchform::Source::Source(const QString &path)
    : file(fileAt(path)), db(Dao::Database::open(path))
{
    if (fileAt(path) != file)
        file.reset();
    sqlite3 *h = db->handle();
    // Read before the items and accounts: a commit after it shows at the next fill.
    version = dataVersion(h);
    {
        Dao::Statement st(h, "SELECT lokalenr, Gruppeart, Lokalenavn FROM lokale");
        sqlite3_stmt *row = st.get();
        while (st.step()) {
            const qint64 kind = sqlite3_column_type(row, 1) == SQLITE_NULL
                                    ? -1
                                    : sqlite3_column_int64(row, 1);
            items.insert(sqlite3_column_int64(row, 0), {kind, columnText(row, 2)});
        }
    }
    {
        Dao::Statement st(h, "SELECT ID, Kontonavn FROM Konti");
        sqlite3_stmt *row = st.get();
        while (st.step())
            accounts.insert(sqlite3_column_int64(row, 0), columnText(row, 1));
    }
    if (sqlite3_create_function_v2(h, "search_listed", 4, SQLITE_UTF8 | SQLITE_DIRECTONLY,
                                   &filter, listedFunction, nullptr, nullptr, nullptr)
        != SQLITE_OK)
        throw Dao::Statement::lastError(h, path);
    search = Dao::Statement(h, SearchSql().replace(":from", "?1").replace(":to", "?2"));
}

// The bookings of the period that a keyword may find, when there are few: those whose title or
// number holds each of the keyword's sequences of three characters in one of their cases (read
// from the trigram index), and those of the accounts whose names hold it; each then goes
// through the fill's filter, and they come in the order of the scan of the period. An invalid
// statement when the index cannot answer the keyword or offers too many bookings.
Dao::Statement Searchform::Source::narrowed(const QString &keyword, const QSet<qint64> &accounts,
                                            int32_t from, int32_t to) const
{
    const QString query = trigramQuery(keyword);
    if (query.isEmpty() || accounts.size() > kMaxNamedAccounts)
        return {};
    sqlite3 *h = db->handle();
    QStringList numbers;
    for (qint64 account : accounts)
        numbers << QString::number(account);
    const QString ofAccounts =
        numbers.isEmpty() ? QString()
                          : "SELECT Bookingnr FROM booking WHERE kontonr IN (" + numbers.join(',')
                                + ") AND Bdato >= ?1 AND Bdato <= ?2";
    const auto count = [&](const QString &sql) {
        Dao::Statement st(h, "SELECT count(*) FROM (" + sql + " LIMIT ?4)");
        st.bind(1, from);
        st.bind(2, to);
        if (sql.contains("?3"))
            st.bind(3, query);
        st.bind(4, kMaxCandidates + 1);
        return st.step() ? sqlite3_column_int(st.get(), 0) : 0;
    };
    const QString ofTexts = "SELECT rowid AS nr FROM booking_trigram WHERE booking_trigram MATCH ?3";
    int offered = count(ofTexts);
    if (offered <= kMaxCandidates && !ofAccounts.isEmpty())
        offered += count(ofAccounts);
    if (offered > kMaxCandidates)
        return {};
    Dao::Statement st(h, "SELECT b.Bookingnr, b.Bdato, b.bstart, b.bslut, b.kontonr, b.Lokalenr, "
                         "b.Beskrivelse FROM (" + ofTexts
                             + (ofAccounts.isEmpty() ? QString() : " UNION " + ofAccounts)
                             + ") AS c CROSS JOIN booking AS b ON b.Bookingnr = c.nr "
                               "WHERE b.Bdato >= ?1 AND b.Bdato <= ?2 AND "
                               "search_listed(b.Lokalenr, b.Bookingnr, b.Beskrivelse, b.kontonr) "
                               "ORDER BY b.Bdato, b.bstart, b.Bookingnr");
    st.bind(1, from);
    st.bind(2, to);
    st.bind(3, query);
    return st;
}

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
    ListParts::addTextColumns(*SList, {{"Date", 60},
                                       {"Resource", 120},
                                       {"Booking", 100},
                                       {"From", 40},
                                       {"To", 40},
                                       {"Account", 100}});
}

QString Searchform::SearchSql()
{
    return QStringLiteral(
        "SELECT Bookingnr, Bdato, bstart, bslut, kontonr, Lokalenr, Beskrivelse FROM booking "
        "WHERE Bdato >= :from AND Bdato <= :to "
        "AND search_listed(Lokalenr, Bookingnr, Beskrivelse, kontonr) "
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

Searchform::~Searchform() = default;

void Searchform::FillSearchList()
{
    if (SList->RowCount() > 0)
        return;
    // Taken for the fill and kept again after it: a fill that fails keeps none.
    std::unique_ptr<Source> source = std::move(m_source);
    if (source && !source->reads(gDatabasePath))
        source.reset();
    if (!source)
        source = std::make_unique<Source>(gDatabasePath);

    // The rows of searchforny: the period's bookings in its order, read from the index of the
    // bookings by day alone. The kind and name of each item and the name of each account are
    // joined here; SQLite runs the filter on each booking, so only the listed ones come back.
    const qint64 kinds[3] = {gart1->text().toInt(), gart2->text().toInt(), gart3->text().toInt()};
    Filter &filter = source->filter;
    filter.match = KeywordMatch(SSB->text());
    filter.items.clear();
    for (auto it = source->items.cbegin(); it != source->items.cend(); ++it) {
        if (std::find(std::begin(kinds), std::end(kinds), it->kind) != std::end(kinds))
            filter.items.insert(it.key(), it->name);
    }
    filter.namedAccounts.clear();
    if (!filter.match.empty()) {
        for (auto it = source->accounts.cbegin(); it != source->accounts.cend(); ++it) {
            if (filter.match.holds(*it))
                filter.namedAccounts.insert(it.key());
        }
    }

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

    // A keyword that few bookings hold is sought in the trigram index; any other is matched
    // against every booking of the period, in its order, until the list is full.
    Dao::Statement narrowed = filter.match.empty() ? Dao::Statement()
                                                   : source->narrowed(SSB->text(),
                                                                      filter.namedAccounts,
                                                                      m_period->from(),
                                                                      m_period->to());
    Dao::Statement &st = narrowed.isValid() ? narrowed : source->search;
    if (!narrowed.isValid()) {
        st.bind(1, m_period->from());
        st.bind(2, m_period->to());
    }
    sqlite3_stmt *row = st.get();
    int added = 0;
    while (added < ListFill::kMaxRows && st.step()) {
        const QString day = cached(days, int32_t(sqlite3_column_int64(row, 1)), [](int32_t d) {
            return Format(DayNumberToDate(d), gDateFormat);
        });
        const QString account = sqlite3_column_type(row, 4) == SQLITE_NULL
                                    ? QString()
                                    : source->accounts.value(sqlite3_column_int64(row, 4));
        const QStringList cells{day,
                                filter.items.value(sqlite3_column_int64(row, 5)),
                                columnText(row, 6),
                                time(int32_t(sqlite3_column_int64(row, 2))),
                                time(int32_t(sqlite3_column_int64(row, 3))),
                                account};
        SList->AddRow(cells.join(';'), int32_t(sqlite3_column_int64(row, 0)));
        ++added;
    }
    st.reset();   // ends the read, which would keep other connections from writing
    m_source = std::move(source);
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
    if (PlannerView *day = PlannerViews::loaded(Commands::DayView))
        day->ShowCurrentPlace();
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
    if (PlannerView *week = PlannerViews::loaded(Commands::WeekView))
        week->ShowCurrentPlace();
    if (Extrafunktioner::CanEditAccountBookings(b.account)) {
        OpenBookingForEdit(b.bookingnr);
    } else {
        Unload();
        ShowBookingInfo(b.bookingnr);
    }
}

void Searchform::OpenBookingForEdit(int32_t n) { BookingEditor::open(n); }

void Searchform::ShowBookingInfo(int32_t n) { Forms::get<Searchinfoform>()->ShowBooking(n); }
