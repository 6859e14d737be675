#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <optional>

class QCalendarWidget;
class QFrame;
class QToolButton;
class TypedLine;

// A drop-down date picker: the date as text, and a button that drops a month calendar. Its
// value is a day number (days since 1900-01-01), today at first. It can be empty (setNull):
// it then shows no text until a day is picked. The user picks a day in the calendar, or types
// one in the box's pattern, which is taken as the box is left or Enter is pressed: a text that
// is no date from 1900 to 9999 is refused with a message and the box shows its date again;
// an emptied box shows its date again. DateChange and DateSelected are raised when the user
// picks or types a day; setting the value from code raises neither.
// Bound to a date field (DataControl::bind) through BoundDate: a QDate, or Null for an empty
// field.
class DatePicker : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QVariant BoundDate READ BoundDate WRITE setBoundDate NOTIFY boundDateChanged
                   USER true)
public:
    explicit DatePicker(QWidget *parent = nullptr);

    int value() const;
    void setValue(int dayNumber);
    QDate date() const { return m_date; }   // invalid while empty
    void setDate(const QDate &date);
    bool isNull() const { return !m_date.isValid(); }
    void setNull();

    QVariant BoundDate() const;
    void setBoundDate(const QVariant &value);

    // The pattern of the shown text, made of dd, mm and yyyy ("dd-mm-yyyy").
    void setDateFormat(const QString &pattern);
    QString dateFormat() const { return m_pattern; }
    QString text() const;

    // 0 Sunday first, any other value Monday first; without it the program's first day.
    void setFirstDay(int firstDay);

    void showCalendar();
    void hideCalendar();
    bool isCalendarShown() const;

    // Picks a day as the user would.
    void pick(const QDate &date);
    // The date a text holds in the pattern (day and month of one or two digits, the year of
    // four, or of two for a pattern of "yy"); invalid when it holds none from 1900 to 9999.
    QDate readDate(const QString &text) const;

signals:
    void DateChange();
    void DateSelected();
    // The date changed, by the user or by code.
    void boundDateChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takeTyped();

    TypedLine *m_text;
    QToolButton *m_button;
    QFrame *m_popup;
    QCalendarWidget *m_calendar;
    QDate m_date;
    QString m_pattern = QStringLiteral("dd-mm-yyyy");
    std::optional<Qt::DayOfWeek> m_firstDay;
    bool m_refusing = false;
};
