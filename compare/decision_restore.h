// Giving the reviewer's decisions back after a run: every TABLERESULT row
// whose two records (by linenumber in TABLE1 and TABLE2) have the full texts
// of a pair in the decision journal takes that pair's newest decision, as
// it was stored. Rows of changed records stay undecided. The journal is
// only read.
#pragma once

#include <cstdint>

#include "store/database.h"

namespace twinscan {

// Returns how many result rows took a decision. Runs in a transaction of
// its own (pending writes are committed first). Throws store::StoreError.
int64_t RestoreDecisions(store::Database& db);

}  // namespace twinscan
