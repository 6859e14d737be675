#include "reports/hiddenbox.h"

#include <QLineEdit>

namespace ReportForms {

QLineEdit *hiddenBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->hide();
    return box;
}

} // namespace ReportForms
