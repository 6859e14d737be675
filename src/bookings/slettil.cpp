#include "bookings/slettil.h"

#include "bookings/bookingform.h"
#include "bookings/fastgen.h"
#include "bookings/sletgentagendeform.h"

#include <QHBoxLayout>
#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

slettil::slettil()
{
    setObjectName("slettil");
    setWindowTitle("Add or Delete?");
    Label1 = new QLabel("This is a repeating booking. Do you wish to add or delete bookings?",
                        this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Add = new QPushButton("Add", this);
    Add->setObjectName("Add");
    delete_ = new QPushButton("Delete", this);
    delete_->setObjectName("delete");
    exit = new QPushButton("Exit", this);
    exit->setObjectName("exit");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Add);
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(exit);
    auto *top = new QVBoxLayout(this);
    top->addWidget(Label1);
    top->addLayout(buttons);
    setFixedWidth(380);
    connect(Add, &QPushButton::clicked, this, &slettil::Add_Click);
    connect(delete_, &QPushButton::clicked, this, &slettil::delete_Click);
    connect(exit, &QPushButton::clicked, this, &slettil::exit_Click);
    setDialogKeys([this] { pressFocusedButton(); }, [this] { exit_Click(); });
}

void slettil::Form_Load()
{
    m_origin = RepeatSeries::currentOrigin();
    if (Forms::isLoaded<bookingform>())
        connect(Forms::get<bookingform>(), &Form::unloaded, this, [this] { Unload(); });
}

void slettil::Add_Click()
{
    bookingform *form = RepeatSeries::requireForm(m_origin);
    Unload();
    if (form)
        Forms::get<fastgen>()->Show(Modeless, form);
}

void slettil::delete_Click()
{
    bookingform *form = RepeatSeries::requireForm(m_origin);
    Unload();
    if (form)
        Forms::get<sletgentagendeform>()->Show(Modeless, form);
}

void slettil::exit_Click() { Unload(); }
