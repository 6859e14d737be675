#pragma once

#include "bookings/repeatdialog.h"

class DatePicker;
class ListGrid;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The repeat dialog: dates by frequency over a period, each tested for a double booking, kept
// in gendatogent until they are booked as a series.
class fastgen final : public RepeatDialog
{
    Q_OBJECT
public:
    fastgen();

    void Form_Load() override;
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void stcoy_DateSelected();
    void slcoy_DateSelected();
    void Udvalg_Click();
    void remsel_Click();
    void remall_Click();
    void alternates_Click();
    void genbook_DblClick();
    void bookingknap_Click();
    void annuller_Click();

    void SetDefaultPeriod();
    void GenerateDates();

    QGroupBox *frekvensbox = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option5 = nullptr;
    QRadioButton *Option6 = nullptr;
    DatePicker *stcoy = nullptr;
    DatePicker *slcoy = nullptr;
    QPushButton *Udvalg = nullptr;
    QPushButton *remsel = nullptr;
    QPushButton *remall = nullptr;
    QPushButton *alternates = nullptr;
    QPushButton *bookingknap = nullptr;
    QPushButton *annuller = nullptr;
    ListGrid *genbook = nullptr;
    // Hidden state: the step in days, the period as day numbers, the frequency's colour.
    QLineEdit *frekvens = nullptr;
    QLineEdit *Startfastgentagende = nullptr;
    QLineEdit *Slutfastgentagende = nullptr;
    QLineEdit *vcolor = nullptr;

protected:
    ListGrid *dateList() const override { return genbook; }
    void SetupDateListColumns() override;
    QString startPattern() const override { return QStringLiteral("HH:mm"); }
    void showAlternatives(int32_t genId) override;
    void exitDialog() override { annuller_Click(); }

private:
    void chooseFrequency(int step, qint64 colour);
    void BookGeneratedDates();
};
