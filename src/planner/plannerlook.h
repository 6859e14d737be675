#pragma once

#include <QList>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

// The planner windows' shared look: flat read-only text boxes, the side panel, the bar row
// under the menu bar.
namespace PlannerLook {

// A text box that shows a value; the program writes it, the user only reads it.
QLineEdit *textBox(QWidget *parent, const QString &name);
void setHeadingFont(QWidget *w);
// Makes a box wide enough for a sample text in its own font.
void fitWidth(QLineEdit *box, const QString &sample);
QFrame *sidePanel(QWidget *parent);
QLabel *caption(const QString &text, QWidget *parent);
QFrame *line(QWidget *parent);
// The tool bars side by side, then on the right the given widgets (any may be nullptr).
QWidget *barRow(QWidget *parent, const QList<QWidget *> &bars, QWidget *right1,
                QWidget *right2);

} // namespace PlannerLook
