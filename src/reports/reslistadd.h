#pragma once

#include "reports/resourcelist.h"

// The Add-On items by group and type.
class ResListAdd final : public ResourceList
{
public:
    ResListAdd();
};
