#pragma once

#include "platform/controls/form.h"

#include <cstdint>

class ListGrid;
class QPushButton;
class RepeatDialog;

// The form of the alternatives search, over the repeat dialog it was started from: the free
// items found for one prepared date, and moving the date to the one chosen.
class AlternativeForm : public Form
{
    Q_OBJECT
public:
    void Form_Load() override;
    void apply_Click();
    void AltList_DblClick();
    void Luk_Click();

    // The prepared date (a row of gendatogent) the candidates were found for.
    void setGenId(int32_t genId) { m_genId = genId; }

    ListGrid *AltList = nullptr;
    QPushButton *apply = nullptr;
    QPushButton *Luk = nullptr;

protected:
    AlternativeForm();
    // The repeat dialog this form serves; nullptr when it is not loaded.
    virtual RepeatDialog *host() const = 0;

private:
    void SetupAltList();
    void FillAltList();
    void ApplyAlternative();

    int32_t m_genId = -1;
};
