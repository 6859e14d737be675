#include "bookings/bookingformboxes.h"

#include "platform/controls/lockedlook.h"

#include <QLabel>
#include <QLineEdit>

namespace BookingFormBoxes {

QLineEdit *lockedBox(QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    showAsLocked(box);
    return box;
}

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

bool readsTrue(const QString &text)
{
    const QString t = text.trimmed();
    bool isNumber = false;
    const double d = t.toDouble(&isNumber);
    if (isNumber)
        return d != 0;
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

bool holdsNumber(const QString &text, int number)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    return ok && d == number;
}

} // namespace BookingFormBoxes
