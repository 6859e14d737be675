#include "planner/calmdag.h"

#include "bookings/bookingform.h"
#include "core/commands.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/calendar.h"
#include "planner/clipboard.h"
#include "planner/gridedit.h"
#include "planner/plannerbars.h"
#include "planner/plannercommands.h"
#include "planner/plannerdata.h"
#include "planner/plannerlook.h"
#include "planner/scheduleprint.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/toolbar.h"
#include "platform/system.h"
#include "reports/searchinfoform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Generalen;
using namespace Extrafunktioner;

CalMdag::CalMdag()
{
    setWindowTitle("Vantix - WeekView");
    setObjectName("CalMdag");

    ctToolBar1 = new ToolBar(ToolBar::MenuBar, this);
    ctToolBar1->setObjectName("ctToolBar1");
    PlannerBars::fillMainMenu(*ctToolBar1, Commands::WeekView);
    ctToolBar2 = new ToolBar(ToolBar::Buttons, this);
    ctToolBar2->setObjectName("ctToolBar2");
    PlannerBars::fillBookingBar(*ctToolBar2, Commands::WeekView);
    connect(ctToolBar1, &ToolBar::ButtonClick, this, &CalMdag::ctToolBar1_ButtonClick);
    connect(ctToolBar2, &ToolBar::ButtonClick, this, &CalMdag::ctToolBar2_ButtonClick);
    ctToolBar3 = new ToolBar(ToolBar::Buttons, this);
    ctToolBar3->setObjectName("ctToolBar3");
    PlannerBars::fillWeekBar(*ctToolBar3);

    Data1.setObjectName("Data1");
    Data1.setRecordSource("lokale");
    lnavn = PlannerLook::textBox(this, "lnavn");
    lnr = PlannerLook::textBox(this, "lnr");
    Data1.bind(lnavn, "Lokalenavn");
    Data1.bind(lnr, "lokalenr");
    mdato = PlannerLook::textBox(this, "mdato");
    mdato->hide();
    slettenr = PlannerLook::textBox(this, "slettenr");
    slettenr->hide();

    dd = new PlannerGrid(PlannerGrid::WeekGrid, this);
    dd->setObjectName("dd");
    ctDrop = new DropMenu(this);
    ctDrop->setObjectName("ctDrop");
    connect(ctDrop, &DropMenu::ItemClick, this, &CalMdag::ctDrop_ItemClick);
    ctFileOpen = new FilePicker(this);
    ctFileOpen->setObjectName("ctFileOpen");
    ctFilecreate = new FilePicker(this);
    ctFilecreate->setObjectName("ctFilecreate");

    // Above the grid: the item's name and number.
    PlannerLook::setHeadingFont(lnavn);
    auto *numberLabel = new QLabel("Item no.", this);
    numberLabel->setBuddy(lnr);
    PlannerLook::fitWidth(lnr, "0000000");
    auto *heading = new QHBoxLayout;
    heading->setContentsMargins(10, 6, 10, 4);
    heading->addWidget(lnavn, 1);
    heading->addWidget(numberLabel);
    heading->addWidget(lnr);

    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(ctToolBar1);
    top->addWidget(PlannerLook::barRow(this, {ctToolBar2, ctToolBar3}, nullptr, nullptr));
    top->addWidget(PlannerLook::line(this));
    top->addLayout(heading);
    top->addWidget(dd, 1);
    resize(1180, 760);
    // Ctrl+X, Ctrl+C, Ctrl+V and Delete on the grid do what the booking tool bar does.
    PlannerBars::bindBookingKeys(*dd, Commands::WeekView,
                                 [this](int id) { ctToolBar2_ButtonClick(id); });
    // F1 opens the help file, as Help on the menu does.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [] { System::showHelp(); });

    connect(dd, &PlannerGrid::DblClick, this, &CalMdag::dd_DblClick);
    connect(dd, &PlannerGrid::ItemMenuRequest, this, &CalMdag::dd_ItemMenuRequest);
    connect(dd, &PlannerGrid::ItemAdded, this, &CalMdag::dd_ItemAdded);
    connect(dd, &PlannerGrid::ItemChanged, this, &CalMdag::dd_ItemChanged);
    connect(dd, &PlannerGrid::ItemEdited, this, &CalMdag::dd_ItemEdited);
    connect(dd, &PlannerGrid::ItemDblClick, this, &CalMdag::dd_ItemDblClick);
    connect(ctToolBar3, &ToolBar::ButtonClick, this, &CalMdag::ctToolBar3_ButtonClick);
}

void CalMdag::Form_Load()
{
    Data1.setDatabaseName(gDatabasePath);
    PlannerBars::fillItemMenu(*ctDrop, Commands::WeekView);
    gActiveMainForm = 2;
    gActiveView = 2;
    dd->SetFirstDay(gWeekStartDay);
    mdato->setText(QString::number(gWeekStartDay));
    ApplyGridSettings();
    RefreshWeekView();
    Data1.Refresh();
}

void CalMdag::Form_Activate()
{
    gActiveMainForm = 2;
    ApplyGridSettings();
    PlannerData::refillOnActivation(m_refillFailed, [this] { RefreshWeekView(); });
}

void CalMdag::ApplyGridSettings() { PlannerData::applyGridSettings(*dd); }

void CalMdag::RefreshWeekView()
{
    dd->ClearItems();
    dd->SetFirstDay(gWeekStartDay);
    dd->SetTitle("Week:" + QString::number(ShownWeekNumber()));
    // The heading follows the item, also when it was renamed since the view opened. Before the
    // load has opened Data1 its opener positions it.
    if (Data1.isOpen()) {
        Data1.Refresh();
        Data1.FindFirst("lokalenr = " + QString::number(gCurrentItemNo));
    }
    PlannerData::loadBookings(*dd, PlannerData::weekBookingsSql(gCurrentItemNo, gWeekStartDay),
                              false);
    Clipboard::showCutMark(*dd);
}

void CalMdag::ctToolBar1_ButtonClick(int id) { Commands::run(Commands::MainMenu, id, *this); }

void CalMdag::ctToolBar2_ButtonClick(int id) { Commands::run(Commands::BookingBar, id, *this); }

void CalMdag::ctToolBar3_ButtonClick(int id)
{
    Commands::run(Commands::WeekBar, id, *this);
    RefreshWeekView();
}

void CalMdag::ctDrop_ItemClick(int id) { Commands::run(Commands::ItemMenu, id, *this); }

void CalMdag::OpenBookingFile() { PlannerCommands::openBookingFile(*this, *ctFileOpen); }

void CalMdag::CreateBookingFile() { PlannerCommands::createBookingFile(*this, *ctFilecreate); }

void CalMdag::PrintWeekScheme() { SchedulePrint::printWeekScheme(*dd, lnavn->text()); }

void CalMdag::PrintScheme() { PrintWeekScheme(); }

void CalMdag::ShowSelectedInOtherView()
{
    const int32_t day = dd->ItemDay(dd->SelectedItem());
    if (day != 0)
        OpenDayView(day);
}

void CalMdag::FillFixedWeekSchedule() { SchedulePrint::fillFixedWeekSchedule(*dd); }

void CalMdag::PrintFixedWeekSchedule()
{
    SchedulePrint::printFixedWeekSchedule(*dd, lnavn->text());
}

void CalMdag::dd_DblClick()
{
    const int column = dd->SelectedColumn();
    if (column != 0 && dd->SelectedItem() < 1)
        OpenDayView(dd->DayOfColumn(column));
}

void CalMdag::dd_ItemMenuRequest(int index, const QPoint &globalPos)
{
    Q_UNUSED(index)
    ctDrop->Popup(globalPos);
}

void CalMdag::ShowCurrentPlace()
{
    Data1.FindFirst("lokalenr = " + QString::number(gCurrentItemNo));
    mdato->setText(QString::number(gWeekStartDay));
    RefreshWeekView();
}

void CalMdag::OpenDayView(int32_t d)
{
    // The forms opened from the week view close first, through their own checks.
    if (!Forms::unloadOwnedBy(this))
        return;
    gCurrentDay = d;
    Unload();
    auto *day = Forms::get<Calendar>();
    day->Show();
    day->Data1.FindFirst("overgruppenr =" + QString::number(gCurrentGroupNo));
    day->Data2.FindFirst("lokalitetsnr =" + QString::number(gCurrentTypeNo));
}

// --- Bookings in the grid ----------------------------------------------------------------

void CalMdag::dd_ItemAdded(int index, int start, int end, int column, bool cancelled)
{
    Q_UNUSED(column)
    if (cancelled)
        return;
    GridEdit::NewBookingPlace place;
    place.day = dd->DayOfColumn(dd->SelectedColumn());
    place.item = gCurrentItemNo;
    GridEdit::storeTypedBooking(*dd, index, start, end, place);
}

// A moved or resized item is stored at once, as in the day view, so a refill cannot lose it.
void CalMdag::dd_ItemChanged(int index)
{
    // A change that is not stored does not stay on screen either; a user who may not change
    // the booking is told so.
    if (dd->CurrentSlot() < 0) {
        dd->RevertItemChange(index);
    } else if (!SaveBookingItem(index)) {
        dd->RevertItemChange(index);
        GridEdit::explainRefusedChange(*dd, index);
    }
}

void CalMdag::dd_ItemEdited(int index, const QString &text)
{
    Q_UNUSED(text)
    if (!SaveBookingItem(index))
        GridEdit::explainRefusedChange(*dd, index);
    RefreshWeekView();
}

void CalMdag::dd_ItemDblClick(int index)
{
    SaveBookingItem(index);   // a pending move is stored first
    GridEdit::openBooking(
        dd->ItemKeyText(index), [this](int32_t n) { OpenBookingForEdit(n); },
        [this](int32_t n) { ShowBookingInfo(n); });
}

bool CalMdag::SaveBookingItem(int index)
{
    return GridEdit::saveItem(*dd, index, GridEdit::Columns::Days);
}

void CalMdag::OpenBookingForEdit(int32_t bookingNo)
{
    Forms::get<bookingform>()->ShowBooking(bookingNo);
}

void CalMdag::ShowBookingInfo(int32_t bookingNo)
{
    Forms::get<Searchinfoform>()->ShowBooking(bookingNo);
}

void CalMdag::DeleteSelectedBooking()
{
    GridEdit::deleteSelected(*dd, slettenr, GridEdit::DeleteStyle::WeekView);
}

// --- Booking clipboard -------------------------------------------------------------------

void CalMdag::CopyBookingToClipboard()
{
    Clipboard::copySelected(*dd);
}

void CalMdag::PasteBookingCommand()
{
    if (Clipboard::canPaste(*dd))
        PasteBooking();
}

void CalMdag::PasteBooking()
{
    const Clipboard::PasteResult result =
        Clipboard::paste(dd->SelectedStart(), dd->DayOfColumn(dd->SelectedColumn()), gCurrentItemNo);
    RefreshWeekView();
    // The pasted booking is the selection now; the slot it was pasted on is no longer drawn.
    if (result.pasted)
        dd->SelectItemByKey(QString::number(result.bookingNo));
}
