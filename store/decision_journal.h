// The decision journal: every decision the reviewer stores is also kept in
// DECISIONS, keyed by the full record texts of the pair's two records, so
// that a later run over the same records can give it back (see
// compare/decision_restore.h). Rows are only ever added.
#pragma once

#include <cstdint>
#include <string>

#include "store/database.h"

namespace twinscan::store {

// A decision as TABLERESULT stores it (remark and reference already cut).
struct Decision {
  bool acceptFirst = false;
  bool acceptSecond = false;
  std::string remark;
  std::string reference;
  bool operator==(const Decision&) const = default;
};

// The full text that identifies a record, as an SQLite expression over the
// TABLE1 or TABLE2 row named `alias`: its fullline and the stored values of
// its 28 fields, each quoted, separated by '|'. The import does not fill
// fullline, so the stored fields carry the record: a record read again
// unchanged gets the same text, a changed field another one.
std::string RecordTextSql(std::string_view alias);

// Adds the decision on the pair (linenumber in TABLE1, linenumber2 in
// TABLE2) with the current time, inside the caller's transaction if one is
// open. Writes nothing when either record is missing. Throws StoreError.
void JournalDecision(Database& db, int64_t linenumber, int64_t linenumber2, const Decision& decision);

// How many decisions the journal holds (all of them, old ones included).
int64_t JournalSize(Database& db);

}  // namespace twinscan::store
