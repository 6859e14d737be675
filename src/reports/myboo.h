#pragma once

#include "platform/controls/form.h"

class DatePicker;
class ListGrid;
class PeriodPair;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The bookings of the accounts the logged-in user belongs to, within a period, filtered by the
// user's relation to the booking's account, by resource kind and by single or repeated
// booking; prints the list and opens the read-only view of a chosen booking.
class myboo final : public Form
{
    Q_OBJECT
public:
    myboo();

    void Form_Load() override;

    void OptO_Click();
    void OptG_Click();
    void OptT_Click();
    void startdate_DateChange();
    void slutdate_DateChange();
    void Printbutton_Click();
    void Info_Click() { ShowBookingInfo(); }
    void MBlist_DblClick() { ShowBookingInfo(); }
    void Luk_Click();

    void SetupMyBookingsColumns();
    void FillMyBookings();
    void ShowBookingInfo();

    // The statement of the fill, with its named values (user, from, to, r1..r3, t1, t2).
    static QString FillSql();

    // The relation of a listed row's member to the booking's account: "Owner" when the member
    // owns the account, "Private" when the account is also its own owner, else "Member".
    static QString RelationWord(const QVariant &pnr, const QVariant &kontonr,
                                const QVariant &kontoowner);

    QRadioButton *OptO1 = nullptr, *OptO2 = nullptr, *OptO3 = nullptr, *OptO4 = nullptr;
    QRadioButton *OptG1 = nullptr, *OptG2 = nullptr, *OptG3 = nullptr, *OptG4 = nullptr;
    QRadioButton *OptT1 = nullptr, *OptT2 = nullptr, *OptT3 = nullptr;
    DatePicker *startdate = nullptr;
    DatePicker *slutdate = nullptr;
    ListGrid *MBlist = nullptr;
    QPushButton *Printbutton = nullptr;
    QPushButton *Info = nullptr;
    QPushButton *Luk = nullptr;
    // The filter state: accepted kinds, accepted relation words, the period as day numbers.
    QLineEdit *r1 = nullptr, *r2 = nullptr, *r3 = nullptr;
    QLineEdit *O1 = nullptr, *O2 = nullptr, *O3 = nullptr;
    QLineEdit *startd = nullptr, *slutd = nullptr;

private:
    void refill();

    // The two accepted values of gentagende.
    bool m_gentagende1 = false;
    bool m_gentagende2 = true;
    PeriodPair *m_period = nullptr;
};
