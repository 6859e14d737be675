#include "bookings/repeatdialog.h"

#include "bookings/alternat.h"
#include "bookings/bookingform.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/listparts.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"

#include <QAbstractButton>
#include <QSet>

using namespace Generalen;

RepeatDialog::RepeatDialog() = default;

void RepeatDialog::attachToBookingForm()
{
    m_origin = RepeatSeries::currentOrigin();
    if (Forms::isLoaded<bookingform>())
        connect(Forms::get<bookingform>(), &Form::unloaded, this, [this] { Unload(); });
    setDialogKeys([this] { pressFocusedButton(); }, [this] { exitDialog(); });
}

void RepeatDialog::Reload()
{
    ListGrid *list = dateList();
    list->ClearRows();
    list->ClearColumns();
    SetupDateListColumns();
    FillDateList();
}

void RepeatDialog::setupDateColumns(int dateWidth, int timeWidth)
{
    ListGrid *list = dateList();
    ListParts::addTextColumns(*list, {{"Date", dateWidth, true},
                                      {"Start", timeWidth, true},
                                      {"End", timeWidth, true}});
    const int db = list->AddColumn("DB", 30);
    list->ColumnPicture(db, 2);
    list->ColumnFlag(db, true);
}

void RepeatDialog::FillDateList()
{
    ListGrid *list = dateList();
    if (list->RowCount() >= 1)
        return;
    QList<RepeatSeries::GenDate> rows;
    try {
        rows = RepeatSeries::ReadDates(m_ids);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        return;
    }
    // Rows another copy deleted are gone from this dialog too.
    m_ids.clear();
    for (const RepeatSeries::GenDate &g : rows) {
        if (list->RowCount() >= RepeatSeries::kMaxDates)
            break;
        m_ids.append(g.id);
        const int row = list->AddRow(
            Format(Extrafunktioner::DayNumberToDate(g.dato), gDateFormat) + ";"
            + Format(g.start, startPattern()) + ";" + Format(g.slut, "HH:mm") + ";");
        list->CellPicture(row, 4, g.db ? 1 : 2);
        list->RowData(row, g.id);
    }
    datesShown(rows.mid(0, m_ids.size()));
}

void RepeatDialog::ClearGeneratedDates()
{
    Queries::SqlClearGenDates();
    try {
        RepeatSeries::ExecutePaths();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
    }
    m_ids.clear();
}

bool RepeatDialog::addDays(const QList<int32_t> &days)
{
    bookingform *form = RepeatSeries::requireForm(m_origin);
    if (!form) {
        Unload();
        return false;
    }
    if (m_ids.size() + days.size() > RepeatSeries::kMaxDates) {
        MsgBox::show(QString("A series can hold at most %1 dates. Choose a shorter period or a "
                             "longer step.")
                         .arg(RepeatSeries::kMaxDates),
                     MsgBox::OkOnly | MsgBox::Exclamation, "Date Info");
        return false;
    }
    const std::optional<RepeatSeries::Slot> slot = RepeatSeries::formSlot(form);
    if (!slot) {
        MsgBox::show("The booking needs a resource, a start and an end before it can be repeated.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
        return false;
    }
    try {
        RepeatSeries::DoubleBookingTest test(m_origin.databasePath);
        m_ids += RepeatSeries::AddDates(days, *slot, test);
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
    }
    Reload();
    return true;
}

void RepeatDialog::deleteSelected()
{
    const ListGrid *list = dateList();
    if (list->SelectedRow() < 0)
        return;   // nothing selected, nothing to delete
    Queries::SqlDeleteGenDate(list->RowData(list->SelectedRow()));
    try {
        RepeatSeries::ExecutePaths();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
    }
    Reload();
}

void RepeatDialog::deleteDoubleBookings()
{
    Queries::SqlDeleteDoubleBookings();
    try {
        RepeatSeries::ExecutePaths();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
    }
    Reload();
}

void RepeatDialog::findAlternative()
{
    const ListGrid *list = dateList();
    if (list->SelectedRow() < 0) {
        MsgBox::show("Select a booking.", MsgBox::OkOnly, "Service Message");
        return;
    }
    const int32_t genId = list->RowData(list->SelectedRow());
    bookingform *form = RepeatSeries::requireForm(m_origin);
    if (!form) {
        Unload();
        return;
    }
    int32_t item = 0;
    if (const auto slot = RepeatSeries::formSlot(form))
        item = slot->item;
    try {
        if (!Alternat::FindAlternativeResources(genId, item, m_origin.databasePath)) {
            MsgBox::show("This date is no longer among the prepared dates; another copy of the "
                         "program may have cleared them.",
                         MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
            Reload();
            return;
        }
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        return;
    }
    showAlternatives(genId);
}

void RepeatDialog::bookDates(qint64 colour)
{
    if (!RepeatSeries::BookDates(m_origin, m_ids, colour)) {
        if (!RepeatSeries::formShowing(m_origin))
            Unload();
        return;
    }
    bookingform *form = RepeatSeries::formShowing(m_origin);
    Unload();
    if (form)
        form->Unload();
}
