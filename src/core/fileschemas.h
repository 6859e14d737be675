#pragma once

#include "platform/db/schemacheck.h"

// The layouts of the program's two kinds of file, with the steps that bring a file of an earlier
// version up to today's.
namespace FileSchemas {

Dao::FileSchema Bookingfile();
Dao::FileSchema Paths();

// Makes them the only layouts the database engine opens. The program does it at start.
void Install();

} // namespace FileSchemas
