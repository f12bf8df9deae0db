// The review command: the reviewer's decision on one compared pair, stored in
// its TABLERESULT row. The desktop app's review dialog and the batch tool's
// review command both run it.
#pragma once

#include <cstdint>
#include <string>

#include "store/database.h"
#include "store/view.h"

namespace twinscan {

// Whether TABLERESULT holds the pair (linenumber, linenumber2).
bool ComparedPairExists(store::Database& db, int64_t linenumber, int64_t linenumber2);

// The reviewer's decision on the result row (linenumber, linenumber2); does
// nothing when the result view is empty. Remark and reference are cut to 50
// characters, then stored with their quotes. The row is committed at once.
void StoreReview(store::Database& db, store::Views& views, int64_t linenumber, int64_t linenumber2, bool acceptFirst,
                 bool acceptSecond, const std::string& remark, const std::string& reference);

}  // namespace twinscan
