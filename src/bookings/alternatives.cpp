#include "bookings/alternatives.h"

#include "bookings/fastgen.h"

RepeatDialog *alternatives::host() const
{
    return Forms::isLoaded<fastgen>() ? Forms::get<fastgen>() : nullptr;
}
