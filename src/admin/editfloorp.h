#pragma once

#include "admin/paramdialog.h"

// Adds or renames a floor plan.
class EditFloorP final : public ParamDialog
{
    Q_OBJECT
public:
    EditFloorP();

    QLineEdit *opstilling = nullptr;

protected:
    DataControl &list(Paramform &form) const override;
};
