// The booking form's Account Info tab: the owning account's data and the second contact
// person; the account combo's change and the mail link to the account.
#include "bookings/bookingform.h"

#include "bookings/bookingformboxes.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/dblist.h"
#include "platform/controls/hyperlink.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"
#include "platform/db/database.h"
#include "platform/db/dberror.h"
#include "platform/db/recordset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

#include <iterator>

using namespace Generalen;
using BookingFormBoxes::label;
using BookingFormBoxes::lockedBox;

void bookingform::buildAccountTab(QWidget *page)
{
    auto locked = [page](QLineEdit *&box, const char *name) {
        box = lockedBox(page);
        box->setObjectName(name);
    };
    auto editable = [page](QLineEdit *&box, const char *name) {
        box = new QLineEdit(page);
        box->setObjectName(name);
    };
    locked(kontokontakt, "kontokontakt");
    locked(Kontoadresse, "Kontoadresse");
    locked(Kontopnr, "Kontopnr");
    locked(Kontoby, "Kontoby");
    locked(Kontotlf, "Kontotlf");
    locked(Kontotlfp, "Kontotlfp");
    locked(depname, "depname");
    locked(Kontomobil, "Kontomobil");
    locked(Kontofax, "Kontofax");
    locked(kontomail, "kontomail");
    editable(Kontaktperson2, "Kontaktperson2");
    editable(Kontaktpersonadr2, "Kontaktpersonadr2");
    editable(Kontaktpersonpnr2, "Kontaktpersonpnr2");
    editable(Kontaktpersonby2, "Kontaktpersonby2");
    editable(Kontakttlf2, "Kontakttlf2");
    editable(Kontakttlfb2, "Kontakttlfb2");
    const int zipWidth = Kontopnr->fontMetrics().horizontalAdvance(QLatin1String("00000000"))
                         + 12;
    Kontopnr->setFixedWidth(zipWidth);
    Kontaktpersonpnr2->setFixedWidth(zipWidth);

    auto zipRow = [](QLineEdit *zip, QLineEdit *city) {
        auto *row = new QHBoxLayout;
        row->addWidget(zip);
        row->addWidget(city, 1);
        return row;
    };

    auto *grid = new QGridLayout(page);
    int r = 0;
    grid->addWidget(label("Contact:", kontokontakt, page), r, 0);
    grid->addWidget(kontokontakt, r++, 1);
    grid->addWidget(label("Address:", Kontoadresse, page), r, 0);
    grid->addWidget(Kontoadresse, r++, 1);
    grid->addWidget(label("Zip/County:", Kontopnr, page), r, 0);
    grid->addLayout(zipRow(Kontopnr, Kontoby), r++, 1);
    grid->addWidget(label("Phone /w:", Kontotlf, page), r, 0);
    grid->addWidget(Kontotlf, r++, 1);
    grid->addWidget(label("Phone /p:", Kontotlfp, page), r, 0);
    grid->addWidget(Kontotlfp, r++, 1);
    grid->addWidget(label("Dep:", depname, page), r, 0);
    grid->addWidget(depname, r++, 1);
    grid->addWidget(label("Mobile:", Kontomobil, page), r, 0);
    grid->addWidget(Kontomobil, r++, 1);
    grid->addWidget(label("Fax:", Kontofax, page), r, 0);
    grid->addWidget(Kontofax, r++, 1);
    grid->addWidget(label("Email:", kontomail, page), r, 0);
    grid->addWidget(kontomail, r++, 1);

    r = 0;
    grid->addWidget(label("Contact 2:", Kontaktperson2, page), r, 3);
    grid->addWidget(Kontaktperson2, r++, 4);
    grid->addWidget(label("Address:", Kontaktpersonadr2, page), r, 3);
    grid->addWidget(Kontaktpersonadr2, r++, 4);
    grid->addWidget(label("Zip/County:", Kontaktpersonpnr2, page), r, 3);
    grid->addLayout(zipRow(Kontaktpersonpnr2, Kontaktpersonby2), r++, 4);
    grid->addWidget(label("Phone /w:", Kontakttlf2, page), r, 3);
    grid->addWidget(Kontakttlf2, r++, 4);
    grid->addWidget(label("Phone /p:", Kontakttlfb2, page), r, 3);
    grid->addWidget(Kontakttlfb2, r++, 4);

    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(9, 1);
}

void bookingform::Kontonr_AccountChange()
{
    curacname->setText(Kontonr->Text());
    kontoknr->setText(Kontonr->BoundText().toString());
    showAccountData();
}

void bookingform::showAccountData()
{
    // The boxes of the account's own data, in the order the statement reads them. The booking
    // stores only the account's number and name: bookingfor writes none of these back.
    QLineEdit *const boxes[] = {kontokontakt, Kontoadresse, Kontopnr, Kontoby,    Kontotlf,
                                Kontotlfp,    depname,      Kontomobil, Kontofax, kontomail,
                                Kontouser};
    QVariantList values;
    bool isAccount = false;
    const qlonglong account = kontoknr->text().trimmed().toLongLong(&isAccount);
    if (isAccount) {
        try {
            auto db = Dao::Database::open(Data1.DatabaseName());
            auto rs = db->OpenRecordset(
                "SELECT k.kontokontakt, k.Kontoadresse, k.Kontopnr, k.Kontoby, k.Kontotlf, "
                "k.Kontotlfp, d.depname, k.Kontomobil, k.Kontofax, k.kontomail, k.Kontouser "
                "FROM Konti AS k LEFT JOIN Department AS d ON d.depnr = k.depnr "
                "WHERE k.ID = :id",
                Dao::Bindings(QVariantMap{{"id", account}}), Dao::RecordsetType::Snapshot);
            for (int i = 0; !rs->EOF_() && i < int(std::size(boxes)); ++i)
                values << rs->Field(i);
        } catch (const Dao::DbError &e) {
            MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
            return;
        }
    }
    for (int i = 0; i < int(std::size(boxes)); ++i)
        boxes[i]->setText(i < values.size() ? values[i].toString() : QString());
}

namespace {
// A value put into the mail link: the characters that would end it, start another field of it
// or read as an escape are written as escapes, so an "&" in a name cannot cut the text short or
// add recipients. Everything else stays as typed.
QString mailLinkValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == '%' || c == '&' || c == '#' || c == '?' || c == '+' || c == '=')
            out += '%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}
} // namespace

void bookingform::ctmailer_PrepareMail()
{
    const QDate date = Extrafunktioner::DayNumberToDate(Bdato->value());
    const QTime start = Extrafunktioner::MinutesToTime(SecondsToMinutes(bstart->value()));
    ctmailer->setLink("mailto: " + mailLinkValue(kontomail->text())
                      + "?subject=Booking Message&body=Concerning: Booking of "
                      + mailLinkValue(Lokalenavn->text()) + ", " + Format(date, gDateFormat) + ", "
                      + TimeText(start));
}
