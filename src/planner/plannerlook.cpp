#include "planner/plannerlook.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace PlannerLook {

QLineEdit *textBox(QWidget *parent, const QString &name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setStyleSheet("QLineEdit { background: transparent; }");
    return box;
}

void setHeadingFont(QWidget *w)
{
    QFont f = w->font();
    f.setPointSizeF(f.pointSizeF() * 1.25);
    f.setBold(true);
    w->setFont(f);
}

void fitWidth(QLineEdit *box, const QString &sample)
{
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(sample) + 12);
}

QFrame *sidePanel(QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName("sidePanel");
    panel->setFixedWidth(270);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(241, 244, 248));
    panel->setPalette(pal);
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QFrame *line(QWidget *parent)
{
    auto *l = new QFrame(parent);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(207, 216, 220));
    l->setPalette(pal);
    return l;
}

QWidget *barRow(QWidget *parent, const QList<QWidget *> &bars, QWidget *right1,
                QWidget *right2)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 0, 10, 0);
    layout->setSpacing(4);
    for (int i = 0; i < bars.size(); ++i) {
        if (i > 0) {
            auto *sep = new QFrame(row);
            sep->setFrameShape(QFrame::VLine);
            sep->setFrameShadow(QFrame::Sunken);
            layout->addWidget(sep);
        }
        layout->addWidget(bars[i]);
    }
    layout->addStretch(1);
    if (right1)
        layout->addWidget(right1);
    if (right2)
        layout->addWidget(right2);
    return row;
}

} // namespace PlannerLook
