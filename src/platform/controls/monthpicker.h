#pragma once

#include <QCalendarWidget>

// Month calendar on which the user picks a day. Days are day numbers (1900-01-01 is day 0).
// Value and CurrentDay name the same day: the one picked and shown.
class MonthPicker : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit MonthPicker(QWidget *parent = nullptr);

    qint32 Value() const;
    void SetValue(qint32 day);          // shows the day's month; raises no DateSelected
    qint32 CurrentDay() const { return Value(); }
    void SetCurrentDay(qint32 day) { SetValue(day); }
    // "0": weeks begin on Sunday, "1": on Monday; without it the program's first day.
    QString FirstDayOfWeek() const;
    void SetFirstDayOfWeek(const QString &code);

signals:
    void DateSelected();                // the user picked a day

protected:
    void showEvent(QShowEvent *e) override;

private:
    void markToday();

    bool m_firstDaySet = false;
    bool m_settingValue = false;
    bool m_selectionReported = false;
    QDate m_markedToday;
};
