#pragma once

#include "platform/controls/form.h"

#include <QString>

#include <cstdint>

class DatePicker;
class QGroupBox;
class QLineEdit;
class QPushButton;
class PeriodPair;
class QRadioButton;

// The criteria of the booking overview: a period and the kinds of resource to print. The
// report reads them as it starts and closes this dialog once it is made.
class datobookingperiode final : public Form
{
    Q_OBJECT
public:
    datobookingperiode();

    void Form_Load() override;
    void fradato_DateChange();
    void tildato_DateChange();
    void SetGroupCriteria();
    void uds_Click();
    void annuler_Click();

    // What the report prints: first and last day number, three kind codes (100 matches no
    // kind) and their label. Held as numbers, never read back from a box's text.
    struct Criteria
    {
        int32_t from = 0;
        int32_t to = 0;
        int g1 = 1, g2 = 2, g3 = 3;
        QString label;
    };
    Criteria criteria() const;

    DatePicker *fradato = nullptr;
    DatePicker *tildato = nullptr;
    QLineEdit *fra = nullptr;
    QLineEdit *til = nullptr;
    QLineEdit *g1 = nullptr;
    QLineEdit *g2 = nullptr;
    QLineEdit *g3 = nullptr;
    QLineEdit *Prtext = nullptr;
    QGroupBox *Gruppe = nullptr;
    QRadioButton *AltAll = nullptr;
    QRadioButton *AltDom = nullptr;
    QRadioButton *AltAdd = nullptr;
    QRadioButton *AltStand = nullptr;
    QPushButton *uds = nullptr;
    QPushButton *annuler = nullptr;

private:
    void showCriteria();

    Criteria m_criteria;   // the kinds; the period is held by m_period
    PeriodPair *m_period = nullptr;
};
