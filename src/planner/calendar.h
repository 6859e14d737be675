#pragma once

#include "platform/controls/form.h"

// The day view: one day for all resource items of one resource type.
class Calendar final : public Form
{
    Q_OBJECT
public:
    Calendar();
};
