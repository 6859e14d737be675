#pragma once

#include "reports/resourcelist.h"

// The Domestic items (rooms) by group and type.
class ResListDom final : public ResourceList
{
public:
    ResListDom();
};
