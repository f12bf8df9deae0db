// The rows of a results export, read one at a time: TABLERESULT's rows
// joined with the primary (TABLE1) and the secondary (TABLE2) record of each
// pair for the fields that identify them for a person, and what the report
// says around them (the files, the run's settings, the counts).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "store/run_info.h"

namespace twinscan {

// Which result rows, in which order.
struct ResultSelection {
  std::string where = "1";  // an SQLite condition over TABLERESULT's own columns
  std::string orderColumn;  // a TABLERESULT column; empty: the table's own order
  bool descending = false;
};

// The fields that identify a record for a person: frequency, station name,
// country, reference.
inline constexpr std::array<std::string_view, 4> kIdentifyingFields{"1A", "4A", "4B", "13X"};

// The columns of a row the reader returns.
namespace result_column {
inline constexpr int kLine = 0, kLine2 = 1, kCritical = 2, kNonCritical = 3;
inline constexpr int kFirstIdentity = 4;   // kIdentifyingFields of the primary record
inline constexpr int kSecondIdentity = 8;  // ... of the secondary record
inline constexpr int kDifference = 12;     // the 28 difference columns in grid order
inline constexpr int kAcceptFirst = 40, kAcceptSecond = 41, kRemark = 42, kReference = 43;
inline constexpr int kNoDifference = 44;  // 1 when all 28 difference columns are null
}  // namespace result_column

class ResultRowReader {
 public:
  // Throws store::StoreError when the selection is not valid SQL over TABLERESULT.
  ResultRowReader(store::Database& db, const ResultSelection& selection);
  int64_t total() const { return total_; }  // rows selected
  bool Next() { return rows_.Step(); }
  const store::Statement& row() const { return rows_; }

 private:
  int64_t total_ = 0;
  store::Statement rows_;
};

// A compared file: its import (when it was recorded) and its table's counts now.
struct FileSummary {
  std::string tag;    // "ff" or "sf"
  std::string table;  // "TABLE1" or "TABLE2"
  std::optional<store::ImportInfo> import;
  int64_t records = 0, erroneous = 0;
};

struct ResultsSummary {
  int64_t pairs = 0, critical = 0, nonCritical = 0, withoutDifferences = 0, decided = 0, undecided = 0;
  std::optional<int64_t> withoutCandidate;  // not known before a run recorded it
};

struct ResultsContext {
  std::array<FileSummary, 2> files;
  std::optional<store::RunInfo> run;
  ResultsSummary summary;  // over all of TABLERESULT
};

ResultsContext ReadResultsContext(store::Database& db);

// The search fields in the order of RunInfo::search.
inline constexpr std::array<std::string_view, 5> kSearchFieldCodes{"1A", "6A", "4A", "13Y", "4C"};

// The primary records without candidate of the last run, with their
// identifying fields: linenumber, then kIdentifyingFields. Empty (no rows)
// when no run recorded them.
store::Statement SelectWithoutCandidate(store::Database& db);

}  // namespace twinscan
