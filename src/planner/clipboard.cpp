#include "planner/clipboard.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "planner/gridedit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QFileInfo>

#include <functional>
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

// The clipboard fields a paste of a copy takes over unchanged, in the order they are written.
const char *const PastedFields[] = {
    "Bcolor", "Kontonr", "Kontaktperson2", "Kontaktpersonadr2", "Kontaktpersonpnr2",
    "Kontaktpersonby2", "Kontakttlf2", "Kontakttlfb2", "langbeskrivelse", "Antalpers", "Pris",
    "ID", "Bemærkninger", "gennr", "gentagende", "Intern", "Tentative", "curacname",
    "leveringstype", "leveringssted", "tax", "bvpris"};

// What the clipboard row holds: a copy, a cut booking that is still in its bookingfile, or a
// row of an older program, which took a cut booking out of the bookingfile.
enum class Held { Copy, Cut, Older };

Held heldIn(const Dao::Recordset &standby)
{
    const QVariant cut = standby.Field("klippet");
    if (cut.isNull())
        return Held::Older;
    return cut.toBool() ? Held::Cut : Held::Copy;
}

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

bool sameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The end of a booking of so many minutes from start; past midnight it is kept as a minute of
// the next day, as the end of every booking past midnight is.
int endAfter(int start, int32_t minutes)
{
    const int end = start + minutes;
    return end > MinutesPerDay ? end - MinutesPerDay : end;
}

int32_t durationOf(const Dao::Recordset &booking)
{
    int32_t minutes = 0;
    durationMinutes(int(booking.Field("bstart").toLongLong()),
                    int(booking.Field("bslut").toLongLong()), minutes);
    return minutes;
}

// Marks the item of key as cut and takes the mark off every other item.
void markCutItem(PlannerGrid &grid, const QString &key)
{
    for (int i = 1; i <= grid.ItemCount(); ++i)
        grid.SetItemCut(i, !key.isEmpty() && grid.ItemKeyText(i) == key);
}

// A paste's outcome, and what the user is told once paths.mdb is no longer held.
struct Outcome
{
    PasteResult result;
    std::function<void()> tell;
};

Outcome refused(GridEdit::Refusal refusal)
{
    return {{}, [refusal] { GridEdit::reportNoAuthority(refusal); }};
}

struct Target
{
    int start;
    int32_t day;
    int32_t item;
};

// Moves the cut booking to the target, under its own number, as it stands in the bookingfile
// now; the clipboard row goes once the booking has moved.
Outcome moveCut(Dao::Recordset &standby, const Target &at)
{
    const QString from = standby.Field("bookingfil").toString();
    if (!sameFile(from, gDatabasePath)) {
        return {{}, [from] {
                    MsgBox::show("The booking on the clipboard was cut from another bookingfile, "
                                     + from + ". Open that bookingfile to paste it.",
                                 MsgBox::OkOnly, "Information");
                }};
    }
    const qint64 number = standby.Field("Bookingnr").toLongLong();
    auto bookings = Dao::Database::open(gDatabasePath);
    auto booking = bookings->OpenRecordset("booking", Dao::RecordsetType::Table);
    booking->SetIndex("Primarykey");
    booking->Seek("=", number);
    if (booking->NoMatch()) {
        // Deleted since it was cut: the clipboard points at nothing any more.
        standby.Delete();
        Outcome gone{{}, [] { GridEdit::reportMissingBooking(); }};
        gone.result.clipboardEmptied = true;
        return gone;
    }
    if (!CanEditAccountBookings(int32_t(booking->Field("Kontonr").toLongLong())))
        return refused(GridEdit::Refusal::Paste);
    const int32_t minutes = durationOf(*booking);
    booking->Edit();
    booking->SetField("bstart", at.start);
    booking->SetField("bslut", endAfter(at.start, minutes));
    booking->SetField("Bdato", at.day);
    booking->SetField("lokalenr", at.item);
    booking->SetField("Bgruppe", gCurrentTypeNo);
    booking->Update();
    standby.Delete();
    return {{true, int32_t(number), true}, {}};
}

// Whether no booking, kept or archived, has the number: the archive takes each number once.
bool numberIsFree(qint64 number)
{
    return !RecordExists("booking", "Bookingnr", number)
           && !RecordExists("bookingarkiv", "Bookingnr", number);
}

// Adds the clipboard's booking at the target. A copy takes a new number and stays on the
// clipboard. A booking cut by an older program is in the clipboard only: it comes back under
// its own number when no booking has that number, and leaves the clipboard.
Outcome addFromClipboard(Dao::Recordset &standby, Held held, const Target &at)
{
    if (!CanEditAccountBookings(int32_t(standby.Field("Kontonr").toLongLong())))
        return refused(GridEdit::Refusal::Paste);
    const QVariant cutNumber = standby.Field("Bookingnr");
    const bool restore = held == Held::Older && !cutNumber.isNull()
                         && numberIsFree(cutNumber.toLongLong());
    const int32_t number = restore ? int32_t(cutNumber.toLongLong()) : NextKey();

    auto bookings = Dao::Database::open(gDatabasePath);
    auto booking = bookings->OpenRecordset("booking", Dao::RecordsetType::Table);
    booking->AddNew();
    booking->SetField("Bookingnr", number);
    booking->SetField("bstart", at.start);
    booking->SetField("bslut", endAfter(at.start, int32_t(standby.Field("btid").toLongLong())));
    booking->SetField("Beskrivelse", standby.Field("Beskrivelse"));
    booking->SetField("Bdato", at.day);
    booking->SetField("lokalenr", at.item);
    booking->SetField("Bgruppe", gCurrentTypeNo);
    for (const char *field : PastedFields)
        booking->SetField(field, standby.Field(field));
    booking->Update();
    booking->Close();
    if (restore)
        standby.Delete();
    return {{true, number, restore}, {}};
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
        // A cut booking is moved by the paste, so a cut asks for the right to change it.
        if (cut && !CanEditAccountBookings(int32_t(booking->Field("Kontonr").toLongLong()))) {
            GridEdit::reportNoAuthority(GridEdit::Refusal::Cut);
            return false;
        }

        auto paths = openPaths();
        // The old row goes and the new one comes in one step, so the clipboard never holds
        // two rows, also when two copies of the program cut at once. A booking cut before
        // stays where it is.
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
        standby->SetField("klippet", cut);
        standby->SetField("bookingfil", gDatabasePath);
        standby->Update();
        standby->Close();
        replace.commit();
    } catch (const Dao::DbError &e) {
        reportDbError(e);
        return false;
    }
    markCutItem(grid, cut ? key : QString());
    return true;
}

void showCutMark(PlannerGrid &grid)
{
    QString key;
    try {
        auto paths = openPaths();
        auto standby = paths->OpenRecordset("SELECT Bookingnr, klippet, bookingfil FROM standby",
                                            Dao::RecordsetType::ForwardOnly);
        if (!standby->EOF_() && heldIn(*standby) == Held::Cut
            && sameFile(standby->Field("bookingfil").toString(), gDatabasePath))
            key = QString::number(standby->Field("Bookingnr").toLongLong());
    } catch (const Dao::DbError &) {
        // The mark only shows what the clipboard holds; the paste tells of a clipboard that
        // cannot be read.
    }
    markCutItem(grid, key);
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
    Outcome outcome;
    try {
        auto paths = openPaths();
        // paths.mdb is held from the read of the row to its removal: another copy of the
        // program cannot replace the row halfway, nor paste the same cut booking at once.
        Dao::Transaction hold(*paths);
        auto standby = paths->OpenRecordset("standby", Dao::RecordsetType::Table);
        if (standby->RecordCount() == 0) {   // emptied by another copy of the program
            outcome.tell = reportEmptyClipboard;
        } else {
            standby->MoveFirst();
            const Held held = heldIn(*standby);
            const Target at{start, day, item};
            outcome = held == Held::Cut ? moveCut(*standby, at)
                                        : addFromClipboard(*standby, held, at);
        }
        standby->Close();
        hold.commit();
    } catch (const Dao::DbError &e) {
        outcome = {{}, [e] { reportDbError(e); }};
    }
    if (outcome.tell)
        outcome.tell();
    return outcome.result;
}

} // namespace Clipboard
