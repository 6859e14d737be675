#pragma once

class QWidget;

// Gives a read-only box the look of one that cannot be typed into: the window's colour behind
// its text instead of the white of an editable box.
void showAsLocked(QWidget *box);
