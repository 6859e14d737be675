// One copy of the program's own code working on a shared bookingfile, for the tests and the
// benchmark that run several copies at once:
//   concurrency_worker book  <bookingfile> <folder> <count> [<day>]  typed bookings and pastes
//   concurrency_worker start <bookingfile> <folder> <yyyy-mm-dd>      start-up up to the login
// Each booking number handed out is written to standard output as "booked N" once its row is
// stored; every message the program shows is written as "message <text>"; "login" when the
// login form came up. <folder> is this copy's own program folder (its paths.mdb).

#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/start.h"
#include "planner/clipboard.h"
#include "planner/gridedit.h"
#include "platform/controls/form.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/system.h"

#include <QApplication>
#include <QDate>
#include <QTextStream>

#include <cstdio>

using namespace Generalen;

namespace {

QTextStream out(stdout);

void say(const QString &line)
{
    out << line << '\n';
    out.flush();
}

int book(int count, int32_t day)
{
    gUserNo = 1;
    gUserName = "Administrator";
    gCurrentTypeNo = 1;
    // The clipboard of this copy holds one copied booking.
    {
        auto paths = Dao::Database::open(System::programFolder() + "/paths.mdb");
        paths->Execute("DELETE FROM standby");
        paths->Execute("INSERT INTO standby (Bookingnr, bstart, bslut, Beskrivelse, Bdato, "
                       "lokalenr, Bgruppe, Kontonr, btid, curacname) VALUES (1, 600, 660, "
                       "'Pasted', 1, 1, 1, 1, 60, 'Administrator')");
    }
    gPasteMode = 0;
    PlannerGrid grid;
    for (int i = 0; i < count; ++i) {
        const int start = (i * 15) % 1380;
        if (i % 2 == 0) {
            const int index = grid.AddItem(start, start + 30, day, "Typed", QString());
            GridEdit::NewBookingPlace place;
            place.day = day;
            place.item = 1 + i % 5;
            GridEdit::storeTypedBooking(grid, index, start, start + 30, place);
            const QString key = grid.ItemKeyText(index);
            if (!key.isEmpty())
                say("booked " + key);
            grid.RemoveItem(index);
        } else {
            const Clipboard::PasteResult r = Clipboard::paste(start, day, 1 + i % 5);
            if (r.pasted)
                say("booked " + QString::number(r.bookingNo));
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: concurrency_worker book|start <bookingfile> <folder> ...\n");
        return 2;
    }
    const QString mode = args[1];
    gDatabasePath = args[2];
    System::setProgramFolder(args[3]);
    MsgBox::setHandler([](const MsgBox::Shown &shown) {
        say("message " + QString(shown.text).replace('\n', ' '));
        return MsgBox::Ok;
    });
    start::StoreBookingfilePath(gDatabasePath);
    if (mode == "book")
        return book(args[4].toInt(), args.size() > 5 ? args[5].toInt() : 46000);
    if (mode == "start") {
        System::setNow(QDateTime(QDate::fromString(args[4], "yyyy-MM-dd"), QTime(8, 0)));
        if (start::StartUp() && Forms::isLoaded<frmLogin>())
            say("login");
        return 0;
    }
    return 2;
}
