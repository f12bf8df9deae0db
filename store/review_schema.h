// The tables and indexes the review workbench adds to the working database:
// the decision journal and the indexes the grid filters read. They are kept
// apart from the three record tables' DDL and created when missing, so that
// a working database made by an earlier version gains them on open; the
// journal is never emptied here or anywhere else.
#pragma once

#include "store/database.h"

namespace twinscan::store {

// The journal of every decision the reviewer stored: the pair by the full
// record texts of its two records, the decision as stored in TABLERESULT and
// the time (UTC). id grows with every decision: the newest has the highest.
// frequency1 and frequency2 repeat the records' 1A, so that a restore computes
// record texts only for the records that can match.
inline constexpr const char* kDecisionsTable = "DECISIONS";

// Creates what is missing; existing rows stay. Throws StoreError.
void EnsureReviewSchema(Database& db);

}  // namespace twinscan::store
