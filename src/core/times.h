#pragma once

#include "platform/controls/datacontrol.h"
#include "platform/controls/form.h"

class QPushButton;
class TimeEdit;

// The opening hours of the settings row: opening and closing time, prime time and the printed
// time span. The row keeps seconds since midnight, the program state minutes; the form saves
// the row and copies the six times into the program state as it unloads.
class Times final : public Form
{
    Q_OBJECT
public:
    Times();

    void Form_Load() override;
    void Form_Unload(bool &cancel) override;

    // A spin steps the hours, minutes or seconds by where the caret stands.
    void ctDEdit1_Spin(bool down);
    void ctDEdit2_Spin(bool down);
    void ctDEdit3_Spin(bool down);
    void ctDEdit4_Spin(bool down);
    void ctDEdit5_Spin(bool down);
    void ctDEdit6_Spin(bool down);
    void Command1_Click();

    DataControl Data1;
    TimeEdit *ctDEdit3 = nullptr;   // opening time
    TimeEdit *ctDEdit1 = nullptr;   // closing time
    TimeEdit *ctDEdit2 = nullptr;   // prime time start
    TimeEdit *ctDEdit4 = nullptr;   // prime time end
    TimeEdit *ctDEdit5 = nullptr;   // printed span start
    TimeEdit *ctDEdit6 = nullptr;   // printed span end
    QPushButton *Command1 = nullptr;

protected:
    // Enter anywhere in the form is Ok.
};
