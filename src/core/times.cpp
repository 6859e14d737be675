#include "core/times.h"

#include "core/format.h"
#include "core/generalen.h"
#include "platform/controls/msgbox.h"
#include "platform/controls/timeedit.h"
#include "platform/db/dberror.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Generalen;

namespace {

const int kLastSecond = 86399;

// Steps by an hour with the caret in the hours, a minute in the minutes, a second in the
// seconds; the value stops at 00:00:00 and 23:59:59 instead of going round the clock.
void spinTime(TimeEdit *edit, bool down)
{
    const int caret = edit->caretPosition();
    const int step = caret < 2 ? 3600 : caret <= 4 ? 60 : 1;
    const int value = down ? edit->value() - step : edit->value() + step;
    edit->setValue(std::clamp(value, 0, kLastSecond));
}

} // namespace

Times::Times()
{
    setWindowTitle("Vantix - Times");
    setObjectName("Times");
    Data1.setObjectName("Data1");

    struct Row { TimeEdit **edit; const char *name; const char *label; const char *field; };
    const Row rows[] = {
        {&ctDEdit3, "ctDEdit3", "Opening Time", "Åbntid"},
        {&ctDEdit1, "ctDEdit1", "Closing Time", "Luktid"},
        {&ctDEdit2, "ctDEdit2", "PrimeTime Start", "Prrimstart"},
        {&ctDEdit4, "ctDEdit4", "PrimeTime End", "Primslut"},
        {&ctDEdit5, "ctDEdit5", "PrintTime Start", "Skemastart"},
        {&ctDEdit6, "ctDEdit6", "PrintTime End", "Skemaslut"},
    };
    // Pairs side by side: opening and closing, prime time, printed span.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(2, 16);
    for (int i = 0; i < 6; ++i) {
        auto *edit = new TimeEdit(this);
        edit->setObjectName(rows[i].name);
        edit->setMinimumWidth(96);
        *rows[i].edit = edit;
        auto *label = new QLabel(QString::fromUtf8(rows[i].label), this);
        label->setBuddy(edit);
        const int column = (i % 2) * 3;
        grid->addWidget(label, i / 2, column);
        grid->addWidget(edit, i / 2, column + 1);
        Data1.bind(edit, QString::fromUtf8(rows[i].field));
    }

    Command1 = new QPushButton("Ok", this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addLayout(buttons);

    connect(ctDEdit1, &DEdit::Spin, this, &Times::ctDEdit1_Spin);
    connect(ctDEdit2, &DEdit::Spin, this, &Times::ctDEdit2_Spin);
    connect(ctDEdit3, &DEdit::Spin, this, &Times::ctDEdit3_Spin);
    connect(ctDEdit4, &DEdit::Spin, this, &Times::ctDEdit4_Spin);
    connect(ctDEdit5, &DEdit::Spin, this, &Times::ctDEdit5_Spin);
    connect(ctDEdit6, &DEdit::Spin, this, &Times::ctDEdit6_Spin);
    connect(Command1, &QPushButton::clicked, this, &Times::Command1_Click);
    setDialogKeys([this] { Command1_Click(); });
}

void Times::Form_Load()
{
    Data1.setDatabaseName(gDatabasePath);
    Data1.setRecordSource("institutionsoplysninger");
    try {
        Data1.Refresh();
    } catch (const Dao::DbError &e) {
        MsgBox::show(e.description(), MsgBox::OkOnly | MsgBox::Exclamation, "Vantix - Times");
        return;
    }
    if (!Data1.hasCurrentRow())
        return;
    // A time out of the day was replaced by its default when the settings were loaded: the
    // form shows the time in use, which Ok then stores.
    QVariantMap row;
    for (TimeEdit *edit : {ctDEdit3, ctDEdit1, ctDEdit2, ctDEdit4, ctDEdit5, ctDEdit6})
        row.insert(Data1.boundField(edit), Data1.value(Data1.boundField(edit)));
    const QVariantMap used = ReplacedSettings(row, {});
    for (TimeEdit *edit : {ctDEdit3, ctDEdit1, ctDEdit2, ctDEdit4, ctDEdit5, ctDEdit6}) {
        if (used.contains(Data1.boundField(edit)))
            edit->setValue(used.value(Data1.boundField(edit)).toInt());
    }
}

void Times::ctDEdit1_Spin(bool down) { spinTime(ctDEdit1, down); }
void Times::ctDEdit2_Spin(bool down) { spinTime(ctDEdit2, down); }
void Times::ctDEdit3_Spin(bool down) { spinTime(ctDEdit3, down); }
void Times::ctDEdit4_Spin(bool down) { spinTime(ctDEdit4, down); }
void Times::ctDEdit5_Spin(bool down) { spinTime(ctDEdit5, down); }
void Times::ctDEdit6_Spin(bool down) { spinTime(ctDEdit6, down); }

void Times::Command1_Click() { Unload(); }

void Times::Form_Unload(bool &cancel)
{
    // Without a settings row there is nothing to save or copy.
    if (!Data1.hasCurrentRow())
        return;
    const std::pair<TimeEdit *, const char *> edits[] = {
        {ctDEdit3, "Opening Time"}, {ctDEdit1, "Closing Time"},
        {ctDEdit2, "PrimeTime Start"}, {ctDEdit4, "PrimeTime End"},
        {ctDEdit5, "PrintTime Start"}, {ctDEdit6, "PrintTime End"},
    };
    for (const auto &[edit, label] : edits) {
        if (edit->isNull()) {
            MsgBox::show(QString("Enter a time for %1.").arg(QString::fromUtf8(label)),
                         MsgBox::OkOnly | MsgBox::Exclamation, "Vantix - Times");
            edit->setFocus();
            cancel = true;
            return;
        }
    }
    // Each pair is a span of the day: its start lies before its end.
    const std::pair<int, int> pairs[] = {{0, 1}, {2, 3}, {4, 5}};
    for (const auto &[start, end] : pairs) {
        if (edits[start].first->value() < edits[end].first->value())
            continue;
        MsgBox::show(QString("%1 (%2) must be before %3 (%4).")
                         .arg(QString::fromUtf8(edits[start].second), edits[start].first->text(),
                              QString::fromUtf8(edits[end].second), edits[end].first->text()),
                     MsgBox::OkOnly | MsgBox::Exclamation, "Vantix - Times");
        edits[start].first->setFocus();
        cancel = true;
        return;
    }
    try {
        Data1.Close();
    } catch (const Dao::DbError &e) {
        // The times stay in the boxes: the user may try again later, or close without them,
        // and then the program keeps the times it had.
        const int answer = MsgBox::show(
            "The times could not be saved:\n" + e.description() + "\n\nClose without saving?",
            MsgBox::YesNo | MsgBox::Exclamation | MsgBox::DefaultButton2, "Vantix - Times");
        if (answer == MsgBox::Yes) {
            Data1.CancelUpdate();
            Data1.Close();
        } else {
            cancel = true;
        }
        return;
    }
    gOpeningTime = SecondsToMinutes(ctDEdit3->value());
    gClosingTime = SecondsToMinutes(ctDEdit1->value());
    gPrimeStart = SecondsToMinutes(ctDEdit2->value());
    gPrimeEnd = SecondsToMinutes(ctDEdit4->value());
    gScheduleStart = SecondsToMinutes(ctDEdit5->value());
    gScheduleEnd = SecondsToMinutes(ctDEdit6->value());
}
