#include "platform/controls/yearcalendar.h"
#include "platform/daynumber.h"

#include "platform/controls/daytext.h"
#include "platform/system.h"

#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {
constexpr int kColumns = 4;     // months in a row
constexpr int kRows = 3;
constexpr int kHeader = 28;     // the navigation row
constexpr int kCell = 22;       // one day's width
constexpr int kRow = 19;        // one week's height: the year fits a small screen
constexpr int kMonthTitle = 20;
constexpr int kGap = 10;
constexpr int kMonthWidth = 7 * kCell;
constexpr int kMonthHeight = kMonthTitle + kRow + 6 * kRow;
} // namespace

YearCalendar::YearCalendar(QWidget *parent)
    : QWidget(parent), m_previous(new QToolButton(this)), m_next(new QToolButton(this)),
      m_title(new QLabel(this))
{
    const QDate today = System::today();
    m_month = today.month();
    m_year = today.year();
    m_value = today;
    m_previous->setArrowType(Qt::LeftArrow);
    m_next->setArrowType(Qt::RightArrow);
    m_previous->setToolTip(tr("Previous month"));
    m_next->setToolTip(tr("Next month"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    connect(m_previous, &QToolButton::clicked, this, [this] { shift(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { shift(1); });
    setFocusPolicy(Qt::StrongFocus);
    updateTitle();
}

QSize YearCalendar::sizeHint() const
{
    return QSize(kColumns * kMonthWidth + (kColumns + 1) * kGap,
                 kHeader + kRows * kMonthHeight + (kRows + 1) * kGap);
}

void YearCalendar::setMonth(int month)
{
    m_month = qBound(1, month, 12);
    updateTitle();
}

void YearCalendar::setYear(int year)
{
    m_year = year;
    updateTitle();
}

int YearCalendar::value() const { return DayNumber::fromDate(m_value); }

void YearCalendar::setValue(int dayNumber)
{
    m_value = DayNumber::toDate(dayNumber);
    update();
}

void YearCalendar::setFirstDay(int firstDay)
{
    m_firstDay = firstDay == 0 ? Qt::Sunday : Qt::Monday;
    update();
}

void YearCalendar::setMarked(int dayNumber, bool marked)
{
    if (marked)
        m_marked.insert(dayNumber);
    else
        m_marked.remove(dayNumber);
    update();
}

void YearCalendar::clearMarks()
{
    m_marked.clear();
    update();
}

void YearCalendar::shift(int months)
{
    const QDate first = firstShown().addMonths(months);
    m_month = first.month();
    m_year = first.year();
    updateTitle();
}

void YearCalendar::updateTitle()
{
    const QLocale locale;
    const QDate first = firstShown();
    const QDate last = first.addMonths(11);
    m_title->setText(locale.standaloneMonthName(first.month()) + ' ' + QString::number(first.year())
                     + QStringLiteral(" – ") + locale.standaloneMonthName(last.month()) + ' '
                     + QString::number(last.year()));
    const int width = sizeHint().width();
    m_previous->setGeometry(kGap, 2, kHeader - 4, kHeader - 4);
    m_next->setGeometry(width - kGap - (kHeader - 4), 2, kHeader - 4, kHeader - 4);
    m_title->setGeometry(kGap + kHeader, 2, width - 2 * (kGap + kHeader), kHeader - 4);
    update();
}

QRect YearCalendar::monthRect(int index) const
{
    const int column = index % kColumns;
    const int row = index / kColumns;
    return QRect(kGap + column * (kMonthWidth + kGap),
                 kHeader + kGap + row * (kMonthHeight + kGap), kMonthWidth, kMonthHeight);
}

// The cell of a date within the month block of that index.
QRect YearCalendar::dayRect(int index, const QDate &date) const
{
    const QRect block = monthRect(index);
    const QDate first(date.year(), date.month(), 1);
    const int lead = (first.dayOfWeek() - m_firstDay + 7) % 7;
    const int cell = lead + date.day() - 1;
    return QRect(block.left() + cell % 7 * kCell,
                 block.top() + kMonthTitle + kRow + cell / 7 * kRow, kCell, kRow);
}

QDate YearCalendar::dateAt(const QPoint &pos) const
{
    for (int index = 0; index < 12; ++index) {
        if (!monthRect(index).contains(pos))
            continue;
        const QDate first = firstShown().addMonths(index);
        for (int day = 1; day <= first.daysInMonth(); ++day) {
            const QDate date(first.year(), first.month(), day);
            if (dayRect(index, date).contains(pos))
                return date;
        }
    }
    return QDate();
}

QRect YearCalendar::cellRect(const QDate &date) const
{
    const QDate first = firstShown();
    if (!date.isValid() || date < first || date >= first.addMonths(12))
        return QRect();
    const int index = (date.year() - first.year()) * 12 + date.month() - first.month();
    return dayRect(index, date);
}

bool YearCalendar::clickDate(const QDate &date)
{
    const QDate first = firstShown();
    if (!date.isValid() || date < first || date >= first.addMonths(12))
        return false;
    m_value = date;
    update();
    emit DateClick();
    return true;
}

void YearCalendar::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    const QDate date = dateAt(e->position().toPoint());
    if (date.isValid())
        clickDate(date);
}

void YearCalendar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    const QLocale locale;
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.85);
    QFont bold = font();
    bold.setBold(true);
    const QDate today = System::today();

    for (int index = 0; index < 12; ++index) {
        const QDate first = firstShown().addMonths(index);
        const QRect block = monthRect(index);
        p.setFont(bold);
        p.setPen(pal.color(QPalette::Text));
        p.drawText(QRect(block.left(), block.top(), block.width(), kMonthTitle), Qt::AlignCenter,
                   locale.standaloneMonthName(first.month()) + ' ' + QString::number(first.year()));
        p.setFont(small);
        p.setPen(pal.color(QPalette::PlaceholderText));
        for (int i = 0; i < 7; ++i) {
            const int weekday = (m_firstDay - 1 + i) % 7 + 1;
            p.drawText(QRect(block.left() + i * kCell, block.top() + kMonthTitle, kCell, kRow),
                       Qt::AlignCenter, QLocale(QLocale::English).dayName(weekday, QLocale::ShortFormat).left(2));
        }
        for (int day = 1; day <= first.daysInMonth(); ++day) {
            const QDate date(first.year(), first.month(), day);
            const QRect cell = dayRect(index, date).adjusted(1, 1, -1, -1);
            const bool marked = m_marked.contains(DayNumber::fromDate(date));
            if (marked)
                p.fillRect(cell, pal.color(QPalette::Highlight));
            if (date == m_value) {
                p.setPen(QPen(pal.color(QPalette::Highlight).darker(140), 2));
                p.drawRect(cell.adjusted(1, 1, -1, -1));
            }
            if (date == today) {
                // Today is framed, so it stands out also among marked days.
                p.setPen(QPen(QColor(200, 30, 30), 1));
                p.drawRect(cell);
            }
            QFont dayFont = font();
            dayFont.setBold(date == today);
            p.setFont(dayFont);
            p.setPen(marked ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
            p.drawText(cell, Qt::AlignCenter, QString::number(day));
        }
    }
}
