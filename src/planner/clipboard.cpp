#include "planner/clipboard.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/gridedit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QStringList>

#include <memory>

using namespace Generalen;
using namespace Extrafunktioner;

namespace Clipboard {

namespace {

constexpr int MinutesPerDay = 1440;

// The booking fields a cut or copy puts on the clipboard, in the order they are written.
const char *const CopiedFields[] = {
    "Bookingnr", "bstart", "bslut", "Beskrivelse", "Bdato", "lokalenr", "Bgruppe", "Bcolor",
    "Kontonr", "Kontaktperson2", "Kontaktpersonadr2", "Kontaktpersonpnr2", "Kontaktpersonby2",
    "Kontakttlf2", "Kontakttlfb2", "langbeskrivelse", "Antalpers", "Pris", "ID", "Bemærkninger",
    "gennr", "gentagende", "Intern", "Tentative", "curacname", "leveringstype", "leveringssted",
    "tax", "bvpris"};

// The clipboard fields a paste takes over unchanged, in the order they are written.
const char *const PastedFields[] = {
    "Bcolor", "Kontonr", "Kontaktperson2", "Kontaktpersonadr2", "Kontaktpersonpnr2",
    "Kontaktpersonby2", "Kontakttlf2", "Kontakttlfb2", "langbeskrivelse", "Antalpers", "Pris",
    "ID", "Bemærkninger", "gennr", "gentagende", "Intern", "Tentative", "curacname",
    "leveringstype", "leveringssted", "tax", "bvpris"};

// paths.mdb of the program's folder. A clipboard table of an older program has gained the
// columns it lacked when the file was opened (the file's own upgrade).
std::unique_ptr<Dao::Database> openPaths() { return Dao::Database::open(PathsFile()); }

void reportDbError(const Dao::DbError &e)
{
    MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
}

void reportEmptyClipboard()
{
    MsgBox::show("No Booking on Clipboard !", MsgBox::OkOnly, "Information");
}

} // namespace

bool durationMinutes(int start, int end, int32_t &minutes)
{
    if (end > start)
        minutes = end - start;
    else if (end < start)
        minutes = MinutesPerDay - (start - end);
    else
        return false;
    return true;
}

bool copySelected(PlannerGrid &grid)
{
    const int selected = grid.SelectedItem();
    if (selected <= 0) {
        MsgBox::show("No Booking Selected.", MsgBox::OkOnly, "Service message");
        return false;
    }
    const QString key = grid.ItemKeyText(selected);
    const bool cut = gPasteMode == 1;
    try {
        bool ok = false;
        const qint64 number = key.trimmed().toLongLong(&ok);
        auto bookings = Dao::Database::open(gDatabasePath);
        auto booking = bookings->OpenRecordset("booking", Dao::RecordsetType::Table);
        booking->SetIndex("Primarykey");
        if (ok)
            booking->Seek("=", number);
        if (!ok || booking->NoMatch()) {
            GridEdit::reportMissingBooking();
            return false;
        }
        // A cut deletes the booking, so it asks for the right to delete it, as Delete does.
        if (cut && !CanEditAccountBookings(int32_t(booking->Field("Kontonr").toLongLong()))) {
            MsgBox::show("You have no authority to delete this booking !", MsgBox::OkOnly,
                         QString());
            return false;
        }

        auto paths = openPaths();
        {
            // The old row goes and the new one comes in one step, so the clipboard never
            // holds two rows, also when two copies of the program cut at once.
            Dao::Transaction replace(*paths);
            auto standby = paths->OpenRecordset("standby", Dao::RecordsetType::Table);
            while (standby->RecordCount() != 0) {
                standby->MoveFirst();
                standby->Delete();
            }
            standby->AddNew();
            for (const char *field : CopiedFields)
                standby->SetField(field, booking->Field(field));
            int32_t minutes = 0;
            if (durationMinutes(int(booking->Field("bstart").toLongLong()),
                                int(booking->Field("bslut").toLongLong()), minutes))
                standby->SetField("btid", minutes);
            standby->Update();
            standby->Close();
            replace.commit();
        }
        // A cut deletes the booking only once the clipboard holds it.
        if (cut)
            booking->Delete();
    } catch (const Dao::DbError &e) {
        reportDbError(e);
        return false;
    }
    if (cut)
        grid.RemoveItem(selected);
    return true;
}

bool canPaste(const PlannerGrid &grid)
{
    try {
        if (CountPathsRows("*", "standby", QString()).toLongLong() <= 0) {
            reportEmptyClipboard();
            return false;
        }
    } catch (const Dao::DbError &e) {
        reportDbError(e);
        return false;
    }
    if (grid.SelectedItem() < 1 && grid.CurrentSlot() >= 0)
        return true;
    MsgBox::show("Select Entrypoint!", MsgBox::OkOnly, "Information");
    return false;
}

PasteResult paste(int start, int32_t day, int32_t item)
{
    PasteResult result;
    try {
        auto paths = openPaths();
        auto standby = paths->OpenRecordset("standby", Dao::RecordsetType::Table);
        if (standby->RecordCount() == 0) {   // emptied by another copy of the program
            reportEmptyClipboard();
            return result;
        }
        standby->MoveFirst();

        // A cut booking comes back under its own number, unless a booking holds it by now
        // (the clipboard holds a booking that was copied, or the number was used again).
        bool reuse = false;
        const QVariant cutNumber = standby->Field("Bookingnr");
        if (gPasteMode == 1 && !cutNumber.isNull()) {
            GridEdit::BookingRef existing;
            reuse = !GridEdit::findBooking(QString::number(cutNumber.toLongLong()), existing);
        }
        const int32_t number = reuse ? int32_t(cutNumber.toLongLong()) : NextKey();

        // The end is start plus the duration; one that runs past midnight is kept as a
        // minute of the next day, as the end of every booking past midnight is.
        int end = start + int(standby->Field("btid").toLongLong());
        if (end > MinutesPerDay)
            end -= MinutesPerDay;

        auto bookings = Dao::Database::open(gDatabasePath);
        auto booking = bookings->OpenRecordset("booking", Dao::RecordsetType::Table);
        booking->AddNew();
        booking->SetField("Bookingnr", number);
        booking->SetField("bstart", start);
        booking->SetField("bslut", end);
        booking->SetField("Beskrivelse", standby->Field("Beskrivelse"));
        booking->SetField("Bdato", day);
        booking->SetField("lokalenr", item);
        booking->SetField("Bgruppe", gCurrentTypeNo);
        for (const char *field : PastedFields)
            booking->SetField(field, standby->Field(field));
        booking->Update();
        booking->Close();
        result.pasted = true;
        result.bookingNo = number;

        if (reuse) {
            standby->Delete();
            result.clipboardEmptied = true;
        }
    } catch (const Dao::DbError &e) {
        reportDbError(e);
    }
    return result;
}

} // namespace Clipboard
