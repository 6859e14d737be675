#include "platform/controls/lockedlook.h"

#include <QPalette>
#include <QWidget>

void showAsLocked(QWidget *box)
{
    QPalette palette = box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
    box->setPalette(palette);
}
