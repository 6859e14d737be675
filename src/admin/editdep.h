#pragma once

#include "admin/paramdialog.h"

// Adds or renames a department.
class Editdep final : public ParamDialog
{
    Q_OBJECT
public:
    Editdep();

    QLineEdit *depname = nullptr;

protected:
    DataControl &list(Paramform &form) const override;
};
