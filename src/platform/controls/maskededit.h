#pragma once

#include "platform/controls/typedline.h"

#include <QVariant>

#include <optional>

class NumberValidator;

// A number box. The user types a number with a point or a comma before its decimals: the
// desktop's decimal separator and the point are both read. What cannot be read as exactly one
// number is refused where it is typed, with a message that says why, and never stored as
// another number: a minus (the program's numbers are never negative), a letter, a second
// separator, a thousands separator, more decimals than the format shows. A text that may be
// read two ways ("1,250" where the desktop groups thousands with a comma) is refused as the box
// is left, as Enter is pressed or as its window is closed.
//
// Its value is a number (a whole number with the format "0"), or Null while the box is empty.
// Once the box is left the number shows as the program shows numbers, with a point before the
// decimals: with a format such as "0.00" with that many decimals, without one as it stands
// ("1234.5"). Bound to a field (DataControl::bind) through its Value.
class MaskedEdit : public TypedLine
{
    Q_OBJECT
    Q_PROPERTY(QVariant Value READ Value WRITE setValue NOTIFY valueChanged USER true)
public:
    explicit MaskedEdit(QWidget *parent = nullptr);

    // A pattern of "0" with an optional point and decimals: "0" for whole numbers, "0.00".
    void setFormat(const QString &format);
    QString Format() const { return m_format; }
    // The name of the number in the refusals ("Fee/hour").
    void setFieldName(const QString &name) { m_fieldName = name; }

    // The typed number; while the text is no number that can be read exactly, the number the
    // box held before it was typed.
    QVariant Value() const;
    void setValue(const QVariant &value);
    // The number the text holds now (a minus set by code included); nothing while it is empty
    // or no number that can be read exactly.
    std::optional<double> number() const;

    // Takes the typed text as leaving the box does: true when it holds a number or nothing,
    // which then shows in the box's form; otherwise the refusal is shown and the box keeps the
    // focus with its text selected.
    bool acceptInput();

signals:
    // The value changed, by the user or by code.
    void valueChanged();

private:
    friend class NumberValidator;
    enum class Reading { Empty, Number, Unfinished, Negative, NotWhole, NotANumber, TooLarge,
                         TooManyDecimals, Ambiguous };
    Reading read(const QString &text, double *value) const;
    QString refusal(Reading reading, const QString &text) const;
    void refuse(Reading reading, const QString &text);
    QString shown(double value) const;
    int maxDecimals() const;

    NumberValidator *m_validator;
    QString m_format;
    QString m_fieldName;
    int m_decimals = -1;   // -1: as typed
    QVariant m_held;       // the value before the user's typing
    bool m_refusing = false;
};
