#pragma once

#include <QApplication>

// The program's application object; it installs the help viewer that Help and F1 open. An
// error that no handler traps (a database error in the middle of a click, say) ends the event
// it arose in with a message box that shows its text, instead of ending the program.
class Application final : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
