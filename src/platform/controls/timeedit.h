#pragma once

#include "platform/controls/dedit.h"

// The time edit box. Its value is seconds since midnight, shown "HH:mm:ss" (or "HH:mm").
// Values outside the day wrap around the clock: -60 is 23:59:00, 86400 is 00:00:00.
class TimeEdit : public DEdit
{
    Q_OBJECT
public:
    explicit TimeEdit(QWidget *parent = nullptr);

    void setShowSeconds(bool show);
    bool showsSeconds() const { return m_seconds; }

protected:
    QString format(int value) const override;
    QString inputMask() const override;
    std::optional<int> parse(const QString &text) const override;
    QString refusal(const QString &text) const override;
    int normalized(int value) const override;

private:
    bool m_seconds = true;
};
