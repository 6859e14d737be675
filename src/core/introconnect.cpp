#include "core/introconnect.h"

#include "core/bookingfilechoice.h"
#include "core/productpicture.h"
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

void IntroConnect::Openf_Click() { BookingfileChoice::OpenExistingFile(); }

void IntroConnect::Createf_Click() { BookingfileChoice::CreateNewFile(); }

void IntroConnect::exit_Click() { System::endProgram(0); }
