#pragma once

#include "admin/recordform.h"

class DateEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;
class UnavailablePeriod;

// The unavailable flag and period of one resource item. The end never lies before the start:
// a change that would put it there is corrected to a period of 14 days.
class EditUnavail final : public RecordForm
{
    Q_OBJECT
public:
    EditUnavail();

    void Form_Unload(bool &cancel) override;

    // Checked: both days become today and the edits are enabled; unchecked: the edits are
    // disabled and keep their days.
    void inaktiv_Click();
    void cstart_Spin(bool down);
    void cslut_Spin(bool down);
    void cstart_Change();
    void cslut_Change();
    // Closes the form, which writes the row; the list then shows it.
    void ok_Click();

    QLineEdit *lokalenr = nullptr;
    QLineEdit *Lokalenavn = nullptr;
    QCheckBox *inaktiv = nullptr;
    DateEdit *cstart = nullptr;
    DateEdit *cslut = nullptr;
    QPushButton *ok = nullptr;

protected:
    void afterLoad() override;
    // The period is checked, and corrected, on every write of the row; Ok checks it also on a
    // row that was not changed. The name is only shown here: it is not checked.
    bool rowAccepted() override { return readyToClose(); }
    bool readyToClose() override;

private:
    UnavailablePeriod *m_period = nullptr;
};
