#pragma once

#include <QLineEdit>
#include <QVariant>

// A number box. It takes only the keys of a plain non-negative number (digits and one decimal
// point, "," read as one); its value is a double, or Null while the box is empty. With a
// format such as "0.00" the value is shown with that many decimals whenever it is set and when
// the box loses the focus; without one it shows the number as it stands. Bound to a field
// (DataControl::bind) through its Value.
class MaskedEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QVariant Value READ Value WRITE setValue NOTIFY valueChanged USER true)
public:
    explicit MaskedEdit(QWidget *parent = nullptr);

    // A pattern of "0" with an optional point and decimals: "0", "0.00".
    void setFormat(const QString &format);
    QString Format() const { return m_format; }

    QVariant Value() const;
    void setValue(const QVariant &value);

signals:
    // The value changed, by the user or by code.
    void valueChanged();

protected:
    void focusOutEvent(QFocusEvent *e) override;

private:
    QString shown(double value) const;

    QString m_format;
    int m_decimals = -1;   // -1: as the number stands
};
