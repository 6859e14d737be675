#include "reports/reslistsa.h"

ResListSA::ResListSA()
    : ResourceList("ResListSA", "Resource List  -  Stand-Alones", equipmentSql(3),
                   equipmentColumns(), QPageLayout::Landscape)
{
}
