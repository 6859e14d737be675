#include "admin/formlayout.h"

#include "core/extrafunktioner.h"
#include "platform/controls/dateedit.h"
#include "platform/system.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace FormLayout {

void addBox(QGridLayout *grid, int row, int col, const QString &label, QWidget *box)
{
    auto *l = new QLabel(label, box->parentWidget());
    l->setBuddy(box);
    // A box of several lines has its label at its top.
    grid->addWidget(l, row, col * 2, box->minimumHeight() > 40 ? Qt::AlignTop : Qt::Alignment());
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

QHBoxLayout *buttonRow(QPushButton *del, std::initializer_list<QPushButton *> right)
{
    auto *row = new QHBoxLayout;
    if (del)
        row->addWidget(del);
    row->addStretch();
    for (QPushButton *b : right)
        row->addWidget(b);
    return row;
}

void setUnavailable(QCheckBox *box, DateEdit *start, DateEdit *end, int days)
{
    const bool on = box->isChecked();
    start->setEnabled(on);
    end->setEnabled(on);
    if (!on)
        return;
    const int today = Extrafunktioner::DateToDayNumber(System::today());
    end->setValue(today + days);
    start->setValue(today);
}

void stepDay(DateEdit *edit, bool down) { edit->setValue(edit->value() + (down ? -1 : 1)); }

} // namespace FormLayout
