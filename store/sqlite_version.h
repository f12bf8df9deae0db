// The version of the SQLite library the program runs with, for the About box.
#pragma once

namespace twinscan::store {

const char* SqliteVersion();

}  // namespace twinscan::store
