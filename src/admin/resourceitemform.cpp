#include "admin/resourceitemform.h"

#include "admin/formlayout.h"
#include "admin/unavailableperiod.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/datecalendar.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/dblist.h"
#include "platform/controls/maskededit.h"
#include "platform/controls/msgbox.h"
#include "platform/db/dberror.h"
#include "platform/system.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

namespace {

const char kNameRefusal[] = "Resourcename can't be empty. Fill in or cancel the operation.";

// A box for a whole number that is never negative, labelled and named as the other boxes.
MaskedEdit *wholeNumberBox(QWidget *form, QGridLayout *grid, int row, int col,
                           const QString &label, const QString &name)
{
    auto *box = new MaskedEdit(form);
    box->setObjectName(name);
    box->setFormat("0");
    box->setFieldName(label);
    FormLayout::addBox(grid, row, col, label, box);
    return box;
}

} // namespace

ResourceItemForm::ResourceItemForm(Kind kind, Mode mode, const QString &caption,
                                   const QString &recordSource)
    : RecordForm(recordSource), m_kind(kind), m_mode(mode)
{
    setWindowTitle(caption);
    Data2.setObjectName("Data2");
    buildLayout();

    if (inaktiv && m_mode == Editing) {
        // The period never ends before it starts, as on the unavailable list's form.
        m_period = new UnavailablePeriod(inaktiv, cstart, cslut, Data1, this);
        connect(cstart, &DEdit::Change, m_period, &UnavailablePeriod::startChanged);
        connect(cslut, &DEdit::Change, m_period, &UnavailablePeriod::endChanged);
        connect(inaktiv, &QCheckBox::clicked, this, &ResourceItemForm::inaktiv_Click);
        connect(cstart, &DEdit::DropDown, this, &ResourceItemForm::cstart_DropDown);
        connect(cslut, &DEdit::DropDown, this, &ResourceItemForm::cslut_DropDown);
        connect(cstart, &DEdit::Spin, this, &ResourceItemForm::cstart_Spin);
        connect(cslut, &DEdit::Spin, this, &ResourceItemForm::cslut_Spin);
        connect(cstart, &DEdit::GotFocus, this, &ResourceItemForm::cstart_GotFocus);
        connect(cslut, &DEdit::GotFocus, this, &ResourceItemForm::cslut_GotFocus);
        connect(ctDateST, &DateCalendar::DateChange, this, &ResourceItemForm::ctDateST_DateChange);
        connect(ctDateSL, &DateCalendar::DateChange, this, &ResourceItemForm::ctDateSL_DateChange);
    }
    if (inaktiv) {
        // The date edits follow the shown row's flag, also after the opener positions the form.
        connect(&Data1, &DataControl::Reposition, this, [this] {
            const bool on = inaktiv->isChecked() && !isViewOnly();
            cstart->setEnabled(on);
            cslut->setEnabled(on);
        });
    }
    connect(Luk, &QPushButton::clicked, this, &ResourceItemForm::Luk_Click);
    if (Canc)
        connect(Canc, &QPushButton::clicked, this, &ResourceItemForm::Canc_Click);
    if (del)
        connect(del, &QPushButton::clicked, this, &ResourceItemForm::del_Click);
}

void ResourceItemForm::buildLayout()
{
    using FormLayout::addBox;
    using FormLayout::addLine;
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    lokalenr = addLine(this, grid, 0, 0, "Resource no.", "lokalenr", true);
    Lokalenavn = addLine(this, grid, 1, 0, "Resource", "Lokalenavn");
    Lokalenavn->setMinimumWidth(200);
    lokalinr = addLine(this, grid, 0, 1, "Type no.", "lokalinr", true);
    gruppeart = addLine(this, grid, 1, 1, "Kind", "gruppeart", true);
    lokbeskrivelse = addLine(this, grid, 2, 0, "Description", "lokbeskrivelse");
    gebyr = new MaskedEdit(this);
    gebyr->setObjectName("gebyr");
    gebyr->setFieldName("Fee/hour");
    addBox(grid, 3, 0, "Fee/hour", gebyr);

    Data1.bind(lokalenr, "lokalenr");
    Data1.bind(Lokalenavn, "Lokalenavn");
    Data1.bind(lokalinr, "lokalinr");
    Data1.bind(gruppeart, "Gruppeart");
    Data1.bind(lokbeskrivelse, "lokbeskrivelse");
    Data1.bind(gebyr, "gebyr");

    int row = 4;
    if (m_kind == Domestic) {
        gebyr->setFormat("0.00");
        maxprs = wholeNumberBox(this, grid, 2, 1, "Capacity", "maxprs");
        Lokfastinv = addLine(this, grid, 3, 1, "Furnitury", "Lokfastinv");
        Data1.bind(maxprs, "maxprs");
        Data1.bind(Lokfastinv, "Lokfastinv");
    } else {
        auto *homebases = new DBList(DBList::ComboStyle, this);
        homebases->setObjectName(m_mode == Viewing ? "Homeb" : "DBCombo1");
        (m_mode == Viewing ? Homeb : DBCombo1) = homebases;
        homebases->setRowSource(&Data2);
        homebases->setListField("Homebase");
        homebases->setBoundColumn("ID");
        homebases->setPlaceholderText("Select Homebase");
        addBox(grid, 2, 1, "Homebase", homebases);
        lokfabrikat = addLine(this, grid, 3, 1, "Brand", "lokfabrikat");
        lokmodel = addLine(this, grid, 4, 0, "Model", "lokmodel");
        loksernr = addLine(this, grid, 4, 1, "Serial #.", "loksernr");
        YEAR = wholeNumberBox(this, grid, 5, 0, "Year", "YEAR");
        warrenty = new DatePicker(this);
        warrenty->setObjectName("warrenty");
        warrenty->setNull();
        addBox(grid, 5, 1, "Warranty", warrenty);
        Leverandør = addLine(this, grid, 6, 0, "Supplier", QString::fromUtf8("Leverandør"));
        levadresse = addLine(this, grid, 7, 0, "Address", "levadresse");
        levzip = addLine(this, grid, 8, 0, "Zip", "levzip");
        levby = addLine(this, grid, 8, 1, "City", "levby");
        levphone = addLine(this, grid, 6, 1, "(", "levphone");
        levmail = addLine(this, grid, 7, 1, "@", "levmail");
        Data1.bind(homebases, "ID");
        Data1.bind(lokfabrikat, "lokfabrikat");
        Data1.bind(lokmodel, "lokmodel");
        Data1.bind(loksernr, "loksernr");
        Data1.bind(YEAR, QString::fromUtf8("lokårgang"));
        Data1.bind(warrenty, "Garantislut");
        Data1.bind(Leverandør, QString::fromUtf8("Leverandør"));
        Data1.bind(levadresse, "levadresse");
        Data1.bind(levzip, "levzip");
        Data1.bind(levby, "levby");
        Data1.bind(levphone, "levphone");
        Data1.bind(levmail, "levmail");
        row = 9;
    }

    if (m_mode != Adding) {
        inaktiv = new QCheckBox("Unavailable", this);
        inaktiv->setObjectName("inaktiv");
        grid->addWidget(inaktiv, row, 1);
        cstart = new DateEdit(this);
        cstart->setObjectName("cstart");
        cslut = new DateEdit(this);
        cslut->setObjectName("cslut");
        addBox(grid, row + 1, 0, "Fr:", cstart);
        addBox(grid, row + 1, 1, "To:", cslut);
        Data1.bind(inaktiv, "inaktiv");
        Data1.bind(cstart, "inakstart");
        Data1.bind(cslut, "inakslut");
        if (m_mode == Editing) {
            // The pop-up calendars lie over the form below their date edits.
            ctDateST = new DateCalendar(this);
            ctDateST->setObjectName("ctDateST");
            ctDateSL = new DateCalendar(this);
            ctDateSL->setObjectName("ctDateSL");
            ctDateST->hide();
            ctDateSL->hide();
        }
    }

    Luk = okButton = FormLayout::button(this, "Ok", "Luk");
    if (m_mode == Editing) {
        del = FormLayout::button(this, "Delete", "del");
        del->setToolTip("Delete Record");
    }
    if (m_mode != Viewing)
        Canc = cancelButton = FormLayout::button(this, "Cancel", "Canc");
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addLayout(Canc ? FormLayout::buttonRow(del, {Luk, Canc}) : FormLayout::buttonRow(del, {Luk}));
}

void ResourceItemForm::afterLoad()
{
    if (m_kind == Equipment) {
        Data2.setDatabaseName(gDatabasePath);
        Data2.setRecordSource("homebasefor");
        Data2.setReadOnly(true);
        try {
            Data2.Refresh();
        } catch (const Dao::DbError &e) {
            MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation);
        }
        warrenty->setDateFormat(gDateFormat);
    }
    if (cstart) {
        cstart->setDateFormat(gDateFormatNr);
        cslut->setDateFormat(gDateFormatNr);
    }
    if (m_mode == Viewing)
        setViewOnly();
    else
        RecordForm::afterLoad();
    emit Data1.Reposition();   // the date edits take the first row's flag
}

void ResourceItemForm::inaktiv_Click()
{
    if (m_period)
        m_period->flagClicked(14);
}

bool ResourceItemForm::rowAccepted()
{
    return nameGiven(Lokalenavn, QString::fromLatin1(kNameRefusal)) && readyToClose();
}

bool ResourceItemForm::readyToClose() { return !(m_period && m_period->corrected()); }

void ResourceItemForm::placeCalendar(DateEdit *edit, DateCalendar *calendar)
{
    calendar->adjustSize();
    QPoint at = edit->mapTo(this, QPoint(0, edit->height()));
    at.setX(qMax(0, qMin(at.x(), width() - calendar->width())));
    if (at.y() + calendar->height() > height())
        at.setY(qMax(0, edit->mapTo(this, QPoint(0, 0)).y() - calendar->height()));
    calendar->move(at);
}

void ResourceItemForm::toggleCalendar(DateEdit *edit, DateCalendar *calendar)
{
    if (calendar->isHidden()) {
        calendar->setValue(edit->isNull()
                               ? Extrafunktioner::DateToDayNumber(System::today())
                               : edit->value());
        placeCalendar(edit, calendar);
        calendar->show();
        calendar->raise();
    } else {
        calendar->hide();
    }
}

void ResourceItemForm::takePick(DateEdit *edit, DateCalendar *calendar)
{
    edit->setValue(calendar->value());
    edit->setFocus();
    calendar->hide();
}

void ResourceItemForm::resizeEvent(QResizeEvent *e)
{
    RecordForm::resizeEvent(e);
    if (ctDateST && ctDateST->isVisible())
        placeCalendar(cstart, ctDateST);
    if (ctDateSL && ctDateSL->isVisible())
        placeCalendar(cslut, ctDateSL);
}

void ResourceItemForm::cstart_DropDown() { toggleCalendar(cstart, ctDateST); }
void ResourceItemForm::cslut_DropDown() { toggleCalendar(cslut, ctDateSL); }
void ResourceItemForm::ctDateST_DateChange() { takePick(cstart, ctDateST); }
void ResourceItemForm::ctDateSL_DateChange() { takePick(cslut, ctDateSL); }
void ResourceItemForm::cstart_Spin(bool down) { FormLayout::stepDay(cstart, down); }
void ResourceItemForm::cslut_Spin(bool down) { FormLayout::stepDay(cslut, down); }
void ResourceItemForm::cstart_GotFocus() { ctDateST->hide(); }
void ResourceItemForm::cslut_GotFocus() { ctDateSL->hide(); }

void ResourceItemForm::DeleteResourceItem()
{
    if (isViewOnly() || isAdding())
        return;
    // The archive joins its bookings to the item too, so an archived booking keeps it as well.
    const QString key = currentKey("lokalenr");
    const QString refusal = "Unable to delete resource with underlaying bookings ! !";
    const int style = MsgBox::OkOnly | MsgBox::Exclamation;
    deleteCurrent("lokalenr", {{"booking", "lokalenr = " + key, refusal, "", style},
                               {"bookingarkiv", "Lokalenr = " + key, refusal, "", style}});
}

resitemL::resitemL()
    : ResourceItemForm(Domestic, Editing, "Vantix - Edit/Delete Domestic Resuorce", "Lokale")
{
    setObjectName("resitemL");
}

resitemLView::resitemLView()
    : ResourceItemForm(Domestic, Viewing, "Vantix - View Domestic Resuorce", "Lokale")
{
    setObjectName("resitemLView");
}

resitemLAD::resitemLAD()
    : ResourceItemForm(Domestic, Adding, "Vantix - Add Domestic Resuorce", "Lokale")
{
    setObjectName("resitemLAD");
}

ResitemA::ResitemA()
    : ResourceItemForm(Equipment, Editing,
                       "Vantix  - Edit/Delete  Add-On/Stand-Alone Ressuorce", "lokale")
{
    setObjectName("ResitemA");
}

ResitemAView::ResitemAView()
    : ResourceItemForm(Equipment, Viewing, "Vantix  - View  Add-On/Stand-Alone Ressuorce",
                       "lokale")
{
    setObjectName("ResitemAView");
}

ResitemAD::ResitemAD()
    : ResourceItemForm(Equipment, Adding, "Vantix  - Add  Add-On/Stand-Alone Ressuorce",
                       "lokale")
{
    setObjectName("ResitemAD");
}
