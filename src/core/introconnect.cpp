#include "core/introconnect.h"

#include "core/bookingfilechoice.h"
#include "core/productpicture.h"
#include "core/start.h"
#include "platform/controls/filepicker.h"
#include "platform/system.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

IntroConnect::IntroConnect()
{
    setWindowTitle("Vantix - Connect to a bookingfile");
    Image1 = new QLabel(this);
    Image1->setPixmap(ProductPicture(420, 140));
    auto *text = new QLabel("Open the bookingfile of your institution, or create a new, empty "
                            "bookingfile.",
                            this);
    text->setWordWrap(true);
    Openf = new QPushButton("Open Existing File", this);
    Createf = new QPushButton("Create New File", this);
    exit = new QPushButton("Exit", this);
    ctFileOpen = new FilePicker(this);
    ctFileOpen->setDialogTitle("Vantix - Open existing bookingfile");
    ctFileOpen->setPattern("*.*");
    ctFilecreate = new FilePicker(this);
    ctFilecreate->setDialogTitle("Vantix - Create new bookingfile");
    ctFilecreate->setPattern("*.*");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Openf);
    buttons->addWidget(Createf);
    buttons->addStretch();
    buttons->addWidget(exit);
    auto *top = new QVBoxLayout(this);
    top->addWidget(Image1);
    top->addWidget(text);
    top->addLayout(buttons);
    connect(Openf, &QPushButton::clicked, this, &IntroConnect::Openf_Click);
    connect(Createf, &QPushButton::clicked, this, &IntroConnect::Createf_Click);
    connect(exit, &QPushButton::clicked, this, &IntroConnect::exit_Click);
}

void IntroConnect::Openf_Click() { OpenExistingFile(); }

void IntroConnect::Createf_Click() { CreateNewFile(); }

void IntroConnect::exit_Click() { System::endProgram(0); }

void IntroConnect::OpenExistingFile()
{
    if (!BookingfileChoice::OpenExisting(*ctFileOpen))
        return;
    Hide();
    start::StartUp();
}

void IntroConnect::CreateNewFile()
{
    if (!BookingfileChoice::CreateNew(*ctFilecreate))
        return;
    Hide();
    start::StartUp();
}
