#pragma once

#include <QString>

class QGridLayout;
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

} // namespace FormLayout
