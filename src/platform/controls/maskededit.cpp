#include "platform/controls/maskededit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <cmath>

MaskedEdit::MaskedEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,12}([.,][0-9]{0,6})?")), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &MaskedEdit::valueChanged);
}

void MaskedEdit::setFormat(const QString &format)
{
    m_format = format;
    const int point = format.indexOf('.');
    m_decimals = format.isEmpty() ? -1 : point < 0 ? 0 : int(format.size()) - point - 1;
    const QVariant v = Value();
    if (!v.isNull())
        setText(shown(v.toDouble()));
}

QVariant MaskedEdit::Value() const
{
    QString t = text().trimmed();
    t.replace(',', '.');
    if (t.isEmpty() || t == ".")
        return QVariant();
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? QVariant(v) : QVariant();
}

void MaskedEdit::setValue(const QVariant &value)
{
    bool ok = false;
    const double v = value.isNull() ? 0 : value.toDouble(&ok);
    const QString t = ok ? shown(v) : QString();
    if (t != text())
        setText(t);
}

QString MaskedEdit::shown(double value) const
{
    if (m_decimals < 0)
        return QString::number(value, 'g', 15);
    return QString::number(value, 'f', m_decimals);
}

void MaskedEdit::focusOutEvent(QFocusEvent *e)
{
    // The typed number takes the format's shape; the value stays the same.
    const QVariant v = Value();
    if (!v.isNull() && m_decimals >= 0) {
        const QString t = shown(v.toDouble());
        if (t != text())
            setText(t);
    }
    QLineEdit::focusOutEvent(e);
}
