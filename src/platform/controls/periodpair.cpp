#include "platform/controls/periodpair.h"

#include "platform/controls/datepicker.h"
#include "platform/controls/msgbox.h"

PeriodPair::PeriodPair(DatePicker *start, DatePicker *end, QObject *parent)
    : QObject(parent), m_start(start), m_end(end), m_from(start->value()), m_to(end->value())
{
    connect(m_start, &DatePicker::DateChange, this, &PeriodPair::startChanged);
    connect(m_end, &DatePicker::DateChange, this, &PeriodPair::endChanged);
}

void PeriodPair::setPeriod(int fromDay, int toDay)
{
    m_from = fromDay;
    m_to = toDay;
    m_start->setValue(fromDay);
    m_end->setValue(toDay);
}

void PeriodPair::startChanged()
{
    if (m_start->date() > m_end->date()) {
        MsgBox::show("Startdate must be earlier than Enddate!", MsgBox::OkOnly, "Date Info");
        m_start->setValue(m_from);
    }
    m_from = m_start->value();
    emit periodChecked();
}

void PeriodPair::endChanged()
{
    if (m_end->date() < m_start->date()) {
        MsgBox::show("Enddate must be later than Startdate!", MsgBox::OkOnly, "Date Info");
        m_end->setValue(m_to);
    }
    m_to = m_end->value();
    emit periodChecked();
}
