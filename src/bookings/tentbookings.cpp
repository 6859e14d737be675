#include "bookings/tentbookings.h"

#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/plannerview.h"
#include "planner/plannerbars.h"
#include "platform/controls/listfill.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QHBoxLayout>
#include <QHash>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

// The main menu's Tentative Bookings: modal, owned by the view, administrators only.
const Commands::Registrar registrar([] {
    Commands::add({.id = 26, .menu = 2, .order = 20, .caption = "Tentative Bookings",
                   .adminOnly = true, .action = [](PlannerView &view) {
                       Forms::get<TentBookings>()->Show(Form::Modal, &view.form());
                   }});
});

constexpr int ConfColumn = 1;

} // namespace

TentBookings::TentBookings()
{
    setObjectName("TentBookings");
    setWindowTitle("Vantix - Tentative Bookings Administration");

    tentList = new ListGrid(this);
    tentList->setObjectName("tentList");
    tentList->setMinimumSize(840, 380);   // the eight columns side by side
    Printbutton = PlannerBars::printButton(this);
    Refresh = new QPushButton("Refresh", this);
    Refresh->setObjectName("Refresh");
    ConAll = new QPushButton("Confirm All", this);
    ConAll->setObjectName("ConAll");
    Luk = new QPushButton("Exit", this);
    Luk->setObjectName("Luk");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Printbutton);
    buttons->addStretch();
    buttons->addWidget(Refresh);
    buttons->addWidget(ConAll);
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addWidget(tentList, 1);
    top->addLayout(buttons);

    connect(tentList, &ListGrid::CheckClick, this, &TentBookings::tentList_CheckClick);
    connect(ConAll, &QPushButton::clicked, this, &TentBookings::ConAll_Click);
    connect(Refresh, &QPushButton::clicked, this, &TentBookings::Refresh_Click);
    connect(Printbutton, &QPushButton::clicked, this, &TentBookings::Printbutton_Click);
    connect(Luk, &QPushButton::clicked, this, &TentBookings::Luk_Click);
    setDialogKeys([this] { pressFocusedButton(); }, [this] { Luk_Click(); });
}

void TentBookings::Form_Load()
{
    SetupTentativeColumns();
    FillTentativeList();
}

void TentBookings::SetupTentativeColumns()
{
    for (const char *caption : {"Conf.", "Del."}) {
        const int column = tentList->AddColumn(caption, 40);
        tentList->ColumnCheck(column, 1);
        tentList->ColumnAlignment(column, 2);
    }
    struct Text { const char *caption; int width; bool centred; };
    const Text texts[] = {{"Date", 70, true},      {"Start", 50, true},   {"End", 50, true},
                          {"Resource", 120, false}, {"Account", 120, false},
                          {"Contact", 70, true}};
    for (const Text &t : texts) {
        const int column = tentList->AddColumn(t.caption, t.width);
        tentList->ColumnStyle(column, 0);
        if (t.centred)
            tentList->ColumnAlignment(column, 2);
        tentList->ColumnFlag(column, true);
    }
}

void TentBookings::FillTentativeList()
{
    // Rows come by day and many share a time: each text is formatted once per fill.
    QHash<qint64, QString> days;
    QHash<qint64, QString> times;
    auto cached = [](QHash<qint64, QString> &cache, qint64 key, auto format) {
        auto it = cache.constFind(key);
        if (it == cache.constEnd())
            it = cache.insert(key, format(key));
        return *it;
    };
    ListFill::Rows rows;
    rows.cells = [&](const Dao::Recordset &rs) {
        auto time = [&](const char *field) {
            return cached(times, rs.integer(field), [](qint64 seconds) {
                return Format(Extrafunktioner::MinutesToTime(SecondsToMinutes(seconds)),
                              "hh:mm");
            });
        };
        const QString date = cached(days, rs.integer("Bdato"), [](qint64 d) {
            return Format(Extrafunktioner::DayNumberToDate(int32_t(d)), gDateFormat);
        });
        // The two check columns start empty.
        return QStringList{QString(), QString(), date, time("Start"), time("Slut"),
                           rs.text("Lokalenavn"), rs.text("Kontonavn"), rs.text("Kontotlf")};
    };
    rows.keyField = "Bookingnr";
    ListFill::fill(*tentList, gDatabasePath, "bookingtent", rows);
}

void TentBookings::RefreshTentativeList()
{
    tentList->ClearColumns();
    tentList->ClearRows();
    SetupTentativeColumns();
    FillTentativeList();
}

void TentBookings::tentList_CheckClick(int row, short column, int value)
{
    if (row < 0 || row >= tentList->RowCount())
        return;
    const int32_t n = tentList->RowData(row);
    if (column == ConfColumn) {
        SetTentativeFlag(n, value);
        return;
    }
    DeleteTentativeBooking(n);
    RefreshTentativeList();
}

void TentBookings::SetTentativeFlag(int32_t n, int state)
{
    withBooking(n, [state](Dao::Recordset &rs) {
        rs.Edit();
        rs.SetField("Tentative", state != 1);
        rs.Update();
    });
}

void TentBookings::DeleteTentativeBooking(int32_t n)
{
    withBooking(n, [](Dao::Recordset &rs) {
        if (MsgBox::show("Confirm deletion ?",
                         MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2, "Confirm")
            == MsgBox::Yes)
            rs.Delete();
    });
}

// Runs act on booking n, found by its key; a booking that is no longer there is reported.
void TentBookings::withBooking(int32_t n, const std::function<void(Dao::Recordset &)> &act)
{
    auto db = Dao::Database::open(gDatabasePath);
    auto rs = db->OpenRecordset("booking", Dao::RecordsetType::Table);
    rs->SetIndex("Primarykey");
    rs->Seek("=", n);
    const bool found = !rs->NoMatch();
    if (found)
        act(*rs);
    rs->Close();
    db->Close();
    if (!found)
        reportMissing();
}

// Another copy of the program deleted the booking after the list was filled.
void TentBookings::reportMissing()
{
    MsgBox::show("The booking is no longer in the bookingfile. It may have been deleted.",
                 MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
    RefreshTentativeList();
}

void TentBookings::ConAll_Click()
{
    // No is the default: one Enter does not confirm every tentative booking.
    if (MsgBox::show("Approve confirmation of all tentative bookings",
                     MsgBox::YesNo | MsgBox::DefaultButton2, "Bulk Confirmation")
        != MsgBox::Yes)
        return;
    // Only the tentative bookings are written, in one statement.
    auto db = Dao::Database::open(gDatabasePath);
    Dao::Transaction transaction(*db);
    db->Execute("UPDATE booking SET Tentative = 0 WHERE Tentative <> 0");
    transaction.commit();
    db->Close();
    Unload();
}

void TentBookings::Printbutton_Click()
{
    tentList->PrintTitle("Tentative Bookings");
    tentList->PrintSubTitle(gInstName + ", " + gInstCity + ", "
                            + Format(System::today(), "Short Date"));
    tentList->PrintOption(2);
    tentList->PrintList();
}
