#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>

// The program's contact with the world: the clock, its folder, its end, the beep, the mail
// handler and the help viewer. Each has a default and can be replaced, so tests script them.
namespace System {

QDateTime now();
QDate today();
// Replaces the clock; an invalid QDateTime puts the real clock back.
void setNow(const QDateTime &fixed);

// The folder that holds the program, paths.mdb, Emptydatabase.mdb and the help file.
QString programFolder();
void setProgramFolder(const QString &folder);   // empty: the executable's folder again

// Ends the program at once. The default quits the event loop and leaves the process.
void endProgram(int code = 0);
void setEndProgramHandler(std::function<void(int)> handler);   // nullptr: the default

void beep();
// Replaces the beep (a test counts them); nullptr puts the sound back.
void setBeepHandler(std::function<void()> handler);

// Opens a mailto: (or any) link with the desktop's handler.
void openUrl(const QString &url);
void setOpenUrlHandler(std::function<void(const QString &)> handler);

// The help file and its viewer.
void setHelpFile(const QString &path);
QString helpFile();
// Shows the help file at topic: through the handler a test sets, else through the viewer that
// the application installed at start; without either, nothing shows.
void showHelp(const QString &topic = QString());
using HelpHandler = std::function<void(const QString &file, const QString &topic)>;
void setShowHelpHandler(HelpHandler handler);   // nullptr: the installed viewer again
void setHelpViewer(HelpHandler viewer);

} // namespace System
