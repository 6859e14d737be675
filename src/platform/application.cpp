#include "platform/application.h"

#include "platform/controls/helpviewer.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"
#include "platform/system.h"

#include <malloc.h>

#include <exception>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // Blocks of 128 KB and more (window images, a report's pages, a long list) are mapped on
    // their own and go back to the system when freed. Left to itself, the C library raises
    // that bound after the first such block is freed and keeps the later ones in a heap that
    // it seldom gives back, so the program's memory would only ever grow to its last peak.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024);
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
