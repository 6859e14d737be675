#include "bookings/sletgentagendeform.h"

#include "bookings/bookingform.h"
#include "core/extrafunktioner.h"
#include "core/format.h"
#include "core/generalen.h"
#include "core/queries.h"
#include "platform/controls/dateedit.h"
#include "platform/controls/datepicker.h"
#include "platform/controls/msgbox.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/system.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Generalen;

sletgentagendeform::sletgentagendeform()
{
    setObjectName("sletgentagendeform");
    setWindowTitle("Delete Bookings");
    sletvalg = new QGroupBox(this);
    sletvalg->setObjectName("sletvalg");
    optall = new QRadioButton("All", sletvalg);
    optall->setObjectName("optall");
    optrest = new QRadioButton("This and rest", sletvalg);
    optrest->setObjectName("optrest");
    optuntil = new QRadioButton("This and until ", sletvalg);
    optuntil->setObjectName("optuntil");
    slcoy = new DatePicker(sletvalg);
    slcoy->setObjectName("slcoy");
    auto *options = new QVBoxLayout(sletvalg);
    options->addWidget(optall);
    options->addWidget(optrest);
    auto *until = new QHBoxLayout;
    until->addWidget(optuntil);
    until->addWidget(slcoy, 1);
    options->addLayout(until);

    auto hidden = [this](QLineEdit *&box, const char *name) {
        box = new QLineEdit(this);
        box->setObjectName(name);
        box->hide();
    };
    hidden(tildato, "tildato");
    hidden(startdato, "startdato");
    hidden(slutdato, "slutdato");
    Knap12 = new QPushButton("Ok", this);
    Knap12->setObjectName("Knap12");
    annul = new QPushButton("Cancel", this);
    annul->setObjectName("annul");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Knap12);
    buttons->addWidget(annul);
    auto *top = new QVBoxLayout(this);
    top->addWidget(sletvalg);
    top->addLayout(buttons);
    setMinimumWidth(340);

    connect(optall, &QRadioButton::clicked, this, &sletgentagendeform::optall_Click);
    connect(optrest, &QRadioButton::clicked, this, &sletgentagendeform::optrest_Click);
    connect(optuntil, &QRadioButton::clicked, this, &sletgentagendeform::optuntil_Click);
    connect(slcoy, &DatePicker::DateChange, this, &sletgentagendeform::slcoy_DateChange);
    connect(Knap12, &QPushButton::clicked, this, &sletgentagendeform::Knap12_Click);
    connect(annul, &QPushButton::clicked, this, &sletgentagendeform::annul_Click);
    setDialogKeys([this] { Knap12_Click(); }, [this] { annul_Click(); });
}

void sletgentagendeform::Form_Load()
{
    slcoy->setDateFormat(gDateFormat);
    slcoy->setFirstDay(gFirstDay == QLatin1String("0") ? 0 : 1);
    slcoy->hide();
    optall->setChecked(true);
    m_origin = RepeatSeries::currentOrigin();
    if (bookingform *form = RepeatSeries::formShowing(m_origin)) {
        m_gennr = form->gennr->text().trimmed();
        m_bookingDay = form->Bdato->value();
        connect(form, &Form::unloaded, this, [this] { Unload(); });
    }
}

void sletgentagendeform::optall_Click() { slcoy->hide(); }

void sletgentagendeform::optrest_Click() { slcoy->hide(); }

void sletgentagendeform::optuntil_Click()
{
    slcoy->show();
    slcoy->setValue(m_bookingDay + 31);
    tildato->setText(DateText(slcoy->date()));
}

void sletgentagendeform::slcoy_DateChange()
{
    if (slcoy->value() < m_bookingDay)
        slcoy->setValue(m_bookingDay);
    tildato->setText(DateText(slcoy->date()));
}

void sletgentagendeform::Knap12_Click()
{
    const int answer = MsgBox::show("Confirm Delete! ",
                                    MsgBox::OkCancel | MsgBox::Exclamation
                                        | MsgBox::DefaultButton2,
                                    "Delete Info");
    if (answer != MsgBox::Ok)
        return;
    bookingform *form = RepeatSeries::requireForm(m_origin);
    if (!form) {
        Unload();
        return;
    }
    if (!Queries::ParseWholeNumber(m_gennr, nullptr)) {
        MsgBox::show("This booking has no series number; nothing was deleted.",
                     MsgBox::OkOnly | MsgBox::Exclamation, "Delete Info");
        return;
    }
    const QDate today = System::today();
    startdato->setText(QString::number(optall->isChecked()
                                           ? Extrafunktioner::DateToDayNumber(today.addDays(-365))
                                           : m_bookingDay));
    slutdato->setText(QString::number(optuntil->isChecked()
                                          ? slcoy->value()
                                          : Extrafunktioner::DateToDayNumber(today.addDays(365))));
    int deleted = 0;
    bool ownDeleted = false;
    try {
        Queries::SqlDeleteSeriesRange(m_gennr, startdato->text(), slutdato->text());
        auto db = Dao::Database::open(m_origin.databasePath);
        db->Execute(gSql);
        deleted = db->RecordsAffected();
        auto rs = db->OpenRecordset("SELECT Bookingnr FROM booking WHERE Bookingnr = "
                                        + QString::number(m_origin.bookingnr),
                                    Dao::RecordsetType::ForwardOnly);
        ownDeleted = rs->EOF_();
        rs->Close();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description());
        return;
    }
    if (deleted == 0) {
        MsgBox::show("No booking of this series lies in the chosen period; nothing was deleted.",
                     MsgBox::OkOnly | MsgBox::Information, "Delete Info");
        return;
    }
    Unload();
    // A booking just deleted is not written back by its form.
    if (ownDeleted)
        form->Data1.CancelUpdate();
    form->Unload();
}

void sletgentagendeform::annul_Click() { Unload(); }
