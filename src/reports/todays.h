#pragma once

#include "platform/controls/form.h"

class DatePicker;
class ListGrid;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Every booking of one day, of all accounts, with resource, account, times and the account's
// phone, for one resource kind or all; prints the list and opens the read-only view of a
// chosen booking.
class Todays final : public Form
{
    Q_OBJECT
public:
    Todays();

    void Form_Load() override;

    void Fixdate_DateChange();
    void OptGr_Click();
    void Printbutton_Click();
    void Info_Click() { ShowBookingInfo(); }
    void Todaylist_DblClick() { ShowBookingInfo(); }
    void exit_Click() { Unload(); }

    void SetupTodayColumns();
    void FillTodayList();
    void ShowBookingInfo();

    // The statement of the fill, with its named values (day, r1..r3).
    static QString FillSql();

    // A seconds-of-the-day value as the list shows it: whole minutes, a half minute going to
    // the even one (28830 -> "08:00", 28890 -> "08:02").
    static QString TimeCell(const QVariant &seconds);

    DatePicker *Fixdate = nullptr;
    QRadioButton *OptGr1 = nullptr, *OptGr2 = nullptr, *OptGr3 = nullptr, *OptGr4 = nullptr;
    ListGrid *Todaylist = nullptr;
    QPushButton *Printbutton = nullptr;
    QPushButton *Info = nullptr;
    QPushButton *exit = nullptr;
    // The accepted kinds.
    QLineEdit *r1 = nullptr, *r2 = nullptr, *r3 = nullptr;

private:
    void refill();
};
