#include "bookings/repeatseries.h"

#include "bookings/bookingform.h"
#include "bookings/bookingformboxes.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/dblist.h"
#include "platform/controls/maskededit.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"
#include "platform/db/database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QHash>
#include <QSet>

#include <sqlite3.h>

using Dao::FieldKind;

namespace RepeatSeries {

namespace {

QVariant orNull(const QString &text) { return text.isEmpty() ? QVariant() : QVariant(text); }

bool wholeNumber(const QString &text, int32_t *value)
{
    qint64 n = 0;
    if (!Queries::ParseWholeNumber(text, &n) || n < INT32_MIN || n > INT32_MAX)
        return false;
    *value = static_cast<int32_t>(n);
    return true;
}

// The booking values that a series copies from the booking form, as its boxes hold them
// (unsaved edits included). An empty box is no value, as the form itself stores it.
struct FormValues
{
    QVariant Beskrivelse, langbeskrivelse, Bemærkninger, Antalpers, Pris, ID, leveringstype,
        curacname, kontonr, bvpris;
    QVariant contact[6];
    bool Tentative = false;
    bool tax = false;
};

FormValues readForm(const bookingform *f)
{
    FormValues v;
    v.Beskrivelse = orNull(f->Beskrivelse->toPlainText());
    v.langbeskrivelse = orNull(f->langbeskrivelse->toPlainText());
    v.Bemærkninger = orNull(f->Bemærkninger->toPlainText());
    // The numbers as the boxes read them, a decimal comma included.
    v.Antalpers = f->Antalpers->Value();
    v.Pris = f->Pris->Value();
    v.ID = f->ID->BoundText();
    v.leveringstype = orNull(f->leveringstype->currentText());
    v.curacname = orNull(f->curacname->text());
    v.kontonr = orNull(f->kontoknr->text().trimmed());
    v.bvpris = orNull(f->PRTyp->text().trimmed());
    const QLineEdit *contacts[6] = {f->Kontaktperson2, f->Kontaktpersonadr2,
                                    f->Kontaktpersonpnr2, f->Kontaktpersonby2,
                                    f->Kontakttlf2, f->Kontakttlfb2};
    for (int i = 0; i < 6; ++i)
        v.contact[i] = orNull(contacts[i]->text());
    v.Tentative = f->Tentative->isChecked();
    v.tax = f->TaxB->isChecked();
    return v;
}

std::unique_ptr<Dao::Database> openPaths()
{
    return Dao::Database::open(Extrafunktioner::PathsFile());
}

bool isListPrice(const FormValues &v)
{
    return BookingFormBoxes::holdsNumber(v.bvpris.toString(), 1);
}

// Under list price each date is priced by its own item's fee, also a date moved to another
// item; an item without a fee keeps the form's price, as the form itself does.
class ListPrices
{
public:
    ListPrices(Dao::Database &db, const FormValues &v)
        : m_listPrice(isListPrice(v)), m_formPrice(v.Pris),
          m_fee(db.handle(), "SELECT gebyr FROM lokale WHERE lokalenr = ?1")
    {}
    QVariant priceOf(const GenDate &g)
    {
        if (!m_listPrice)
            return m_formPrice;
        auto known = m_fees.constFind(g.lokalenr);
        if (known == m_fees.constEnd()) {
            m_fee.reset();
            m_fee.bind(1, qlonglong(g.lokalenr), FieldKind::Integer);
            known = m_fees.insert(g.lokalenr, m_fee.step() ? m_fee.value(0) : QVariant());
            m_fee.reset();
        }
        if (known->isNull())
            return m_formPrice;
        const int32_t hours = Extrafunktioner::DurationHours(g.start.msecsSinceStartOfDay() / 1000,
                                                             g.slut.msecsSinceStartOfDay() / 1000);
        return hours * known->toDouble();
    }

private:
    bool m_listPrice;
    QVariant m_formPrice;
    Dao::Statement m_fee;
    QHash<int32_t, QVariant> m_fees;
};

} // namespace

Origin currentOrigin()
{
    Origin o;
    if (!Forms::isLoaded<bookingform>())
        return o;
    const bookingform *f = Forms::get<bookingform>();
    int32_t n = 0;
    if (f->Data1.hasCurrentRow() && wholeNumber(f->Bookingnr->text(), &n)) {
        o.bookingnr = n;
        o.databasePath = f->Data1.DatabaseName();
    }
    return o;
}

bookingform *formShowing(const Origin &origin)
{
    if (!origin.valid())
        return nullptr;
    const Origin now = currentOrigin();
    if (now.bookingnr != origin.bookingnr || now.databasePath != origin.databasePath)
        return nullptr;
    return Forms::get<bookingform>();
}

bookingform *requireForm(const Origin &origin)
{
    bookingform *f = formShowing(origin);
    if (!f)
        MsgBox::show("The booking form no longer shows booking " + QString::number(origin.bookingnr)
                         + ". Open the booking again to repeat or delete it.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
    return f;
}

std::optional<Slot> formSlot(const bookingform *form)
{
    Slot s;
    if (!wholeNumber(form->Lokalenr->text(), &s.item) || form->bstart->isNull()
        || form->bslut->isNull())
        return std::nullopt;
    s.startSeconds = form->bstart->value();
    s.endSeconds = form->bslut->value();
    return s;
}

DoubleBookingTest::DoubleBookingTest(const QString &bookingfile)
    : m_db(Dao::Database::open(bookingfile)),
      m_count(m_db->handle(),
              // By item and day: the index on day and start would walk every booking of the day.
              // The search stops at the first clash; a busy item's day may hold thousands of
              // bookings, and counting them all would read each one's row.
              "SELECT EXISTS (SELECT 1 FROM booking INDEXED BY booking_Lokalenr_Bdato "
              "WHERE Bdato = ?1 AND Lokalenr = ?2 AND bstart < ?3 AND bslut > ?4)")
{}

DoubleBookingTest::~DoubleBookingTest() = default;

bool DoubleBookingTest::clashes(int32_t day, const Slot &slot)
{
    // The minutes are compared unrounded, as the booking form's seconds give them.
    m_count.reset();
    m_count.bind(1, qlonglong(day), FieldKind::Integer);
    m_count.bind(2, qlonglong(slot.item), FieldKind::Integer);
    m_count.bind(3, slot.endSeconds / 60.0, FieldKind::Real);
    m_count.bind(4, slot.startSeconds / 60.0, FieldKind::Real);
    m_count.step();
    const bool clash = m_count.value(0).toLongLong() != 0;
    m_count.reset();   // the file is not kept locked for reading between dates
    return clash;
}

QTime SlotTime(int32_t seconds)
{
    return Extrafunktioner::MinutesToTime(SecondsToMinutes(seconds));
}

QDateTime StoredTime(const QTime &time) { return QDateTime(QDate(1899, 12, 30), time); }

QList<int32_t> AddDates(const QList<int32_t> &days, const Slot &slot, DoubleBookingTest &test)
{
    auto db = openPaths();
    Dao::Transaction trans(*db);
    Dao::Statement add(db->handle(), "INSERT INTO gendatogent (Dato, Start, Slut, lokalenr, DB) "
                                     "VALUES (?1, ?2, ?3, ?4, ?5)");
    const QDateTime start = StoredTime(SlotTime(slot.startSeconds));
    const QDateTime slut = StoredTime(SlotTime(slot.endSeconds));
    QList<int32_t> ids;
    for (const int32_t day : days) {
        add.reset();
        add.bind(1, qlonglong(day), FieldKind::Integer);
        add.bind(2, start, FieldKind::DateTime);
        add.bind(3, slut, FieldKind::DateTime);
        add.bind(4, qlonglong(slot.item), FieldKind::Integer);
        add.bind(5, test.clashes(day, slot), FieldKind::Boolean);
        add.step();
        ids.append(static_cast<int32_t>(sqlite3_last_insert_rowid(db->handle())));
    }
    trans.commit();
    return ids;
}

namespace {
// The time of day of a stored Start or Slut. The text this program writes ("1899-12-30
// 10:00:00") is read directly: the general date parser costs tens of microseconds a value,
// which a list of a year of dates pays twice per row. Any other form goes through that parser.
QTime storedTimeOf(const Dao::Statement &read, int column)
{
    const QVariant raw = read.value(column);
    if (raw.typeId() == QMetaType::QString) {
        const QString t = raw.toString();
        if (t.size() == 19 && (t[10] == u' ' || t[10] == u'T') && t[13] == u':'
            && t[16] == u':') {
            bool okH = false, okM = false, okS = false;
            const int h = QStringView(t).mid(11, 2).toInt(&okH);
            const int m = QStringView(t).mid(14, 2).toInt(&okM);
            const int sec = QStringView(t).mid(17, 2).toInt(&okS);
            if (okH && okM && okS && QTime::isValid(h, m, sec))
                return QTime(h, m, sec);
        }
    }
    return read.value(column, FieldKind::DateTime).toDateTime().time();
}
} // namespace

QList<GenDate> ReadDates(const QList<int32_t> &ids)
{
    const QSet<int32_t> wanted(ids.begin(), ids.end());
    QList<GenDate> rows;
    auto db = openPaths();
    Dao::Statement read(db->handle(),
                        "SELECT ID, Dato, Start, Slut, lokalenr, DB FROM gendatogent ORDER BY ID");
    while (read.step()) {
        GenDate g;
        g.id = static_cast<int32_t>(read.value(0).toLongLong());
        if (!wanted.contains(g.id))
            continue;
        g.dato = static_cast<int32_t>(read.value(1).toLongLong());
        g.start = storedTimeOf(read, 2);
        g.slut = storedTimeOf(read, 3);
        g.lokalenr = static_cast<int32_t>(read.value(4).toLongLong());
        g.db = read.value(5, FieldKind::Boolean).toBool();   // a missing value counts as false
        rows.append(g);
    }
    return rows;
}

void ExecutePaths()
{
    auto db = openPaths();
    db->Execute(Generalen::gSql);
}

bool BookDates(const Origin &origin, const QList<int32_t> &ids, qint64 colour)
{
    bookingform *f = requireForm(origin);
    if (!f)
        return false;
    const QList<GenDate> rows = ReadDates(ids);
    if (rows.size() != ids.size() || rows.isEmpty()) {
        MsgBox::show("Some of the prepared dates are no longer there; another copy of the program "
                     "may have cleared them. Prepare the dates again.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
        return false;
    }
    const FormValues v = readForm(f);
    // Added to a series, the new dates join it; otherwise the booking becomes the head.
    int32_t gennr = origin.bookingnr;
    int32_t known = 0;
    if (f->IsRepeating() && wholeNumber(f->gennr->text(), &known))
        gennr = known;

    try {
        auto db = Dao::Database::open(origin.databasePath);
        // A series touches a leaf page of each day's run in the date indexes. A cache of 4 MB
        // books a year's series on a big file as fast as one that holds them all (12 MB):
        // the half-written pages it spills to the file cost less than the memory.
        Dao::Statement(db->handle(), "PRAGMA cache_size = -4096").step();
        Dao::Transaction trans(*db);
        const int32_t first = Extrafunktioner::NextKeys(*db, int32_t(rows.size()));
        Dao::Statement add(
            db->handle(),
            QString::fromUtf8(
                "INSERT INTO booking (Bookingnr, Bdato, bstart, bslut, Lokalenr, Beskrivelse, "
                "Bgruppe, Bcolor, kontonr, Kontaktperson2, Kontaktpersonadr2, Kontaktpersonpnr2, "
                "Kontaktpersonby2, Kontakttlf2, Kontakttlfb2, langbeskrivelse, Antalpers, Pris, "
                "ID, Bemærkninger, gennr, gentagende, leveringstype, Tentative, curacname, tax, "
                "bvpris) VALUES (?1, ?2, ?3, ?4, ?5, ?6, "
                "(SELECT lokalinr FROM lokale WHERE lokalenr = ?5), ?7, ?8, ?9, ?10, ?11, ?12, "
                "?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, 1, ?21, ?22, ?23, ?24, ?25)"));
        ListPrices prices(*db, v);
        int32_t key = first;
        for (const GenDate &g : rows) {
            add.reset();
            add.bind(1, qlonglong(key++), FieldKind::Integer);
            add.bind(2, qlonglong(g.dato), FieldKind::Integer);
            add.bind(3, qlonglong(Extrafunktioner::TimeToMinutes(g.start)), FieldKind::Integer);
            add.bind(4, qlonglong(Extrafunktioner::TimeToMinutes(g.slut)), FieldKind::Integer);
            add.bind(5, qlonglong(g.lokalenr), FieldKind::Integer);
            add.bind(6, v.Beskrivelse, FieldKind::Text);
            add.bind(7, colour, FieldKind::Integer);
            add.bind(8, v.kontonr, FieldKind::Integer);
            for (int i = 0; i < 6; ++i)
                add.bind(9 + i, v.contact[i], FieldKind::Text);
            add.bind(15, v.langbeskrivelse, FieldKind::Text);
            add.bind(16, v.Antalpers, FieldKind::Integer);
            add.bind(17, prices.priceOf(g), FieldKind::Real);
            add.bind(18, v.ID, FieldKind::Integer);
            add.bind(19, v.Bemærkninger, FieldKind::Text);
            add.bind(20, qlonglong(gennr), FieldKind::Integer);
            add.bind(21, v.leveringstype, FieldKind::Text);
            add.bind(22, v.Tentative, FieldKind::Boolean);
            add.bind(23, v.curacname, FieldKind::Text);
            add.bind(24, v.tax, FieldKind::Boolean);
            add.bind(25, v.bvpris, FieldKind::Integer);
            add.step();
        }
        Dao::Statement head(db->handle(), "UPDATE booking SET gennr = ?1, gentagende = 1, "
                                          "Bcolor = ?2 WHERE Bookingnr = ?3");
        head.bind(1, qlonglong(gennr), FieldKind::Integer);
        head.bind(2, colour, FieldKind::Integer);
        head.bind(3, qlonglong(origin.bookingnr), FieldKind::Integer);
        head.step();
        // Deleted by another copy of the program while the form showed it: members without
        // their head would be a half-written series.
        if (sqlite3_changes(db->handle()) == 0)
            throw Dao::DbError("Booking " + QString::number(origin.bookingnr)
                               + " is no longer in the bookingfile. It may have been deleted.");
        trans.commit();
    } catch (const Dao::DbError &e) {
        MsgBox::show("The series could not be booked; no booking was made.\n" + e.description(),
                     MsgBox::OkOnly | MsgBox::Exclamation, "Service Message");
        return false;
    }
    // The form writes its record as it unloads: its boxes hold what the file now holds.
    f->gennr->setText(QString::number(gennr));
    f->gentagende->setText("True");
    f->Bcolor->setText(QString::number(colour));
    return true;
}

int UpdateMembers(const bookingform *f, int32_t gennr, int32_t bookingnr)
{
    const FormValues v = readForm(f);
    auto db = Dao::Database::open(f->Data1.DatabaseName());
    Dao::Transaction trans(*db);
    Dao::Statement update(
        db->handle(),
        QString::fromUtf8(
            "UPDATE booking SET kontonr = ?1, curacname = ?2, Beskrivelse = ?3, bstart = ?4, "
            "bslut = ?5, langbeskrivelse = ?6, Antalpers = ?7, ID = ?8, Kontaktperson2 = ?9, "
            "Kontaktpersonadr2 = ?10, Kontaktpersonby2 = ?11, Kontaktpersonpnr2 = ?12, "
            "Kontakttlf2 = ?13, Kontakttlfb2 = ?14, leveringstype = ?15, "
            // Under list price each member is priced by its own item's fee.
            "Pris = CASE WHEN ?23 THEN COALESCE((SELECT gebyr FROM lokale "
            "WHERE lokale.lokalenr = booking.Lokalenr) * ?24, ?16) ELSE ?16 END, tax = ?17, "
            "Bemærkninger = ?18, bvpris = ?19, Tentative = ?20 "
            "WHERE gennr = ?21 AND Bookingnr <> ?22"));
    update.bind(1, f->Kontonr->BoundText(), FieldKind::Integer);
    update.bind(2, orNull(f->Kontonr->Text()), FieldKind::Text);
    update.bind(3, v.Beskrivelse, FieldKind::Text);
    update.bind(4, qlonglong(SecondsToMinutes(f->bstart->value())), FieldKind::Integer);
    update.bind(5, qlonglong(SecondsToMinutes(f->bslut->value())), FieldKind::Integer);
    update.bind(6, v.langbeskrivelse, FieldKind::Text);
    update.bind(7, v.Antalpers, FieldKind::Integer);
    update.bind(8, v.ID, FieldKind::Integer);
    update.bind(9, v.contact[0], FieldKind::Text);
    update.bind(10, v.contact[1], FieldKind::Text);
    update.bind(11, v.contact[3], FieldKind::Text);
    update.bind(12, v.contact[2], FieldKind::Text);
    update.bind(13, v.contact[4], FieldKind::Text);
    update.bind(14, v.contact[5], FieldKind::Text);
    update.bind(15, v.leveringstype, FieldKind::Text);
    update.bind(16, v.Pris, FieldKind::Real);
    update.bind(17, v.tax, FieldKind::Boolean);
    update.bind(18, v.Bemærkninger, FieldKind::Text);
    update.bind(19, v.bvpris, FieldKind::Integer);
    update.bind(20, v.Tentative, FieldKind::Boolean);
    update.bind(21, qlonglong(gennr), FieldKind::Integer);
    update.bind(22, qlonglong(bookingnr), FieldKind::Integer);
    update.bind(23, isListPrice(v), FieldKind::Boolean);
    const int32_t hours = Extrafunktioner::DurationHours(f->bstart->value(), f->bslut->value());
    update.bind(24, qlonglong(hours), FieldKind::Integer);
    update.step();
    const int changed = sqlite3_changes(db->handle());
    trans.commit();
    return changed;
}

} // namespace RepeatSeries
