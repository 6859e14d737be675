#pragma once

#include "admin/paramdialog.h"

// Adds or renames a homebase.
class Edithomeb final : public ParamDialog
{
    Q_OBJECT
public:
    Edithomeb();

    QLineEdit *Homebase = nullptr;

protected:
    DataControl &list(Paramform &form) const override;
};
