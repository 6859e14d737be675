#include "admin/formlayout.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace FormLayout {

void addBox(QGridLayout *grid, int row, int col, const QString &label, QWidget *box)
{
    auto *l = new QLabel(label, box->parentWidget());
    l->setBuddy(box);
    grid->addWidget(l, row, col * 2);
    grid->addWidget(box, row, col * 2 + 1);
}

QLineEdit *addLine(QWidget *form, QGridLayout *grid, int row, int col, const QString &label,
                   const QString &name, bool disabled)
{
    auto *e = new QLineEdit(form);
    e->setObjectName(name);
    e->setEnabled(!disabled);
    addBox(grid, row, col, label, e);
    return e;
}

QPushButton *button(QWidget *form, const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption, form);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace FormLayout
