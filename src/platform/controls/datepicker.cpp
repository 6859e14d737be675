#include "platform/controls/datepicker.h"
#include "platform/daynumber.h"

#include "platform/controls/calendarweek.h"
#include "platform/controls/daytext.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/typedline.h"
#include "platform/system.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

DatePicker::DatePicker(QWidget *parent)
    : QWidget(parent), m_text(new TypedLine(this)), m_button(new QToolButton(this)),
      m_popup(new QFrame(this, Qt::Popup)), m_calendar(new QCalendarWidget(m_popup))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(m_text, 1);
    row->addWidget(m_button);
    m_text->setTaker([this] { return takeTyped(); });
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_text);
    m_text->installEventFilter(this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_popup->setFrameShape(QFrame::StyledPanel);
    auto *popupLayout = new QVBoxLayout(m_popup);
    popupLayout->setContentsMargins(1, 1, 1, 1);
    popupLayout->addWidget(m_calendar);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    // Dates are typed in the text box, in the program's date form; Qt's own date box in the
    // calendar would take them in the desktop's.
    m_calendar->setDateEditEnabled(false);

    connect(m_button, &QToolButton::clicked, this, [this] {
        if (isCalendarShown())
            hideCalendar();
        else
            showCalendar();
    });
    // A click (or Enter) in the calendar picks the day and closes it.
    connect(m_calendar, &QCalendarWidget::activated, this, &DatePicker::pick);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DatePicker::pick);
    setDate(System::today());
}

int DatePicker::value() const { return isNull() ? 0 : DayNumber::fromDate(m_date); }

void DatePicker::setValue(int dayNumber) { setDate(DayNumber::toDate(dayNumber)); }

void DatePicker::setDate(const QDate &date)
{
    if (!date.isValid() || date == m_date)
        return;
    m_date = date;
    m_text->setText(text());
    emit boundDateChanged();
}

void DatePicker::setNull()
{
    if (isNull())
        return;
    m_date = QDate();
    m_text->clear();
    emit boundDateChanged();
}

QVariant DatePicker::BoundDate() const { return isNull() ? QVariant() : QVariant(m_date); }

void DatePicker::setBoundDate(const QVariant &value)
{
    QDate date;
    if (value.typeId() == QMetaType::QDateTime)
        date = value.toDateTime().date();
    else if (value.typeId() == QMetaType::QString)
        date = QDate::fromString(value.toString().left(10), Qt::ISODate);
    else if (value.isValid() && !value.isNull())
        date = value.toDate();
    if (date.isValid())
        setDate(date);
    else
        setNull();
}

QString DatePicker::text() const
{
    return isNull() ? QString() : DayText::format(m_date, m_pattern);
}

void DatePicker::setDateFormat(const QString &pattern)
{
    m_pattern = pattern;
    m_text->setText(text());
}

void DatePicker::setFirstDay(int firstDay)
{
    m_firstDay = firstDay == 0 ? Qt::Sunday : Qt::Monday;
}

void DatePicker::showCalendar()
{
    m_calendar->setFirstDayOfWeek(m_firstDay.value_or(CalendarWeek::firstDay()));
    // A date typed and not yet taken is where the calendar opens.
    const QDate typed = readDate(m_text->text());
    m_calendar->setSelectedDate(typed.isValid() ? typed : isNull() ? System::today() : m_date);
    m_popup->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen *screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(qMin(at.x(), room.right() - m_popup->width()));
        if (at.y() + m_popup->height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus();
}

void DatePicker::hideCalendar() { m_popup->hide(); }

// F4 and Alt+Down open the calendar from the keyboard, as on a combo box; there the arrows
// move the day, Enter picks it and Escape closes it.
bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4
            || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            showCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool DatePicker::isCalendarShown() const { return m_popup->isVisible(); }

void DatePicker::pick(const QDate &date)
{
    hideCalendar();
    if (!date.isValid())
        return;
    const bool changed = date != m_date;
    setDate(date);
    if (changed)
        emit DateChange();
    emit DateSelected();
}

QDate DatePicker::readDate(const QString &text) const
{
    // The order of day, month and year is the pattern's; the parts are the text's runs of
    // digits, between any separators.
    QString order;
    for (const QChar c : m_pattern.toLower()) {
        if ((c == 'd' || c == 'm' || c == 'y') && !order.contains(c))
            order += c;
    }
    static const QRegularExpression nonDigits(QStringLiteral("[^0-9]+"));
    static const QRegularExpression foreign(QStringLiteral("[^0-9 ./-]"));
    const QString t = text.trimmed();
    const QStringList parts = t.split(nonDigits, Qt::SkipEmptyParts);
    if (order.size() != 3 || parts.size() != 3 || t.contains(foreign))
        return QDate();
    const bool shortYear = m_pattern.count(QLatin1Char('y')) <= 2;
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QString &part = parts[i];
        if (order[i] == 'y') {
            if (part.size() != (shortYear ? 2 : 4))
                return QDate();
            year = shortYear ? DayNumber::fullYear(part.toInt()) : part.toInt();
        } else if (part.size() > 2) {
            return QDate();
        } else {
            (order[i] == 'd' ? day : month) = part.toInt();
        }
    }
    const QDate date(year, month, day);
    return date.isValid() && year >= 1900 && year <= 9999 ? date : QDate();
}

bool DatePicker::takeTyped()
{
    const QString typed = m_text->text().trimmed();
    if (m_refusing || typed == text())
        return true;
    if (typed.isEmpty()) {
        m_text->setText(text());
        return true;
    }
    const QDate date = readDate(typed);
    if (!date.isValid()) {
        m_refusing = true;
        MsgBox::show(QStringLiteral("%1 is not a valid date: type it as %2.").arg(typed, m_pattern),
                     MsgBox::OkOnly | MsgBox::Exclamation, QString());
        m_text->setText(text());
        m_text->setFocus(Qt::OtherFocusReason);
        m_text->selectAll();
        m_refusing = false;
        return false;
    }
    const bool changed = date != m_date;
    setDate(date);
    m_text->setText(text());
    if (changed)
        emit DateChange();
    emit DateSelected();
    return true;
}
