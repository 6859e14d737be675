#pragma once

class QLabel;
class QLineEdit;
class QString;
class QWidget;

// Small pieces the booking form's tabs build their boxes from and read its hidden boxes with.
namespace BookingFormBoxes {

// A read-only box that looks locked and takes the focus only when clicked.
QLineEdit *lockedBox(QWidget *parent);
// A label whose mnemonic moves the focus to buddy.
QLabel *label(const QString &text, QWidget *buddy, QWidget *parent);
// A hidden box holds a Boolean field as "True"/"False" (or a number).
bool readsTrue(const QString &text);
// The box holds that number (blanks around it allowed).
bool holdsNumber(const QString &text, int number);

} // namespace BookingFormBoxes
