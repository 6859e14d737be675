#pragma once

#include "platform/controls/form.h"

class DatePicker;
class ListGrid;
class PeriodPair;
class QLineEdit;
class QPushButton;

// The repeated bookings whose series ends within a chosen period, so that the staff see which
// series run out; for reading and printing, a row opens nothing.
// It declares no signal or slot of its own, so it goes without the meta-object macro (the
// meta-object compiler does not read a class name outside ASCII).
class gudløbover final : public Form
{
public:
    gudløbover();

    void Form_Load() override;
    void cstart_DateChange();
    void cend_DateChange();
    void Printbutton_Click();
    void Luk_Click() { Unload(); }

    // The statements of the fill: the series whose last booking lies in the period (from, to),
    // then the list of the given number of those series (s1.., from, to).
    static QString SeriesSql();
    static QString ExpirySql(int series);

    void SetupExpiryColumns();
    void FillExpiryList();

    DatePicker *cstart = nullptr;
    DatePicker *cend = nullptr;
    QLineEdit *fradato = nullptr;
    QLineEdit *tildato = nullptr;
    ListGrid *ul = nullptr;
    QPushButton *Printbutton = nullptr;
    QPushButton *Luk = nullptr;

private:
    PeriodPair *m_period = nullptr;
};
