#include "admin/editfloorp.h"

#include "admin/paramform.h"

EditFloorP::EditFloorP()
    : ParamDialog("Vantix -  Floor Plan", "EditFloorP", "opstilling", "opstilling", "Opstilling",
                  "Floor Plan Name:")
{
    opstilling = m_name;
}

DataControl &EditFloorP::list(Paramform &form) const { return form.Data2; }
