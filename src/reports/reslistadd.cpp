#include "reports/reslistadd.h"

ResListAdd::ResListAdd()
    : ResourceList("ResListAdd", "Resource List  -  Add-Ons", equipmentSql(2),
                   equipmentColumns(), QPageLayout::Landscape)
{
}
