#include "admin/editunavail.h"

#include "admin/formlayout.h"
#include "admin/unavailablelist.h"
#include "admin/unavailableperiod.h"
#include "core/generalen.h"
#include "platform/controls/dateedit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Generalen;

EditUnavail::EditUnavail() : RecordForm("lokale")
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
    m_period = new UnavailablePeriod(inaktiv, cstart, cslut, Data1, this);

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

void EditUnavail::inaktiv_Click() { m_period->flagClicked(0); }

void EditUnavail::cstart_Spin(bool down) { FormLayout::stepDay(cstart, down); }
void EditUnavail::cslut_Spin(bool down) { FormLayout::stepDay(cslut, down); }
void EditUnavail::cslut_Change() { m_period->endChanged(); }
void EditUnavail::cstart_Change() { m_period->startChanged(); }

bool EditUnavail::readyToClose() { return !m_period->corrected(); }

void EditUnavail::ok_Click() { okClicked(); }

void EditUnavail::Form_Unload(bool &cancel)
{
    RecordForm::Form_Unload(cancel);
    // The list shows the stored period, however the form was closed.
    if (!cancel && Forms::isLoaded<UnavailableList>())
        Forms::get<UnavailableList>()->Reload();
}
