#include "admin/unavailableperiod.h"

#include "admin/formlayout.h"
#include "platform/controls/datacontrol.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/msgbox.h"

#include <QCheckBox>

#include <utility>

namespace {
const char kOrder[] = "End date must exceed start date!";
}

UnavailablePeriod::UnavailablePeriod(QCheckBox *flag, DateEdit *start, DateEdit *end,
                                     DataControl &data, QObject *parent)
    : QObject(parent), m_flag(flag), m_start(start), m_end(end), m_data(data)
{
    connect(m_start, &DEdit::LostFocus, this, [this] {
        if (std::exchange(m_startTyped, false))
            correctStart();
    });
    connect(m_end, &DEdit::LostFocus, this, [this] {
        if (std::exchange(m_endTyped, false))
            correctEnd();
    });
}

void UnavailablePeriod::flagClicked(int days)
{
    m_setting = true;
    FormLayout::setUnavailable(m_flag, m_start, m_end, days);
    m_setting = false;
    m_startTyped = m_endTyped = false;
}

void UnavailablePeriod::endChanged()
{
    // Only the user's changes are corrected; filling the boxes from a row changes nothing.
    if (m_setting || m_data.isFilling())
        return;
    if (m_end->isTyping())
        m_endTyped = true;
    else
        correctEnd();
}

void UnavailablePeriod::startChanged()
{
    if (m_setting || m_data.isFilling())
        return;
    if (m_start->isTyping())
        m_startTyped = true;
    else
        correctStart();
}

bool UnavailablePeriod::corrected()
{
    if (std::exchange(m_startTyped, false) && correctStart())
        return true;
    if (std::exchange(m_endTyped, false) && correctEnd())
        return true;
    return m_flag->isChecked() && correctEnd();
}

bool UnavailablePeriod::correctEnd()
{
    if (m_start->isNull() || m_end->isNull() || m_end->value() >= m_start->value())
        return false;
    MsgBox::show(QString::fromLatin1(kOrder));
    m_end->setValue(m_start->value() + 14);
    return true;
}

bool UnavailablePeriod::correctStart()
{
    if (m_start->isNull() || m_end->isNull() || m_start->value() <= m_end->value())
        return false;
    MsgBox::show(QString::fromLatin1(kOrder));
    m_start->setValue(m_end->value() - 14);
    return true;
}
