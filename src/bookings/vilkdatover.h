#pragma once

#include "bookings/repeatdialog.h"

class ListGrid;
class QPushButton;
class YearCalendar;

// The repeat dialog for dates picked on a year calendar: each click prepares that date for the
// booking form's item and times, tested for a double booking.
class vilkdatover final : public RepeatDialog
{
    Q_OBJECT
public:
    vilkdatover();

    void Form_Load() override;
    void dat_DateClick();
    void alternates_Click();
    void vilklist_DblClick();
    void remsel_Click();
    void remall_Click();
    void book_Click();
    void Cancel_Click();

    YearCalendar *dat = nullptr;
    ListGrid *vilklist = nullptr;
    QPushButton *alternates = nullptr;
    QPushButton *remsel = nullptr;
    QPushButton *remall = nullptr;
    QPushButton *book = nullptr;
    QPushButton *Cancel = nullptr;

protected:
    ListGrid *dateList() const override { return vilklist; }
    void SetupDateListColumns() override;
    QString startPattern() const override { return QStringLiteral("HH.mm"); }
    void showAlternatives(int32_t genId) override;
    void exitDialog() override { Cancel_Click(); }
    // The picked dates are marked on the calendar.
    void datesShown(const QList<RepeatSeries::GenDate> &rows) override;

private:
    void BookSelectedDates();
};
