#include "platform/controls/datecalendar.h"
#include "platform/daynumber.h"

#include "platform/controls/calendarweek.h"
#include "platform/system.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

DateCalendar::DateCalendar(QWidget *parent) : QWidget(parent), m_calendar(new QCalendarWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    setFocusProxy(m_calendar);
    setDate(System::today());
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, [this] {
        if (m_setting)
            return;
        emit DateChange();
        emit DateSelected();
    });
}

int DateCalendar::value() const { return DayNumber::fromDate(date()); }

void DateCalendar::setValue(int dayNumber) { setDate(DayNumber::toDate(dayNumber)); }

QDate DateCalendar::date() const { return m_calendar->selectedDate(); }

void DateCalendar::setDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_setting = true;
    m_calendar->setSelectedDate(date);
    m_setting = false;
}

void DateCalendar::setFirstDay(int firstDay)
{
    m_firstDay = firstDay == 0 ? Qt::Sunday : Qt::Monday;
    m_calendar->setFirstDayOfWeek(*m_firstDay);
}

void DateCalendar::showEvent(QShowEvent *e)
{
    m_calendar->setFirstDayOfWeek(m_firstDay.value_or(CalendarWeek::firstDay()));
    QWidget::showEvent(e);
}

void DateCalendar::pick(const QDate &date)
{
    if (date.isValid() && date != this->date())
        m_calendar->setSelectedDate(date);
}
