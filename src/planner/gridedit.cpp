#include "planner/gridedit.h"

#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/plannergrid.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QLineEdit>

#include <memory>

using namespace Generalen;
using namespace Extrafunktioner;

namespace GridEdit {

namespace {

constexpr int Red = 255;

// The booking number of a key text; false for a key that is no number.
bool keyNumber(const QString &keyText, qint64 &out)
{
    bool ok = false;
    out = keyText.trimmed().toLongLong(&ok);
    return ok;
}

// Table booking, positioned on the row of the key text; nullptr when there is none.
std::unique_ptr<Dao::Recordset> seekBooking(Dao::Database &db, const QString &keyText)
{
    qint64 key = 0;
    if (!keyNumber(keyText, key))
        return nullptr;
    auto rs = db.OpenRecordset("booking", Dao::RecordsetType::Table);
    rs->SetIndex("Primarykey");
    rs->Seek("=", key);
    if (rs->NoMatch())
        return nullptr;
    return rs;
}

void reportDbError(const Dao::DbError &e)
{
    MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
}

// Deletes the booking of a key text; a row already gone is nothing to delete.
void deleteBooking(const QString &keyText)
{
    auto db = Dao::Database::open(gDatabasePath);
    if (auto rs = seekBooking(*db, keyText))
        rs->Delete();
}

} // namespace

void storeTypedBooking(PlannerGrid &grid, int index, int start, int end,
                       const NewBookingPlace &place)
{
    try {
        const int32_t number = NextKey();
        auto db = Dao::Database::open(gDatabasePath);
        auto rs = db->OpenRecordset("booking", Dao::RecordsetType::Table);
        rs->AddNew();
        rs->SetField("Bookingnr", number);
        rs->SetField("bstart", start);
        rs->SetField("bslut", end);
        rs->SetField("Beskrivelse", grid.ItemText(index));
        rs->SetField("Bdato", place.day);
        rs->SetField("lokalenr", place.item);
        rs->SetField("Kontonr", gUserNo);
        rs->SetField("curacname", gUserName);
        rs->SetField("Bgruppe", gCurrentTypeNo);
        rs->SetField("Bcolor", Red);
        if (place.writeTentative)
            rs->SetField("Tentative", place.tentative);
        rs->Update();
        // The item carries the number only once the row holds it.
        grid.SetItemKeyText(index, QString::number(number));
        if (place.writeTentative)
            grid.SetItemTentative(index, place.tentative);
        grid.SetItemColour(index, Red);
    } catch (const Dao::DbError &e) {
        // The grid shows no booking that the file does not hold.
        grid.RemoveItem(index);
        reportDbError(e);
    }
}

bool saveItem(PlannerGrid &grid, int index, Columns columns)
{
    const QString key = grid.ItemKeyText(index);
    if (grid.SelectedItem() <= 0 || index <= 0)
        return false;
    try {
        auto db = Dao::Database::open(gDatabasePath);
        auto rs = seekBooking(*db, key);
        if (!rs || !CanEditAccountBookings(int32_t(rs->Field("Kontonr").toLongLong())))
            return false;
        const char *placeField = columns == Columns::Resources ? "lokalenr" : "Bdato";
        const qint64 place = columns == Columns::Resources ? grid.ItemResource(index)
                                                           : grid.ItemDay(index);
        // An item that shows its booking as stored (a double-click on an item that was not
        // moved) writes nothing: no write lock, and other copies keep their cached pages.
        const auto holds = [&rs](const char *field, qint64 value) {
            const QVariant stored = rs->Field(field);
            return !stored.isNull() && stored.toLongLong() == value;
        };
        if (rs->Field("Beskrivelse").toString() == grid.ItemText(index)
            && holds(placeField, place) && holds("bstart", grid.ItemStart(index))
            && holds("bslut", grid.ItemEnd(index)))
            return true;
        rs->Edit();
        rs->SetField("Beskrivelse", grid.ItemText(index));
        rs->SetField(placeField, place);
        rs->SetField("bstart", grid.ItemStart(index));
        rs->SetField("bslut", grid.ItemEnd(index));
        rs->Update();
        return true;
    } catch (const Dao::DbError &e) {
        reportDbError(e);
        return false;
    }
}

bool findBooking(const QString &keyText, BookingRef &found)
{
    auto db = Dao::Database::open(gDatabasePath);
    auto rs = seekBooking(*db, keyText);
    if (!rs)
        return false;
    found.bookingNo = int32_t(rs->Field("Bookingnr").toLongLong());
    found.account = int32_t(rs->Field("Kontonr").toLongLong());
    return true;
}

void reportMissingBooking()
{
    MsgBox::show("The booking is no longer in the bookingfile. It may have been deleted.",
                 MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
}

void reportNoAuthority(Refusal refusal)
{
    QString text;
    switch (refusal) {
    case Refusal::Delete:
        text = QStringLiteral("You have no authority to delete this booking !");
        break;
    case Refusal::Change:
        text = QStringLiteral("You have no authority to change this booking !");
        break;
    case Refusal::Cut:
        text = QStringLiteral("You have no authority to cut this booking !");
        break;
    case Refusal::Paste:
        text = QStringLiteral("You have no authority to paste this booking !");
        break;
    }
    MsgBox::show(text, MsgBox::OkOnly, QString());
}

void explainRefusedChange(const PlannerGrid &grid, int index)
{
    try {
        BookingRef booking;
        if (findBooking(grid.ItemKeyText(index), booking)
            && !CanEditAccountBookings(booking.account))
            reportNoAuthority(Refusal::Change);
    } catch (const Dao::DbError &) {
        // The write-back has told of a file that cannot be read.
    }
}

void openBooking(const QString &keyText, const Opener &forEdit, const Opener &readOnly)
{
    BookingRef booking;
    try {
        if (!findBooking(keyText, booking)) {
            reportMissingBooking();
            return;
        }
        if (!CanEditAccountBookings(booking.account)) {
            readOnly(booking.bookingNo);
            return;
        }
    } catch (const Dao::DbError &e) {
        reportDbError(e);
        return;
    }
    forEdit(booking.bookingNo);
}

void deleteSelected(PlannerGrid &grid, QLineEdit *slettenr, DeleteStyle style)
{
    const int s = grid.SelectedItem();
    const QString key = grid.ItemKeyText(s);
    const bool dayView = style == DeleteStyle::DayView;
    if (s < 1) {
        if (dayView)
            MsgBox::show("No Booking Selected", MsgBox::OkOnly, "Service Message");
        return;
    }
    const int question = MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2;
    if (!dayView && MsgBox::show("Confirm Delete ?", question, "Delete Info") != MsgBox::Yes)
        return;
    try {
        // The row is read and the connection closed before anyone is asked anything, so no
        // lock on the bookingfile waits for an answer.
        BookingRef booking;
        if (!findBooking(key, booking)) {
            reportMissingBooking();
            return;
        }
        if (slettenr)
            slettenr->setText(QString::number(booking.bookingNo));
        if (!CanEditAccountBookings(booking.account)) {
            reportNoAuthority(Refusal::Delete);
            return;
        }
        if (dayView && MsgBox::show("Confirm deletion ?", question, "Slettemeddelelse")
                           != MsgBox::Yes)
            return;
        // The row goes first: a failed delete leaves the item in the grid.
        deleteBooking(key);
        grid.RemoveItem(s);
    } catch (const Dao::DbError &e) {
        reportDbError(e);
    }
}

} // namespace GridEdit
