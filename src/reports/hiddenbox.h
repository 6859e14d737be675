#pragma once

class QLineEdit;
class QPushButton;
class QWidget;

namespace ReportForms {

// A read-only box that is never shown: the criteria forms keep the texts there that the reports
// and the other forms read from them by name, as the boxes of the forms they stand for did.
QLineEdit *hiddenBox(QWidget *parent, const char *name);

// Enter in a criteria form: presses the button that has the focus, else the print button.
void pressFocusedOr(const QWidget *form, QPushButton *print);

} // namespace ReportForms
