#pragma once

#include <initializer_list>

class ListGrid;
class QPushButton;
class QWidget;

// What the list forms of every subsystem share around their list grid.
namespace ListParts {

// The print button of the lists: the "print" picture, tip "Print", named "Printbutton".
QPushButton *printButton(QWidget *parent);

// One text column of a list: its caption, its designed width, and whether its cells are
// centred (else left-aligned).
struct TextColumn
{
    const char *caption;
    int width;
    bool centred = false;
};

// Adds the columns after the list's last one, in order, each a text column with style 0 and
// its flag set.
void addTextColumns(ListGrid &list, std::initializer_list<TextColumn> columns);

} // namespace ListParts
