#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

#include <QString>

#include <cstdint>

class DateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TimeEdit;

// The read-only booking view: one booking of bookingfor, shown for users who may not edit it.
// Its data control is read-only and every box is locked, so nothing is ever written.
class Searchinfoform final : public Form
{
    Q_OBJECT
public:
    Searchinfoform();
    ~Searchinfoform() override;

    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    void Luk_Click();

    // Shows the view and positions it on the first booking that matches the criteria
    // ("[Bookingnr]=12" or "bookingnr = 12"). A booking that the bookingfile no longer holds
    // is reported and not shown.
    void ShowBooking(const QString &criteria);
    void ShowBooking(int32_t n);

    QPlainTextEdit *Beskrivelse = nullptr;
    QPlainTextEdit *Lokalenavn = nullptr;
    DateEdit *Bdato = nullptr;
    TimeEdit *bstart = nullptr;
    TimeEdit *bslut = nullptr;
    QLineEdit *kontonavn = nullptr;
    QLineEdit *Kontaktperson = nullptr;
    QLineEdit *Kontakttlf = nullptr;
    QLineEdit *Kontakttlfb = nullptr;
    QPlainTextEdit *langbeskrivelse = nullptr;
    QLineEdit *Bookingnr = nullptr;
    QPushButton *Luk = nullptr;

    DataControl Data1;

protected:
    // Enter and Escape close the view, as Ok does.
};
