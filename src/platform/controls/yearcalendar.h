#pragma once

#include <QDate>
#include <QSet>
#include <QWidget>

class QLabel;
class QToolButton;

// A year calendar: twelve months from the shown month and year on. A click on a day makes it
// the value (a day number, days since 1900-01-01) and raises DateClick. Days can be marked,
// for instance the dates already picked.
class YearCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit YearCalendar(QWidget *parent = nullptr);

    int month() const { return m_month; }   // 1 to 12
    int year() const { return m_year; }
    void setMonth(int month);
    void setYear(int year);

    int value() const;
    void setValue(int dayNumber);
    QDate date() const { return m_value; }

    // 0 Sunday first, any other value Monday first.
    void setFirstDay(int firstDay);

    void setMarked(int dayNumber, bool marked);
    bool isMarked(int dayNumber) const { return m_marked.contains(dayNumber); }
    void clearMarks();

    // Clicks a day as the user would; false when it is not among the shown months.
    bool clickDate(const QDate &date);
    // Where a shown day lies in the widget; an empty rectangle for a day not shown.
    QRect cellRect(const QDate &date) const;

    QSize sizeHint() const override;
    // The twelve months need all of their room.
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void DateClick();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    QDate firstShown() const { return QDate(m_year, m_month, 1); }
    QRect monthRect(int index) const;
    QDate dateAt(const QPoint &pos) const;
    QRect dayRect(int index, const QDate &date) const;
    void shift(int months);
    void updateTitle();

    int m_month = 1;
    int m_year = 2000;
    QDate m_value;
    Qt::DayOfWeek m_firstDay = Qt::Monday;
    QSet<int> m_marked;
    QToolButton *m_previous;
    QToolButton *m_next;
    QLabel *m_title;
};
