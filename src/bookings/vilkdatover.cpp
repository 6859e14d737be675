#include "bookings/vilkdatover.h"

#include "bookings/alternativesv.h"
#include "bookings/bookingform.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/listgrid.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/yearcalendar.h"
#include "platform/db/dberror.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

vilkdatover::vilkdatover()
{
    setObjectName("vilkdatover");
    setWindowTitle("Vantix  -  Repeated booking - Arbitrary Dates Selector");
    dat = new YearCalendar(this);
    dat->setObjectName("dat");
    vilklist = new ListGrid(this);
    vilklist->setObjectName("vilklist");
    auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(name);
    };
    button(alternates, "alternates", "Find Alternative Resources");
    button(remsel, "remsel", "Delete Selected Booking");
    button(remall, "remall", "Delete All Double Bookings");
    button(book, "book", "Book Selected Dates");
    button(Cancel, "Cancel", "Exit");

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel("Selected Dates", this));
    right->addWidget(vilklist, 1);
    for (QPushButton *b : {alternates, remsel, remall, book, Cancel})
        right->addWidget(b);
    auto *top = new QHBoxLayout(this);
    top->addWidget(dat);
    top->addLayout(right, 1);
    vilklist->setMinimumWidth(260);

    connect(dat, &YearCalendar::DateClick, this, &vilkdatover::dat_DateClick);
    connect(vilklist, &ListGrid::DblClick, this, &vilkdatover::vilklist_DblClick);
    connect(alternates, &QPushButton::clicked, this, &vilkdatover::alternates_Click);
    connect(remsel, &QPushButton::clicked, this, &vilkdatover::remsel_Click);
    connect(remall, &QPushButton::clicked, this, &vilkdatover::remall_Click);
    connect(book, &QPushButton::clicked, this, &vilkdatover::book_Click);
    connect(Cancel, &QPushButton::clicked, this, &vilkdatover::Cancel_Click);
}

void vilkdatover::Form_Load()
{
    attachToBookingForm();
    const QDate current = Extrafunktioner::DayNumberToDate(gCurrentDay);
    dat->setFirstDay(gFirstDay == QLatin1String("0") ? 0 : 1);
    dat->setMonth(current.month());
    dat->setYear(current.year());
    dat->setValue(gCurrentDay);
    ClearGeneratedDates();
    SetupDateListColumns();
    FillDateList();
}

void vilkdatover::SetupDateListColumns() { setupDateColumns(60, 40); }

void vilkdatover::dat_DateClick()
{
    const int32_t day = dat->value();
    // A day picked again is taken off the list: a second click undoes the first, so no day is
    // booked twice and no free day is lost as a double booking.
    try {
        bool picked = false;
        for (const RepeatSeries::GenDate &g : RepeatSeries::ReadDates(m_ids)) {
            if (g.dato != day)
                continue;
            Queries::SqlDeleteGenDate(g.id);
            RepeatSeries::ExecutePaths();
            picked = true;
        }
        if (picked) {
            Reload();
            return;
        }
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        Reload();
        return;
    }
    addDays({day});
}

void vilkdatover::datesShown(const QList<RepeatSeries::GenDate> &rows)
{
    dat->clearMarks();
    for (const RepeatSeries::GenDate &g : rows)
        dat->setMarked(g.dato, true);
}

void vilkdatover::alternates_Click() { findAlternative(); }

void vilkdatover::vilklist_DblClick() { findAlternative(); }

void vilkdatover::showAlternatives(int32_t genId)
{
    auto *alt = Forms::get<alternativesV>();
    alt->setGenId(genId);
    alt->Show(Modal, this);
}

void vilkdatover::remsel_Click() { deleteSelected(); }

void vilkdatover::remall_Click() { deleteDoubleBookings(); }

void vilkdatover::book_Click()
{
    if (vilklist->RowCount() == 0) {
        MsgBox::show("No generated dates available");
        return;
    }
    BookSelectedDates();
}

void vilkdatover::BookSelectedDates() { bookDates(0); }

void vilkdatover::Cancel_Click()
{
    ClearGeneratedDates();
    Unload();
}
