#include "admin/edithomeb.h"

#include "admin/paramform.h"

Edithomeb::Edithomeb()
    : ParamDialog("Vantix -  Homebase", "Edithomeb", "homebases", "Homebase", "Homebase",
                  "Homebase Name:")
{
    Homebase = m_name;
}

DataControl &Edithomeb::list(Paramform &form) const { return form.Data4; }
