#pragma once

#include <QObject>

class DatePicker;

// A period held twice: as the dates of two date pickers and as two stored day numbers. A start
// date changed to after the end is refused with "Startdate must be earlier than Enddate!", an
// end date changed to before the start with "Enddate must be later than Startdate!" (both
// titled "Date Info"), and the changed picker gets its stored day back; otherwise the stored
// day follows the picker. Equal dates pass. periodChecked follows in both outcomes.
class PeriodPair final : public QObject
{
    Q_OBJECT
public:
    // The pickers' DateChange runs the checks; both pickers belong to the caller.
    PeriodPair(DatePicker *start, DatePicker *end, QObject *parent);

    // Sets both pickers and both stored days, without a check.
    void setPeriod(int fromDay, int toDay);
    int from() const { return m_from; }
    int to() const { return m_to; }

    void startChanged();
    void endChanged();

signals:
    void periodChecked();

private:
    DatePicker *m_start;
    DatePicker *m_end;
    int m_from = 0;
    int m_to = 0;
};
