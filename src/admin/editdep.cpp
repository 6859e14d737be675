#include "admin/editdep.h"

#include "admin/paramform.h"

Editdep::Editdep()
    : ParamDialog("Vantix -  Department", "Editdep", "department", "depname", "depname",
                  "Department Name:")
{
    depname = m_name;
}

DataControl &Editdep::list(Paramform &form) const { return form.Data3; }
