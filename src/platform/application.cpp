#include "platform/application.h"

#include "platform/controls/helpviewer.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"
#include "platform/system.h"

#include <exception>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    System::setHelpViewer([](const QString &file, const QString &topic) {
        HelpViewer::showTopic(file, topic);
    });
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const Dao::DbError &e) {
        text = e.description();
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("An unknown error occurred.");
    }
    // Shown once the failed event has been unwound, so the box never runs inside it. While
    // the box waits, the same fault may strike again (a repaint, a timer): that one is only
    // logged, or the boxes would pile up without end.
    static bool showing = false;
    if (showing) {
        qWarning("%s", qPrintable(text));
        return false;
    }
    showing = true;
    try {
        MsgBox::show(text, MsgBox::OkOnly | MsgBox::Critical, applicationName());
    } catch (...) {
    }
    showing = false;
    return false;
}
