#pragma once

#include <QString>

#include <initializer_list>

class DateEdit;
class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Small helpers that lay out the resource forms alike: labelled boxes in a grid, and a row of
// buttons at the bottom right.
namespace FormLayout {

// A line edit named name in row, column pair col (label, box), bound by the caller.
QLineEdit *addLine(QWidget *form, QGridLayout *grid, int row, int col, const QString &label,
                   const QString &name, bool disabled = false);
void addBox(QGridLayout *grid, int row, int col, const QString &label, QWidget *box);
QPushButton *button(QWidget *form, const QString &caption, const QString &name);
// Delete at the left (when given), the others at the right in their order.
QHBoxLayout *buttonRow(QPushButton *del, std::initializer_list<QPushButton *> right);

// The click of an unavailable box: checked enables the two date edits and sets the period from
// today to today + days; unchecked disables them and keeps their days.
void setUnavailable(QCheckBox *box, DateEdit *start, DateEdit *end, int days);
// A spin of a date edit: one day back or forward.
void stepDay(DateEdit *edit, bool down);

} // namespace FormLayout
