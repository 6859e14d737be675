#include "planner/calendar.h"

#include "bookings/bookingform.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/commands.h"
#include "core/generalen.h"
#include "core/start.h"
#include "planner/calmdag.h"
#include "planner/clipboard.h"
#include "planner/gridedit.h"
#include "planner/plannerbars.h"
#include "planner/plannercommands.h"
#include "planner/plannerdata.h"
#include "planner/plannerlook.h"
#include "planner/scheduleprint.h"
#include "platform/controls/dblist.h"
#include "platform/controls/dropmenu.h"
#include "platform/controls/filepicker.h"
#include "platform/controls/monthpicker.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/pictures.h"
#include "platform/controls/plannergrid.h"
#include "platform/controls/toolbar.h"
#include "platform/system.h"
#include "reports/searchinfoform.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Generalen;
using namespace Extrafunktioner;

namespace {

bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}

// A whole number kept in a list, or nothing.
bool wholeNumber(const QVariant &v, int32_t &out)
{
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > INT32_MAX)
        return false;
    out = static_cast<int32_t>(n);
    return true;
}

// The day view is the program's main window: a successful login shows it.
const bool followsLogin = [] {
    start::setAfterLogin([] { Forms::get<Calendar>()->Show(); });
    return true;
}();

} // namespace

Calendar::Calendar()
{
    setWindowTitle("Vantix - Dayview");
    setObjectName("Calendar");

    ctToolBar1 = new ToolBar(ToolBar::MenuBar, this);
    ctToolBar1->setObjectName("ctToolBar1");
    PlannerBars::fillMainMenu(*ctToolBar1, Commands::DayView);
    ctToolBar2 = new ToolBar(ToolBar::Buttons, this);
    ctToolBar2->setObjectName("ctToolBar2");
    PlannerBars::fillBookingBar(*ctToolBar2, Commands::DayView);
    connect(ctToolBar1, &ToolBar::ButtonClick, this, &Calendar::ctToolBar1_ButtonClick);
    connect(ctToolBar2, &ToolBar::ButtonClick, this, &Calendar::ctToolBar2_ButtonClick);

    saks = new QLabel(this);
    saks->setObjectName("saks");
    saks->setPixmap(Pictures::picture("cut").pixmap(24, 24));
    saks->setToolTip("A booking is on the clipboard");
    CUser = PlannerLook::textBox(this, "CUser");
    CUser->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlannerLook::fitWidth(CUser, QString(28, QLatin1Char('n')));
    CUser->setToolTip("Logged in");
    slettenr = PlannerLook::textBox(this, "slettenr");
    slettenr->hide();

    aktueldato = new MonthPicker(this);
    aktueldato->setObjectName("aktueldato");
    Today = new QPushButton("Today", this);
    Today->setObjectName("Today");
    aktuelovergruppe = new DBList(DBList::ListStyle, this);
    aktuelovergruppe->setObjectName("aktuelovergruppe");
    aktuelovergruppe->setRowSource(&Data1);
    aktuelovergruppe->setListField("OverGruppenavn");
    aktuelovergruppe->setBoundColumn("overgruppenr");
    aktuelgruppe = new DBList(DBList::ListStyle, this);
    aktuelgruppe->setObjectName("aktuelgruppe");
    aktuelgruppe->setRowSource(&Data2);
    aktuelgruppe->setListField("Lokalitetsnavn");
    aktuelgruppe->setBoundColumn("Lokalitetsnr");
    Data1.setObjectName("Data1");
    Data1.setRecordSource("OvergruppenavneFor");
    Data2.setObjectName("Data2");
    Data2.setRecordSource("lokaliteter");

    grouptype = PlannerLook::textBox(this, "grouptype");
    gdato = PlannerLook::textBox(this, "gdato");
    cc = new PlannerGrid(PlannerGrid::DayGrid, this);
    cc->setObjectName("cc");
    cc->SetHintText("Click start time and type text to make a booking.");

    ctDrop = new DropMenu(this);
    ctDrop->setObjectName("ctDrop");
    connect(ctDrop, &DropMenu::ItemClick, this, &Calendar::ctDrop_ItemClick);
    ctFileOpen = new FilePicker(this);
    ctFileOpen->setObjectName("ctFileOpen");
    ctFilecreate = new FilePicker(this);
    ctFilecreate->setObjectName("ctFilecreate");

    // Side panel: the day and the resource type; the grid takes the rest of the window.
    auto *side = PlannerLook::sidePanel(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(10, 10, 10, 10);
    sideLayout->setSpacing(6);
    sideLayout->addWidget(aktueldato);
    sideLayout->addWidget(Today);
    auto *groupLabel = PlannerLook::caption("Resource Group", side);
    groupLabel->setBuddy(aktuelovergruppe);
    sideLayout->addSpacing(6);
    sideLayout->addWidget(groupLabel);
    sideLayout->addWidget(aktuelovergruppe, 1);
    auto *typeLabel = PlannerLook::caption("Resource Type", side);
    typeLabel->setBuddy(aktuelgruppe);
    sideLayout->addWidget(typeLabel);
    sideLayout->addWidget(aktuelgruppe, 2);

    // Above the grid: the shown day, then group and type.
    auto *heading = new QHBoxLayout;
    heading->setContentsMargins(10, 6, 10, 4);
    heading->setSpacing(16);
    PlannerLook::setHeadingFont(gdato);
    PlannerLook::fitWidth(gdato, "00-00-0000");
    PlannerLook::setHeadingFont(grouptype);
    heading->addWidget(gdato);
    heading->addWidget(grouptype, 1);
    auto *main = new QVBoxLayout;
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addLayout(heading);
    main->addWidget(cc, 1);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(side);
    body->addLayout(main, 1);

    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(ctToolBar1);
    top->addWidget(PlannerLook::barRow(this, {ctToolBar2}, saks, CUser));
    top->addWidget(PlannerLook::line(this));
    top->addLayout(body, 1);
    resize(1180, 760);
    // Ctrl+X, Ctrl+C, Ctrl+V and Delete on the grid do what the booking tool bar does.
    PlannerBars::bindBookingKeys(*cc, Commands::DayView,
                                 [this](int id) { ctToolBar2_ButtonClick(id); });
    // F1 opens the help file, as Help on the menu does.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [] { System::showHelp(); });

    connect(aktueldato, &MonthPicker::DateSelected, this, &Calendar::aktueldato_DateSelected);
    connect(Today, &QPushButton::clicked, this, &Calendar::Today_Click);
    connect(aktuelovergruppe, &DBList::Click, this, &Calendar::aktuelovergruppe_Click);
    connect(aktuelgruppe, &DBList::Click, this, &Calendar::aktuelgruppe_Click);
    connect(cc, &PlannerGrid::ItemMenuRequest, this, &Calendar::cc_ItemMenuRequest);
    connect(cc, &PlannerGrid::DblClick, this, &Calendar::cc_DblClick);
    connect(cc, &PlannerGrid::ItemAdded, this, &Calendar::cc_ItemAdded);
    connect(cc, &PlannerGrid::ItemChanged, this, &Calendar::cc_ItemChanged);
    connect(cc, &PlannerGrid::ItemEdited, this, &Calendar::cc_ItemEdited);
    connect(cc, &PlannerGrid::ItemDblClick, this, &Calendar::cc_ItemDblClick);
}

Calendar::~Calendar()
{
    // The lists read their data controls, which are members and go first.
    delete aktuelovergruppe;
    delete aktuelgruppe;
}

void Calendar::Form_Load()
{
    PlannerBars::fillItemMenu(*ctDrop, Commands::DayView);
    ApplyGridSettings();
    Data1.setDatabaseName(gDatabasePath);
    Data2.setDatabaseName(gDatabasePath);
    Data1.Refresh();
    Data2.Refresh();
    showCurrentGroupAndType();
    aktueldato->SetFirstDayOfWeek(gFirstDay);
    saks->hide();
    gActiveView = 1;
    CUser->setText(gUserName);
    gdato->setText(DateText(DayNumberToDate(gCurrentDay)));
    aktueldato->SetCurrentDay(gCurrentDay);
    RefreshDayView();
    if (!ResourceItemsExist())
        offerResourceManager();
}

void Calendar::Form_Activate()
{
    gActiveMainForm = 1;
    PlannerData::refillOnActivation(m_refillFailed, [this] { RefreshDayView(); });
    aktueldato->SetFirstDayOfWeek(gFirstDay);
    // The date box follows a date format changed in the options meanwhile.
    gdato->setText(DateText(DayNumberToDate(gCurrentDay)));
}

void Calendar::offerResourceManager()
{
    const QString text = QStringList{
        "Currently no Resource Items are created.",
        "Use the Resource Manager to create",
        "Resource Groups",
        "Resource Types",
        "Resource Items",
        "",
        "Open the Resource Hierarchy Section of the Help File to get detailed information.",
        "",
        "Open the Resource Manager now?",
    }.join("\r\n");
    if (MsgBox::show(text, MsgBox::YesNo, "Service Message") == MsgBox::Yes)
        showResourceManager();
}

void Calendar::showResourceManager()
{
    // As the menu's Resource Manager: reserved to administrators.
    Commands::run(Commands::MainMenu, 21, *this);
}

void Calendar::RefreshDayView()
{
    const PlannerData::BatchedRepaint once(cc);
    const PlannerData::OneConnection connection;
    cc->ClearItems();
    cc->ClearColumns();
    ApplyGridSettings();
    cc->SetFirstDay(gCurrentDay);
    LoadResourceColumns(gCurrentTypeNo);
    LoadDayBookings(gCurrentTypeNo, gCurrentDay);
    Clipboard::showCutMark(*cc);
}

void Calendar::ApplyGridSettings() { PlannerData::applyGridSettings(*cc); }

void Calendar::LoadResourceColumns(int32_t type)
{
    PlannerData::loadResourceColumns(*cc, type, gCurrentDay);
}

void Calendar::LoadDayBookings(int32_t type, int32_t day)
{
    PlannerData::loadBookings(*cc, PlannerData::dayBookingsSql(type, day), true);
}

QString Calendar::BuildResourceTypeSql()
{
    int32_t group = 0;
    if (!wholeNumber(aktuelovergruppe->BoundText(), group))
        return QString();
    return "select * from lokaliteter where overgruppenr = " + QString::number(group) + ";";
}

void Calendar::takeTypeFromList()
{
    const QVariant type = aktuelgruppe->BoundText();
    int32_t typeNo = 0;
    if (!isEmptyValue(type) && wholeNumber(type, typeNo)) {
        gCurrentTypeNo = typeNo;
        grouptype->setText(aktuelovergruppe->Text() + "/" + aktuelgruppe->Text());
    } else {
        gCurrentTypeNo = 0;
        grouptype->setText(aktuelovergruppe->Text() + "/" + "None Created");
    }
}

void Calendar::showCurrentGroupAndType()
{
    // The shown type decides the group: a group number left from elsewhere cannot contradict it.
    if (gCurrentTypeNo != 0) {
        const QVariant owner = LookupWhere("Overgruppenr", "lokaliteter",
                                           "Lokalitetsnr = " + QString::number(gCurrentTypeNo));
        int32_t groupNo = 0;
        if (wholeNumber(owner, groupNo))
            gCurrentGroupNo = groupNo;
    }
    Data1.FindFirst("overgruppenr =" + QString::number(gCurrentGroupNo));
    // A group that is gone leaves the list on its first group, which is then taken as a pick.
    int32_t groupNo = 0;
    if (!wholeNumber(aktuelovergruppe->BoundText(), groupNo))
        return;
    gCurrentGroupNo = groupNo;
    Data2.setRecordSource(BuildResourceTypeSql());
    Data2.Refresh();
    Data2.FindFirst("lokalitetsnr =" + QString::number(gCurrentTypeNo));
    takeTypeFromList();
}

void Calendar::ResourcesChanged()
{
    if (gCurrentTypeNo != 0 && !RecordExists("lokaliteter", "Lokalitetsnr", gCurrentTypeNo))
        gCurrentTypeNo = 0;
    Data1.Refresh();
    Data2.Refresh();
    showCurrentGroupAndType();
    RefreshDayView();
}

void Calendar::aktuelovergruppe_Click()
{
    const QVariant group = aktuelovergruppe->BoundText();
    if (isEmptyValue(group))
        return;
    const QString sql = BuildResourceTypeSql();
    if (sql.isEmpty())
        return;
    Data2.setRecordSource(sql);
    Data2.Refresh();
    gCurrentGroupNo = static_cast<int32_t>(group.toString().trimmed().toLongLong());
    takeTypeFromList();
    RefreshDayView();
}

void Calendar::aktuelgruppe_Click()
{
    if (isEmptyValue(aktuelovergruppe->BoundText()))
        return;
    takeTypeFromList();
    RefreshDayView();
}

void Calendar::aktueldato_DateSelected()
{
    gdato->setText(DateText(DayNumberToDate(aktueldato->Value())));
    gCurrentDay = aktueldato->Value();
    RefreshDayView();
}

void Calendar::Today_Click()
{
    aktueldato->SetValue(DateToDayNumber(System::today()));
    aktueldato_DateSelected();
}

void Calendar::cc_ItemMenuRequest(int index, const QPoint &globalPos)
{
    Q_UNUSED(index)
    ctDrop->Popup(globalPos);
}

void Calendar::cc_DblClick()
{
    const int32_t n = cc->ColumnResource(cc->SelectedColumn());
    if (n != 0 && cc->SelectedItem() < 1)
        OpenWeekView(n);
}

void Calendar::ctToolBar1_ButtonClick(int id) { Commands::run(Commands::MainMenu, id, *this); }

void Calendar::ctToolBar2_ButtonClick(int id) { Commands::run(Commands::BookingBar, id, *this); }

void Calendar::ctDrop_ItemClick(int id) { Commands::run(Commands::ItemMenu, id, *this); }

void Calendar::OpenBookingFile() { PlannerCommands::openBookingFile(*this, *ctFileOpen); }

void Calendar::CreateBookingFile() { PlannerCommands::createBookingFile(*this, *ctFilecreate); }

void Calendar::PrintDayScheme()
{
    SchedulePrint::printDayScheme(*cc, aktueldato->Value(), grouptype->text());
}

void Calendar::PrintScheme() { PrintDayScheme(); }

void Calendar::ShowSelectedInOtherView()
{
    const int32_t item = cc->ItemResource(cc->SelectedItem());
    if (item != 0)
        OpenWeekView(item);
}

void Calendar::ShowCurrentPlace()
{
    Data1.FindFirst("overgruppenr =" + QString::number(gCurrentGroupNo));
    // The type list holds the types of the shown group, as after a pick of the group.
    const QString sql = BuildResourceTypeSql();
    if (!sql.isEmpty()) {
        Data2.setRecordSource(sql);
        Data2.Refresh();
    }
    Data2.FindFirst("lokalitetsnr =" + QString::number(gCurrentTypeNo));
    grouptype->setText(aktuelovergruppe->Text() + "/" + aktuelgruppe->Text());
    aktueldato->SetValue(gCurrentDay);
    gdato->setText(DateText(DayNumberToDate(gCurrentDay)));
    RefreshDayView();
}

void Calendar::OpenWeekView(int32_t n)
{
    // The forms opened from the day view close first, through their own checks.
    if (!Forms::unloadOwnedBy(this))
        return;
    gCurrentItemNo = n;
    // gdato shows gCurrentDay; the day number is read rather than the text parsed back.
    gWeekStartDay = DateToDayNumber(WeekStartDate(DayNumberToDate(gCurrentDay)));
    auto *week = Forms::get<CalMdag>();
    week->Show();
    week->Data1.FindFirst("lokalenr = " + QString::number(n));
    Unload();
}

// --- Bookings in the grid ----------------------------------------------------------------

void Calendar::cc_ItemAdded(int index, int start, int end, int column, bool cancelled)
{
    Q_UNUSED(column)
    if (cancelled)
        return;
    GridEdit::NewBookingPlace place;
    place.day = gCurrentDay;
    place.item = cc->ColumnResource(cc->SelectedColumn());
    place.writeTentative = true;
    place.tentative = gTentativeMode;
    GridEdit::storeTypedBooking(*cc, index, start, end, place);
}

void Calendar::cc_ItemChanged(int index)
{
    // A change that is not stored does not stay on screen either; a user who may not change
    // the booking is told so.
    if (cc->CurrentSlot() < 0) {
        cc->RevertItemChange(index);
    } else if (!SaveBookingItem(index)) {
        cc->RevertItemChange(index);
        GridEdit::explainRefusedChange(*cc, index);
    }
}

void Calendar::cc_ItemEdited(int index, const QString &text)
{
    Q_UNUSED(text)
    if (!SaveBookingItem(index))
        GridEdit::explainRefusedChange(*cc, index);
    RefreshDayView();
}

void Calendar::cc_ItemDblClick(int index)
{
    SaveBookingItem(index);   // a pending move is stored first
    GridEdit::openBooking(
        cc->ItemKeyText(index), [this](int32_t n) { OpenBookingForEdit(n); },
        [this](int32_t n) { ShowBookingInfo(n); });
}

bool Calendar::SaveBookingItem(int index)
{
    return GridEdit::saveItem(*cc, index, GridEdit::Columns::Resources);
}

void Calendar::OpenBookingForEdit(int32_t bookingNo)
{
    Forms::get<bookingform>()->ShowBooking(bookingNo);
}

void Calendar::ShowBookingInfo(int32_t bookingNo)
{
    Forms::get<Searchinfoform>()->ShowBooking(bookingNo);
}

void Calendar::DeleteSelectedBooking()
{
    GridEdit::deleteSelected(*cc, slettenr, GridEdit::DeleteStyle::DayView);
}

// --- Booking clipboard -------------------------------------------------------------------

void Calendar::CopyBookingToClipboard()
{
    if (Clipboard::copySelected(*cc))
        saks->show();
}

void Calendar::PasteBookingCommand()
{
    if (Clipboard::canPaste(*cc))
        PasteBooking();
}

void Calendar::PasteBooking()
{
    const int32_t item = cc->ColumnResource(cc->SelectedColumn());
    const Clipboard::PasteResult result = Clipboard::paste(cc->SelectedStart(), gCurrentDay, item);
    if (result.clipboardEmptied)
        saks->hide();
    RefreshDayView();
    // The pasted booking is the selection now; the slot it was pasted on is no longer drawn.
    if (result.pasted)
        cc->SelectItemByKey(QString::number(result.bookingNo));
}
