#pragma once

#include "platform/controls/form.h"

class QLabel;
class QPushButton;

// The About box: the program's version.
class About final : public Form
{
    Q_OBJECT
public:
    About();
    void Luk_Click();

    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Luk = nullptr;

protected:
    // Enter and Escape close the box, as Ok does.
};
