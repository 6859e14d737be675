#include "core/about.h"

#include "core/productpicture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

About::About()
{
    setWindowTitle("About Vantix");
    Image1 = new QLabel(this);
    Image1->setPixmap(ProductPicture(360, 110));
    Image2 = new QLabel(this);
    Image2->setPixmap(ProductIcon(48));
    Label1 = new QLabel("Version 3.2", this);
    QFont f = Label1->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    Label1->setFont(f);
    auto *text = new QLabel("Bookings of rooms and equipment for an institution.", this);
    text->setWordWrap(true);
    Luk = new QPushButton("Ok", this);
    Luk->setDefault(true);

    auto *row = new QHBoxLayout;
    row->addWidget(Image2, 0, Qt::AlignTop);
    auto *col = new QVBoxLayout;
    col->addWidget(Label1);
    col->addWidget(text);
    row->addLayout(col, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Luk);
    auto *top = new QVBoxLayout(this);
    top->addWidget(Image1);
    top->addLayout(row);
    top->addLayout(buttons);
    connect(Luk, &QPushButton::clicked, this, &About::Luk_Click);
    setDialogKeys([this] { Luk_Click(); }, [this] { Luk_Click(); });
}

void About::Luk_Click() { Unload(); }

