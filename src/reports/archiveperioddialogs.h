#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <cstdint>
#include <optional>

class DBList;
class DatePicker;
class PeriodPair;
class QGridLayout;
class QLineEdit;
class QPushButton;

// The criteria dialogs of the two archive reports: a period of the last year by default.
// The first and last day are held as day numbers; the report reads them as it starts and
// closes the dialog once it is made.
class ArchivePeriodDialog : public Form
{
    Q_OBJECT
public:
    void Form_Load() override;
    void cstart_DateChange();
    void cend_DateChange();
    virtual void Kommandoknap22_Click() = 0;
    void Luk_Click();

    int32_t from() const;
    int32_t to() const;

    DatePicker *cstart = nullptr;
    DatePicker *cend = nullptr;
    QLineEdit *fradato = nullptr;
    QLineEdit *tildato = nullptr;
    QPushButton *Kommandoknap22 = nullptr;
    QPushButton *Luk = nullptr;

protected:
    ArchivePeriodDialog(const QString &name, const QString &caption);
    // Adds a labelled box under the period.
    void addCriterion(const QString &text, QWidget *box);

private:
    void showPeriod();

    QGridLayout *m_grid = nullptr;
    PeriodPair *m_period = nullptr;
};

// Criteria of the period details: the period and one account.
class datoarkivperiodeAC final : public ArchivePeriodDialog
{
    Q_OBJECT
public:
    datoarkivperiodeAC();
    ~datoarkivperiodeAC() override;

    void Form_Load() override;
    void Kommandoknap22_Click() override;

    // The chosen account's number; none when the bookingfile lists no account.
    std::optional<int32_t> account() const;
    QString accountName() const;

    DataControl Data1;
    DBList *knr = nullptr;
};

// Criteria of the period totals: the period only.
class datoarkivperiodeht final : public ArchivePeriodDialog
{
    Q_OBJECT
public:
    datoarkivperiodeht();

    void Kommandoknap22_Click() override;
};
