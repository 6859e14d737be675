#pragma once

#include <QObject>

class DataControl;
class DateEdit;
class QCheckBox;

// The unavailable period of a resource item on a form: the end never lies before the start.
// A day the user sets (spun, picked, or typed once its box is left) that would put the end
// before the start is corrected at once, with "End date must exceed start date!": an end
// before the start becomes start + 14, a start after the end becomes end - 14. Equal days pass.
class UnavailablePeriod : public QObject
{
    Q_OBJECT
public:
    UnavailablePeriod(QCheckBox *flag, DateEdit *start, DateEdit *end, DataControl &data,
                      QObject *parent);

    // The click of the flag: checked enables both edits and sets the period from today to
    // today + days (no correction runs on it); unchecked disables them and keeps their days.
    void flagClicked(int days);
    // A change of either day, from the date edits' Change.
    void startChanged();
    void endChanged();
    // The check before the row is stored: a day typed but not yet checked, or a period in
    // force (the flag checked) whose end lies before its start, is corrected with the message.
    // True when it corrected a day: the form then stays open and shows the corrected period.
    bool corrected();

private:
    bool correctEnd();
    bool correctStart();

    QCheckBox *m_flag;
    DateEdit *m_start;
    DateEdit *m_end;
    DataControl &m_data;
    // True while the form itself sets the days: no correction runs then.
    bool m_setting = false;
    // A day typed digit by digit is checked when the user leaves its box (or stores the row),
    // not at each digit.
    bool m_startTyped = false;
    bool m_endTyped = false;
};
