#pragma once

#include "admin/recordform.h"

class DateEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The unavailable flag and period of one resource item. The end never lies before the start:
// a change that would put it there is corrected to a period of 14 days.
class EditUnavail final : public RecordForm
{
    Q_OBJECT
public:
    EditUnavail();

    // Checked: both days become today and the edits are enabled; unchecked: the edits are
    // disabled and keep their days.
    void inaktiv_Click();
    void cstart_Spin(bool down);
    void cslut_Spin(bool down);
    void cstart_Change();
    void cslut_Change();
    // Closes the form, which writes the row, and reloads the list.
    void ok_Click();

    QLineEdit *lokalenr = nullptr;
    QLineEdit *Lokalenavn = nullptr;
    QCheckBox *inaktiv = nullptr;
    DateEdit *cstart = nullptr;
    DateEdit *cslut = nullptr;
    QPushButton *ok = nullptr;

protected:
    void afterLoad() override;

private:
    // Corrects the end (or the start) when it lies before the start (after the end); true
    // when it did.
    bool correctEnd();
    bool correctStart();

    // True while the form itself sets the days: no correction runs then.
    bool m_setting = false;
    // A day typed digit by digit is checked when the user leaves its box (or presses Ok),
    // not at each digit.
    bool m_startTyped = false;
    bool m_endTyped = false;
};
