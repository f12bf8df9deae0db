// The compare-run marker: a full compare in progress, recorded in the
// database. It is set in the transaction that empties TABLERESULT for the run
// and cleared in the one that commits the run's last rows, so that results
// left by a run that was killed or failed are known for what they are at the
// next start. The marker's table is made when first needed.
#pragma once

#include "store/database.h"

namespace twinscan::store {

void MarkCompareRunning(Database& db);
void ClearCompareRunning(Database& db);
// True when the last full compare did not finish.
bool LastCompareUnfinished(Database& db);

// What the window's status bar and the batch tool's next compare then say.
inline constexpr const char* kLastCompareUnfinishedMessage =
    "The last compare did not finish: the results are incomplete";

}  // namespace twinscan::store
