#include "store/sqlite_version.h"

#include <sqlite3.h>

namespace twinscan::store {

const char* SqliteVersion() { return sqlite3_libversion(); }

}  // namespace twinscan::store
