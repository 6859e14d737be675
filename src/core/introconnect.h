#pragma once

#include "platform/controls/form.h"

class FilePicker;
class QLabel;
class QPushButton;

// Offers to open an existing bookingfile or to create a new one; start-up shows it when the
// stored bookingfile cannot be used.
class IntroConnect final : public Form
{
    Q_OBJECT
public:
    IntroConnect();

    void Openf_Click();
    void Createf_Click();
    void exit_Click();

    // After a chosen file: hide this form and run the start-up on it.
    void OpenExistingFile();
    void CreateNewFile();

    QLabel *Image1 = nullptr;
    QPushButton *Openf = nullptr;
    QPushButton *Createf = nullptr;
    QPushButton *exit = nullptr;
    FilePicker *ctFileOpen = nullptr;
    FilePicker *ctFilecreate = nullptr;
};
