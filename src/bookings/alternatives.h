#pragma once

#include "bookings/alternativeform.h"

// The alternatives of a date prepared in the frequency dialog fastgen.
class alternatives final : public AlternativeForm
{
    Q_OBJECT
public:
    alternatives() { setObjectName("alternatives"); }

protected:
    RepeatDialog *host() const override;
};
