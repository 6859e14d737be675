#include "platform/system.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include <cstdlib>

namespace System {
namespace {
QDateTime g_fixedNow;
QString g_programFolder;
std::function<void(int)> g_endHandler;
std::function<void(const QString &)> g_urlHandler;
HelpHandler g_helpHandler;
HelpHandler g_helpViewer;
QString g_helpFile;
std::function<void()> g_beepHandler;
} // namespace

QDateTime now() { return g_fixedNow.isValid() ? g_fixedNow : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
void setNow(const QDateTime &fixed) { g_fixedNow = fixed; }

QString programFolder()
{
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString(".");
}
void setProgramFolder(const QString &folder) { g_programFolder = folder; }

void endProgram(int code)
{
    if (g_endHandler) {
        g_endHandler(code);
        return;
    }
    if (QCoreApplication::instance())
        QCoreApplication::exit(code);
    std::exit(code);
}
void setEndProgramHandler(std::function<void(int)> handler) { g_endHandler = std::move(handler); }

void beep()
{
    if (g_beepHandler)
        g_beepHandler();
    else
        QApplication::beep();
}
void setBeepHandler(std::function<void()> handler) { g_beepHandler = std::move(handler); }

void openUrl(const QString &url)
{
    if (g_urlHandler)
        g_urlHandler(url);
    else
        QDesktopServices::openUrl(QUrl(url));
}
void setOpenUrlHandler(std::function<void(const QString &)> handler)
{
    g_urlHandler = std::move(handler);
}

void setHelpFile(const QString &path) { g_helpFile = path; }
QString helpFile() { return g_helpFile; }
void showHelp(const QString &topic)
{
    if (g_helpHandler)
        g_helpHandler(g_helpFile, topic);
    else if (g_helpViewer)
        g_helpViewer(g_helpFile, topic);
}
void setShowHelpHandler(HelpHandler handler) { g_helpHandler = std::move(handler); }
void setHelpViewer(HelpHandler viewer) { g_helpViewer = std::move(viewer); }

} // namespace System
