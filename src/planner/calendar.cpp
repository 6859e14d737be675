#include "planner/calendar.h"

Calendar::Calendar() { setWindowTitle("Vantix - Dayview"); }
