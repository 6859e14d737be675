#pragma once

#include "bookings/repeatseries.h"
#include "platform/controls/form.h"

class DatePicker;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Deletes the members of the booking form's series that lie in a window of dates.
class sletgentagendeform final : public Form
{
    Q_OBJECT
public:
    sletgentagendeform();

    void Form_Load() override;
    void optall_Click();
    void optrest_Click();
    void optuntil_Click();
    void slcoy_DateChange();
    void Knap12_Click();
    void annul_Click();

    QGroupBox *sletvalg = nullptr;
    QRadioButton *optall = nullptr;
    QRadioButton *optrest = nullptr;
    QRadioButton *optuntil = nullptr;
    DatePicker *slcoy = nullptr;
    QLineEdit *tildato = nullptr;
    QLineEdit *startdato = nullptr;
    QLineEdit *slutdato = nullptr;
    QPushButton *Knap12 = nullptr;
    QPushButton *annul = nullptr;

protected:

private:
    RepeatSeries::Origin m_origin;
    QString m_gennr;        // the series number the booking form showed at opening
    int32_t m_bookingDay = 0;
};
