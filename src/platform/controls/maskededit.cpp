#include "platform/controls/maskededit.h"

#include "platform/controls/msgbox.h"

#include <QLocale>
#include <QValidator>

#include <cmath>

// Refuses, as they are typed, the texts that no further typing makes a number, and keeps what
// was refused and why for the box's message.
class NumberValidator : public QValidator
{
public:
    explicit NumberValidator(MaskedEdit *box) : QValidator(box), m_box(box) {}

    State validate(QString &input, int &) const override
    {
        switch (m_box->read(input, nullptr)) {
        case MaskedEdit::Reading::Empty:
        case MaskedEdit::Reading::Number:
            return Acceptable;
        case MaskedEdit::Reading::Unfinished:
        case MaskedEdit::Reading::Ambiguous:
            return Intermediate;
        default:
            m_refused = input;
            return Invalid;
        }
    }

    QString refused() const { return m_refused; }

private:
    MaskedEdit *m_box;
    mutable QString m_refused;
};

MaskedEdit::MaskedEdit(QWidget *parent) : TypedLine(parent), m_validator(new NumberValidator(this))
{
    setValidator(m_validator);
    setTaker([this] { return acceptInput(); });
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &MaskedEdit::valueChanged);
    connect(this, &QLineEdit::inputRejected, this, [this] {
        // Raised for a text set by code too, which is not the user's typing.
        if (!isModified())
            return;
        const QString typed = m_validator->refused();
        refuse(read(typed, nullptr), typed);
    });
}

void MaskedEdit::setFormat(const QString &format)
{
    m_format = format;
    const int point = int(format.indexOf('.'));
    m_decimals = format.isEmpty() ? -1 : point < 0 ? 0 : int(format.size()) - point - 1;
    if (!m_held.isNull() && !isModified())
        setValue(m_held);
}

int MaskedEdit::maxDecimals() const { return m_decimals >= 0 ? m_decimals : 6; }

MaskedEdit::Reading MaskedEdit::read(const QString &text, double *value) const
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return Reading::Empty;
    if (t.contains('-') || t.contains(QChar(0x2212)))
        return Reading::Negative;
    int separators = 0;
    qsizetype at = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c == '.' || c == ',') {
            ++separators;
            at = i;
        } else if (!(c >= '0' && c <= '9')) {
            return m_decimals == 0 ? Reading::NotWhole : Reading::NotANumber;
        }
    }
    if (separators > 0 && m_decimals == 0)
        return Reading::NotWhole;
    if (separators > 1)
        return Reading::NotANumber;
    const QString whole = at < 0 ? t : t.left(at);
    const QString decimals = at < 0 ? QString() : t.mid(at + 1);
    if (whole.isEmpty() && decimals.isEmpty())
        return Reading::Unfinished;
    QString significant = whole;
    while (significant.startsWith('0'))
        significant.remove(0, 1);
    if (significant.size() > (m_decimals == 0 ? 9 : 12))
        return Reading::TooLarge;
    // "1,250" where the desktop groups thousands with a comma: a thousand and more, or a
    // number with decimals?
    const QLocale desktop;
    if (at >= 0 && QString(t.at(at)) == desktop.groupSeparator()
        && desktop.groupSeparator() != desktop.decimalPoint() && decimals.size() == 3
        && !whole.isEmpty() && whole.size() <= 3 && !whole.startsWith('0'))
        return Reading::Ambiguous;
    if (decimals.size() > maxDecimals())
        return Reading::TooManyDecimals;
    if (value)
        *value = QString(t).replace(',', '.').toDouble();
    return Reading::Number;
}

std::optional<double> MaskedEdit::number() const
{
    QString t = text().trimmed();
    const bool negative = t.startsWith('-') || t.startsWith(QChar(0x2212));
    if (negative)
        t.remove(0, 1);
    double v = 0;
    if (read(t, &v) != Reading::Number)
        return std::nullopt;
    return negative ? -v : v;
}

QVariant MaskedEdit::Value() const
{
    if (text().trimmed().isEmpty())
        return QVariant();
    const std::optional<double> v = number();
    if (!v)
        return m_held;
    if (m_decimals == 0 && *v == std::floor(*v))
        return QVariant(qlonglong(*v));
    return QVariant(*v);
}

void MaskedEdit::setValue(const QVariant &value)
{
    bool ok = false;
    const double v = value.isNull() || !value.isValid() ? 0 : value.toDouble(&ok);
    if (ok && std::isfinite(v))
        m_held = m_decimals == 0 && v == std::floor(v) ? QVariant(qlonglong(v)) : QVariant(v);
    else
        m_held = QVariant();
    const QString t = m_held.isNull() ? QString() : shown(v);
    if (t != text())
        setText(t);
    setModified(false);
}

QString MaskedEdit::shown(double value) const
{
    if (m_decimals > 0)
        return QString::number(value, 'f', m_decimals);
    if (m_decimals == 0 && value == std::floor(value) && std::abs(value) < 1e15)
        return QString::number(qlonglong(value));
    return QString::number(value, 'g', 15);
}

bool MaskedEdit::acceptInput()
{
    if (m_refusing)
        return false;
    // A text that code set stands as it is: only what the user typed is read here.
    if (!isModified())
        return true;
    const QString typed = text();
    double v = 0;
    const Reading reading = read(typed, &v);
    if (reading == Reading::Empty) {
        m_held = QVariant();
        return true;
    }
    if (reading != Reading::Number) {
        refuse(reading, typed);
        return false;
    }
    // The number as the program shows numbers, with a point before the decimals.
    const QString t = shown(v);
    if (t != text())
        setText(t);
    setModified(false);
    m_held = m_decimals == 0 ? QVariant(qlonglong(v)) : QVariant(v);
    return true;
}

QString MaskedEdit::refusal(Reading reading, const QString &text) const
{
    const QString name = m_fieldName.isEmpty() ? QStringLiteral("The number") : m_fieldName;
    switch (reading) {
    case Reading::Negative:
        return QStringLiteral("%1 cannot be negative: type the number without a minus.").arg(name);
    case Reading::NotWhole:
        return QStringLiteral("%1 must be a whole number, such as 12.").arg(name);
    case Reading::TooLarge:
        return QStringLiteral("%1 is too large.").arg(name);
    case Reading::TooManyDecimals:
        return maxDecimals() == 1
                   ? QStringLiteral("%1 takes one decimal at most.").arg(name)
                   : QStringLiteral("%1 takes %2 decimals at most.").arg(name).arg(maxDecimals());
    case Reading::Ambiguous: {
        const QString t = text.trimmed();
        const qsizetype at = t.indexOf(QLocale().groupSeparator());
        const QString thousands = t.left(at) + t.mid(at + 1);
        const QString decimals = t.left(at) + '.' + t.mid(at + 1);
        return QStringLiteral("%1: %2 may mean %3 or %4. Type the number without a thousands "
                              "separator.")
            .arg(name, t, thousands, decimals);
    }
    default:
        return QStringLiteral("%1 must be a number, such as 1250.50 or 1250,50, without "
                              "thousands separators.")
            .arg(name);
    }
}

void MaskedEdit::refuse(Reading reading, const QString &text)
{
    if (m_refusing)
        return;
    m_refusing = true;
    MsgBox::show(refusal(reading, text), MsgBox::OkOnly | MsgBox::Exclamation, QString());
    setFocus(Qt::OtherFocusReason);
    selectAll();
    m_refusing = false;
}
