#include "monthpicker.h"
#include "platform/daynumber.h"

#include "plannergeometry.h"
#include "platform/controls/calendarweek.h"
#include "platform/system.h"

#include <QTextCharFormat>
#include <QTimer>

MonthPicker::MonthPicker(QWidget *parent) : QCalendarWidget(parent)
{
    setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    setGridVisible(false);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Qt's own date box for typed digits shows the desktop's date form, not the program's.
    setDateEditEnabled(false);
    setFirstDayOfWeek(CalendarWeek::firstDay());
    setSelectedDate(System::today());
    markToday();

    // The user changes the day by mouse or keys; a click on the day already picked counts too.
    connect(this, &QCalendarWidget::selectionChanged, this, [this] {
        if (m_settingValue)
            return;
        m_selectionReported = true;
        QTimer::singleShot(0, this, [this] { m_selectionReported = false; });
        emit DateSelected();
    });
    auto picked = [this](QDate) {
        if (!m_selectionReported)
            emit DateSelected();
        m_selectionReported = false;
    };
    connect(this, &QCalendarWidget::clicked, this, picked);
    connect(this, &QCalendarWidget::activated, this, picked);
}

qint32 MonthPicker::Value() const
{
    return DayNumber::fromDate(selectedDate());
}

void MonthPicker::SetValue(qint32 day)
{
    m_settingValue = true;
    setSelectedDate(DayNumber::toDate(day));
    m_settingValue = false;
    markToday();
}

QString MonthPicker::FirstDayOfWeek() const
{
    return firstDayOfWeek() == Qt::Sunday ? QStringLiteral("0") : QStringLiteral("1");
}

void MonthPicker::SetFirstDayOfWeek(const QString &code)
{
    m_firstDaySet = true;
    setFirstDayOfWeek(code.trimmed() == QLatin1String("0") ? Qt::Sunday : Qt::Monday);
}

void MonthPicker::showEvent(QShowEvent *e)
{
    if (!m_firstDaySet)
        setFirstDayOfWeek(CalendarWeek::firstDay());
    QCalendarWidget::showEvent(e);
}

void MonthPicker::markToday()
{
    const QDate today = System::today();
    if (today == m_markedToday)
        return;
    if (m_markedToday.isValid())
        setDateTextFormat(m_markedToday, QTextCharFormat());
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setForeground(QColor(25, 118, 210));
    setDateTextFormat(today, format);
    m_markedToday = today;
}
