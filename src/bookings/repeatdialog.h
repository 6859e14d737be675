#pragma once

#include "bookings/repeatseries.h"
#include "platform/controls/form.h"

#include <QList>

#include <cstdint>

class ListGrid;

// What the two repeat dialogs share: the booking they were opened for, the prepared dates they
// added to gendatogent (by their IDs; the table is shared by every copy of the program started
// from the same folder), their date list, its deletes, the alternatives search and booking.
// The dialog closes when the booking form unloads.
class RepeatDialog : public Form
{
    Q_OBJECT
public:
    // Clears and refills the date list.
    void Reload();
    // The IDs of the prepared dates this dialog shows, in the table's order.
    const QList<int32_t> &preparedIds() const { return m_ids; }
    const RepeatSeries::Origin &origin() const { return m_origin; }

protected:
    RepeatDialog();
    // Remembers the booking the form shows now and closes with the form.
    void attachToBookingForm();

    virtual ListGrid *dateList() const = 0;
    virtual void SetupDateListColumns() = 0;
    // The pattern of the start time in the list.
    virtual QString startPattern() const = 0;
    // Shows this dialog's alternatives form modal over it.
    virtual void showAlternatives(int32_t genId) = 0;
    virtual void exitDialog() = 0;
    // The dates the list shows now.
    virtual void datesShown(const QList<RepeatSeries::GenDate> &rows) { Q_UNUSED(rows) }

    // The columns Date, Start, End and DB of the date list.
    void setupDateColumns(int dateWidth, int timeWidth);
    void FillDateList();
    void ClearGeneratedDates();
    // Adds the days for the booking form's item and times; false when refused (told).
    bool addDays(const QList<int32_t> &days);
    void deleteSelected();
    void deleteDoubleBookings();
    void findAlternative();
    // Books the prepared dates; on success closes this dialog and the booking form.
    void bookDates(qint64 colour);

    RepeatSeries::Origin m_origin;
    QList<int32_t> m_ids;
};
