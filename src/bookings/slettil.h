#pragma once

#include "bookings/repeatseries.h"
#include "platform/controls/form.h"

class QLabel;
class QPushButton;

// The chooser of a series member's repeat button: add dates to the series or delete members.
class slettil final : public Form
{
    Q_OBJECT
public:
    slettil();

    void Form_Load() override;
    void Add_Click();
    void delete_Click();
    void exit_Click();

    QLabel *Label1 = nullptr;
    QPushButton *Add = nullptr;
    QPushButton *delete_ = nullptr;   // "delete" is a keyword
    QPushButton *exit = nullptr;

protected:

private:
    RepeatSeries::Origin m_origin;
};
