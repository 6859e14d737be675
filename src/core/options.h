#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <optional>

class DBList;
class MaskedEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TabDialog;

// The options of the settings row: how the planner shows times and dates, the tentative
// default, the grids' time unit, the archiving and deletion delays and tax. The boxes are bound
// to the row, which is saved as the form unloads; most changes reach the program state at once.
class Options final : public Form
{
    Q_OBJECT
public:
    Options();

    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    void CheckAmPm_Click();
    void CheckMilitary_Click();
    void CheckTent_Click();
    void Taxtext_Change();
    // The user picked a date format: month first goes with Sunday-first weeks, any other
    // format with Monday-first weeks.
    void ApplyDateFormatChoice();
    // The user picked a time unit.
    void ApplyTimeUnitChoice();
    void ok_Click();


    DataControl Data1;   // the settings row
    DataControl Data2;   // date formats
    DataControl Data3;   // archiving delays
    DataControl Data4;   // deletion delays
    DataControl Data5;   // time units

    TabDialog *SSTab1 = nullptr;
    QCheckBox *CheckAmPm = nullptr;
    QCheckBox *CheckMilitary = nullptr;
    QCheckBox *CheckTent = nullptr;
    DBList *DateFormat = nullptr;
    QLineEdit *DFS1 = nullptr;
    QLineEdit *DFS2 = nullptr;
    DBList *Timeunits = nullptr;
    DBList *ArcDelCombo = nullptr;
    DBList *DelDelCombo = nullptr;
    QCheckBox *Checktax = nullptr;
    MaskedEdit *Taxtext = nullptr;
    QLineEdit *FD = nullptr;
    QPushButton *ok = nullptr;

protected:
    // Enter anywhere in the form is Ok.

private:
    void buildCalendarsTab();
    void buildArchiveTab();
    void buildTaxTab();
    void showUsedSettings();
    bool taxAcceptable();

    // The settings the form hands to the running program, as they were when it opened; an
    // edit closed without saving gives them back.
    struct ProgramSettings
    {
        bool amPm = false;
        bool military = false;
        bool tentative = false;
        double taxPct = 0;
        int16_t timeUnits = 0;
        int16_t dateFormatNr = 0;
        QString dateFormat;
        QString dateFormat2;
        QString firstDay;
        int32_t weekStartDay = 0;
    };
    static ProgramSettings programSettings();
    static void restore(const ProgramSettings &s);
    ProgramSettings m_before;
};
