#pragma once

#include "platform/controls/form.h"

#include <QString>

#include <cstdint>
#include <memory>

class DatePicker;
class ListGrid;
class PeriodPair;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The search over bookings: the bookings of a period and of chosen resource kinds whose
// number, title or account name hold a keyword, refilled as the keyword is typed. A found
// booking moves the planner to its place and opens in the booking form, or in the read-only
// view for a user who may not edit bookings of its account.
class Searchform final : public Form
{
    Q_OBJECT
public:
    Searchform();
    ~Searchform() override;

    // Every activation starts again on the next half year of every kind.
    void Form_Activate() override;

    // Clears the list and fills it again.
    void Reload();

    void SSB_Change() { Reload(); }
    void startdate_DateChange();
    void slutdate_DateChange();
    void Sort_Click();
    void Reset_Click();
    void Info_Click() { OpenSelectedBooking(); }
    void SList_DblClick() { OpenSelectedBooking(); }
    void Close_Click() { Unload(); }

    void SetupSearchColumns();
    void FillSearchList();
    void OpenSelectedBooking();

    // The statement that reads the list's bookings: those of the period bound as :from, :to
    // that the fill's function search_listed(Lokalenr, Bookingnr, Beskrivelse, kontonr) lists,
    // in the order of the stored query searchforny, with the columns the rows need. The fill
    // joins items and accounts itself.
    static QString SearchSql();
    // Whether a booking is found by the keyword: the keyword occurs in the booking number
    // (as text with one leading blank), the title or the account name, without regard to
    // case (also of letters such as æ, ø, å). A Null title or account name holds nothing.
    static bool Matches(const QString &keyword, int32_t bookingnr, const QVariant &title,
                        const QVariant &account);

    QLineEdit *SSB = nullptr;
    DatePicker *startdate = nullptr;
    DatePicker *slutdate = nullptr;
    QGroupBox *Sort = nullptr;
    QRadioButton *optall = nullptr;
    QRadioButton *Optdom = nullptr;
    QRadioButton *Optadd = nullptr;
    QRadioButton *OptSA = nullptr;
    QPushButton *Reset = nullptr;
    QPushButton *Info = nullptr;
    QPushButton *Close = nullptr;
    QLabel *D = nullptr;
    ListGrid *SList = nullptr;
    // The filter state.
    QLineEdit *gart1 = nullptr;
    QLineEdit *gart2 = nullptr;
    QLineEdit *gart3 = nullptr;
    QLineEdit *startd = nullptr;
    QLineEdit *slutd = nullptr;

private:
    struct Found
    {
        int32_t bookingnr = 0;
        int32_t account = 0;
        int32_t item = 0;
    };
    void GotoBookingInCalendar(const Found &b);
    void GotoBookingInCalMdag(const Found &b, bool itemExists);
    void OpenBookingForEdit(int32_t n);
    void ShowBookingInfo(int32_t n);
    void setKinds(int g1, int g2, int g3);
    void setPeriodToHalfYear();
    void showPeriod();

    struct Source;

    PeriodPair *m_period = nullptr;
    bool m_resetting = false;
    std::unique_ptr<Source> m_source;   // kept between fills; see the .cpp
};
