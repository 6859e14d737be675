#pragma once

#include "platform/controls/form.h"

class QLabel;
class QPushButton;

// Offers to open an existing bookingfile or to create a new one.
class IntroConnect final : public Form
{
    Q_OBJECT
public:
    IntroConnect();

    void Openf_Click();
    void Createf_Click();
    void exit_Click();

    QLabel *Image1 = nullptr;
    QPushButton *Openf = nullptr;
    QPushButton *Createf = nullptr;
    QPushButton *exit = nullptr;
};
