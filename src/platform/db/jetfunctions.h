#pragma once

struct sqlite3;

namespace Dao {

// Registers on a connection the SQL functions that translated Jet texts call. All are direct
// only: the program's own statements call them, a file's views, triggers and indexes cannot:
//   jet_concat(a, b, ...)  Jet's "&": Null when every part is Null, else the parts as text
//   jet_like(value, pattern)  Jet's Like: * ? # [list] [!list], case-blind
//   jet_date(), jet_now()   the program's clock (System::now) as 'yyyy-MM-dd HH:mm:ss',
//                           jet_date() at midnight
// Returns false when SQLite refuses a registration.
bool registerJetFunctions(sqlite3 *db);

} // namespace Dao
