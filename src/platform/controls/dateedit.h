#pragma once

#include "platform/controls/dedit.h"

#include <QDate>

// The date edit box. Its value is a day number (days since 1900-01-01, day 0), shown by a
// date pattern made of dd, mm and yyyy ("dd-mm-yyyy", "mm/dd/yyyy"). It holds only a date it
// shows and reads back: one from 1900-01-01 to 9999-12-31 (a value beyond is taken to the
// nearer end). It shows a drop-down button, which only raises DropDown: the form opens its
// own calendar. A form without a calendar hides the button.
class DateEdit : public DEdit
{
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);

    // The date style by number: 0 month first ("mm/dd/yyyy"), any other day first
    // ("dd-mm-yyyy").
    void setDateFormat(int formatNumber);
    void setDateFormat(const QString &pattern);
    QString dateFormat() const { return m_pattern; }

    void setDropDownVisible(bool visible) { setDropButtonVisible(visible); }

    QDate date() const;   // invalid while Null
    void setDate(const QDate &date);

protected:
    QString format(int value) const override;
    QString inputMask() const override;
    std::optional<int> parse(const QString &text) const override;
    QString refusal(const QString &text) const override;
    int normalized(int value) const override;

private:
    QString m_pattern = QStringLiteral("dd-mm-yyyy");
};
