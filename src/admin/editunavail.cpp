#include "admin/editunavail.h"

#include "admin/formlayout.h"
#include "admin/unavailablelist.h"
#include "core/extrafunktioner.h"
#include "core/generalen.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/msgbox.h"
#include "platform/system.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

using namespace Generalen;

namespace {
const char kOrder[] = "End date must exceed start date!";
}

EditUnavail::EditUnavail() : RecordForm("lokale", Lokalenavn, QString())
{
    setWindowTitle("Vantix -  Unavailable ressource edit");
    setObjectName("EditUnavail");
    auto *grid = new QGridLayout;
    lokalenr = FormLayout::addLine(this, grid, 0, 0, "Resource no.", "lokalenr", true);
    Lokalenavn = FormLayout::addLine(this, grid, 1, 0, "Resource", "Lokalenavn", true);
    lokalenr->setFrame(false);
    Lokalenavn->setFrame(false);
    inaktiv = new QCheckBox(" Unavailable", this);
    inaktiv->setObjectName("inaktiv");
    grid->addWidget(inaktiv, 2, 1);
    cstart = new DateEdit(this);
    cstart->setObjectName("cstart");
    cslut = new DateEdit(this);
    cslut->setObjectName("cslut");
    // This form has no pop-up calendars: the days are typed or spun.
    cstart->setDropDownVisible(false);
    cslut->setDropDownVisible(false);
    FormLayout::addBox(grid, 3, 0, "From:", cstart);
    FormLayout::addBox(grid, 4, 0, "To:", cslut);
    Data1.bind(lokalenr, "lokalenr");
    Data1.bind(Lokalenavn, "Lokalenavn");
    Data1.bind(inaktiv, "inaktiv");
    Data1.bind(cstart, "inakstart");
    Data1.bind(cslut, "inakslut");

    ok = okButton = FormLayout::button(this, "Ok", "ok");
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(FormLayout::buttonRow(nullptr, {ok}));
    setMinimumWidth(380);   // room for the whole caption

    connect(inaktiv, &QCheckBox::clicked, this, &EditUnavail::inaktiv_Click);
    connect(cstart, &DEdit::Spin, this, &EditUnavail::cstart_Spin);
    connect(cslut, &DEdit::Spin, this, &EditUnavail::cslut_Spin);
    connect(cstart, &DEdit::Change, this, &EditUnavail::cstart_Change);
    connect(cslut, &DEdit::Change, this, &EditUnavail::cslut_Change);
    connect(ok, &QPushButton::clicked, this, &EditUnavail::ok_Click);
    connect(cstart, &DEdit::LostFocus, this, [this] {
        if (std::exchange(m_startTyped, false))
            correctStart();
    });
    connect(cslut, &DEdit::LostFocus, this, [this] {
        if (std::exchange(m_endTyped, false))
            correctEnd();
    });
    setDialogKeys([this] { ok_Click(); }, [this] {
        // Without a Cancel button Escape closes the form without its changes.
        Data1.CancelUpdate();
        Unload();
    });
}

void EditUnavail::afterLoad()
{
    cstart->setDateFormat(gDateFormatNr);
    cslut->setDateFormat(gDateFormatNr);
}

void EditUnavail::inaktiv_Click()
{
    m_setting = true;
    FormLayout::setUnavailable(inaktiv, cstart, cslut, 0);
    m_setting = false;
}

void EditUnavail::cstart_Spin(bool down) { FormLayout::stepDay(cstart, down); }
void EditUnavail::cslut_Spin(bool down) { FormLayout::stepDay(cslut, down); }

void EditUnavail::cslut_Change()
{
    // Only the user's changes are corrected; filling the boxes from a row changes nothing.
    if (m_setting || Data1.isFilling())
        return;
    if (cslut->isTyping())
        m_endTyped = true;
    else
        correctEnd();
}

void EditUnavail::cstart_Change()
{
    if (m_setting || Data1.isFilling())
        return;
    if (cstart->isTyping())
        m_startTyped = true;
    else
        correctStart();
}

bool EditUnavail::correctEnd()
{
    if (cstart->isNull() || cslut->isNull() || cslut->value() >= cstart->value())
        return false;
    MsgBox::show(QString::fromLatin1(kOrder));
    cslut->setValue(cstart->value() + 14);
    return true;
}

bool EditUnavail::correctStart()
{
    if (cstart->isNull() || cslut->isNull() || cstart->value() <= cslut->value())
        return false;
    MsgBox::show(QString::fromLatin1(kOrder));
    cstart->setValue(cslut->value() - 14);
    return true;
}

void EditUnavail::ok_Click()
{
    // A typed day not yet checked is checked now; a corrected one is shown before closing.
    const bool corrected = (std::exchange(m_startTyped, false) && correctStart())
                           | (std::exchange(m_endTyped, false) && correctEnd());
    if (corrected || !Unload())
        return;
    if (Forms::isLoaded<UnavailableList>())
        Forms::get<UnavailableList>()->Reload();
}

