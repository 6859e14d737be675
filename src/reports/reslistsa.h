#pragma once

#include "reports/resourcelist.h"

// The Stand-Alone items by group and type.
class ResListSA final : public ResourceList
{
public:
    ResListSA();
};
