#include "bookings/alternativesv.h"

#include "bookings/vilkdatover.h"

RepeatDialog *alternativesV::host() const
{
    return Forms::isLoaded<vilkdatover>() ? Forms::get<vilkdatover>() : nullptr;
}
