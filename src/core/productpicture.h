#pragma once

#include <QPixmap>

// The product's picture, drawn: the splash, the connect form and the About box show it.
QPixmap ProductPicture(int width, int height);
QPixmap ProductIcon(int size);
