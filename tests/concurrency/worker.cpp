// One copy of the program's own code working on a shared bookingfile, for the tests and the
// benchmark that run several copies at once:
//   concurrency_worker book   <bookingfile> <folder> <count> [<day>]  typed bookings and pastes
//   concurrency_worker series <bookingfile> <folder> <count> <day>    series of 20 days each
//   concurrency_worker start  <bookingfile> <folder> <yyyy-mm-dd>     start-up up to the login
// Each booking number handed out is written to standard output as "booked N" once its row is
// stored; every message the program shows is written as "message <text>"; "login" when the
// login form came up. <folder> is this copy's own program folder (its paths.mdb).

#include "bookings/bookingform.h"
#include "bookings/repeatseries.h"
#include "core/frmlogin.h"
#include "core/generalen.h"
#include "core/queries.h"
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

// The state of the Administrator logged in, as the booking copies work.
void logIn()
{
    gUserNo = 1;
    gUserName = "Administrator";
    gCurrentTypeNo = 1;
}

// Types a booking of item into day, as the planner stores it; its number, 0 when none was stored.
int32_t typeBooking(PlannerGrid &grid, int start, int32_t day, int32_t item)
{
    const int index = grid.AddItem(start, start + 30, day, "Typed", QString());
    GridEdit::NewBookingPlace place;
    place.day = day;
    place.item = item;
    GridEdit::storeTypedBooking(grid, index, start, start + 30, place);
    const int32_t key = grid.ItemKeyText(index).toInt();
    grid.RemoveItem(index);
    if (key != 0)
        say("booked " + QString::number(key));
    return key;
}

int book(int count, int32_t day)
{
    logIn();
    // The clipboard of this copy holds one copied booking.
    {
        auto paths = Dao::Database::open(System::programFolder() + "/paths.mdb");
        paths->Execute("DELETE FROM standby");
        paths->Execute("INSERT INTO standby (Bookingnr, bstart, bslut, Beskrivelse, Bdato, "
                       "lokalenr, Bgruppe, Kontonr, btid, curacname, klippet) VALUES (1, 600, "
                       "660, 'Pasted', 1, 1, 1, 1, 60, 'Administrator', 0)");
    }
    gPasteMode = 0;
    PlannerGrid grid;
    for (int i = 0; i < count; ++i) {
        const int start = (i * 15) % 1380;
        if (i % 2 == 0) {
            typeBooking(grid, start, day, 1 + i % 5);
        } else {
            const Clipboard::PasteResult r = Clipboard::paste(start, day, 1 + i % 5);
            if (r.pasted)
                say("booked " + QString::number(r.bookingNo));
        }
    }
    return 0;
}

// The members of head's series, as the bookingfile holds them (the archive too: another copy
// may archive and purge them once stored).
QList<qlonglong> seriesMembers(int32_t head)
{
    auto db = Dao::Database::open(gDatabasePath);
    Dao::Statement read(db->handle(),
                        "SELECT Bookingnr FROM booking WHERE gennr = ?1 AND Bookingnr <> ?1 "
                        "UNION SELECT Bookingnr FROM bookingarkiv WHERE gennr = ?1 AND "
                        "Bookingnr <> ?1");
    read.bind(1, qlonglong(head), Dao::FieldKind::Integer);
    QList<qlonglong> members;
    while (read.step())
        members.append(read.value(0).toLongLong());
    return members;
}

// Books count series as the repeat dialog does: a booking typed into day, opened in the booking
// form, its 20 following days prepared and booked as copies of it. The slots of one copy's
// series overlap now and then: those dates are double bookings, booked all the same.
int series(int count, int32_t day)
{
    constexpr int kDays = 20;
    logIn();
    PlannerGrid grid;
    for (int i = 0; i < count; ++i) {
        const int32_t head = typeBooking(grid, (i * 30) % 1380, day, 1 + i % 5);
        if (head == 0)
            continue;
        bookingform *form = Forms::get<bookingform>();
        form->ShowBooking(head);
        const RepeatSeries::Origin origin = RepeatSeries::currentOrigin();
        const std::optional<RepeatSeries::Slot> slot = RepeatSeries::formSlot(form);
        if (!slot) {
            say("message booking " + QString::number(head) + " has no slot");
            form->Unload();
            continue;
        }
        QList<int32_t> days;
        for (int d = 1; d <= kDays; ++d)
            days.append(day + d);
        try {
            Queries::SqlClearGenDates();
            RepeatSeries::ExecutePaths();
            RepeatSeries::DoubleBookingTest test(gDatabasePath);
            const QList<int32_t> ids = RepeatSeries::AddDates(days, *slot, test);
            if (RepeatSeries::BookDates(origin, ids, 16711680 + i)) {
                for (const qlonglong nr : seriesMembers(head))
                    say("booked " + QString::number(nr));
            }
        } catch (const Dao::DbError &e) {
            say("message " + e.description());
        }
        form->Unload();
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
        std::fprintf(stderr,
                     "usage: concurrency_worker book|series|start <bookingfile> <folder> ...\n");
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
    if (mode == "series" && args.size() > 5)
        return series(args[4].toInt(), args[5].toInt());
    if (mode == "start") {
        System::setNow(QDateTime(QDate::fromString(args[4], "yyyy-MM-dd"), QTime(8, 0)));
        if (start::StartUp() && Forms::isLoaded<frmLogin>())
            say("login");
        // The day's run goes on behind the login, as the program's does while a user logs in.
        start::WaitForDailyArchiving();
        return 0;
    }
    return 2;
}
