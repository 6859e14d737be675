#pragma once

#include <QDate>
#include <QWidget>

#include <optional>

class QCalendarWidget;

// A month calendar. Its value is a day number (days since 1900-01-01) and always holds a
// date (today at first). DateChange and DateSelected are raised when the user picks a day;
// setting the value from code raises neither.
class DateCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit DateCalendar(QWidget *parent = nullptr);

    int value() const;
    void setValue(int dayNumber);
    QDate date() const;
    void setDate(const QDate &date);

    // 0 Sunday first, any other value Monday first; without it the program's first day.
    void setFirstDay(int firstDay);

    // Picks a day as the user would.
    void pick(const QDate &date);

signals:
    void DateChange();
    void DateSelected();

protected:
    void showEvent(QShowEvent *e) override;

private:
    QCalendarWidget *m_calendar;
    std::optional<Qt::DayOfWeek> m_firstDay;
    bool m_setting = false;
};
