#include "core/introstart.h"

#include "core/productpicture.h"
#include "core/start.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

introstart::introstart()
{
    setWindowTitle("Vantix");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    Image1 = new QLabel(this);
    Image1->setPixmap(ProductPicture(480, 200));
    auto *loading = new QLabel("Starting...", this);
    loading->setAlignment(Qt::AlignCenter);
    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 6);
    top->addWidget(Image1);
    top->addWidget(loading);
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Timer1 = new QTimer(this);
    Timer1->setInterval(5000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &introstart::Timer1_Timer);
    Timer1->start();
}

void introstart::Timer1_Timer()
{
    Timer1->stop();
    start::StartUp();
    Unload();
}
