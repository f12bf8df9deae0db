// The IMPORTS table: the file last imported into each of TABLE1 (tag "ff")
// and TABLE2 ("sf"), with the time of the import and its record counts, so
// that the desktop app names the files in its grid captions after a restart
// and the results report names what was compared (written through
// StoreImportInfo, store/run_info.h). A working database
// made before the table existed gets it when opened (EnsureImportsTable).
#pragma once

#include <optional>
#include <string>

#include "store/database.h"

namespace twinscan::store {

// Creates the table when it is missing.
void EnsureImportsTable(Database& db);
// The file last imported under `tag`; nullopt when none was recorded.
std::optional<std::string> ImportedPath(Database& db, const std::string& tag);

}  // namespace twinscan::store
