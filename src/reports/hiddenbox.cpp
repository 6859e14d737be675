#include "reports/hiddenbox.h"

#include <QLineEdit>
#include <QPushButton>

namespace ReportForms {

QLineEdit *hiddenBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->hide();
    return box;
}

void pressFocusedOr(const QWidget *form, QPushButton *print)
{
    if (auto *button = qobject_cast<QPushButton *>(form->focusWidget()))
        button->click();
    else
        print->click();
}

} // namespace ReportForms
