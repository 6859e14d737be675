#pragma once

#include "bookings/alternativeform.h"

// The alternatives of a date picked in vilkdatover.
class alternativesV final : public AlternativeForm
{
    Q_OBJECT
public:
    alternativesV() { setObjectName("alternativesV"); }

protected:
    RepeatDialog *host() const override;
};
