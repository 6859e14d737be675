#include "platform/controls/listparts.h"

#include "platform/controls/listgrid.h"
#include "platform/controls/pictures.h"

#include <QPushButton>

namespace ListParts {

QPushButton *printButton(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName("Printbutton");
    button->setIcon(Pictures::picture("print"));
    button->setToolTip("Print");
    return button;
}

void addTextColumns(ListGrid &list, std::initializer_list<TextColumn> columns)
{
    for (const TextColumn &c : columns) {
        const int column = list.AddColumn(c.caption, c.width);
        list.ColumnStyle(column, 0);
        if (c.centred)
            list.ColumnAlignment(column, 2);
        list.ColumnFlag(column, true);
    }
}

} // namespace ListParts
