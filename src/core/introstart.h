#pragma once

#include "platform/controls/form.h"

class QLabel;
class QTimer;

// The splash: shows the product's picture; five seconds later its timer runs the start-up.
class introstart final : public Form
{
    Q_OBJECT
public:
    introstart();
    void Timer1_Timer();

    QLabel *Image1 = nullptr;
    QTimer *Timer1 = nullptr;
};
