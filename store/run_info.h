// What the results alone do not say: which files were imported (name, time,
// record counts) and with which settings the last compare run was made, with
// the primary records it found no candidate for. The import and the compare
// run write these rows; the results export reads them.
//
// The three small tables IMPORTS, RUNINFO and RUNUNMATCHED are created on the
// first write (CREATE TABLE IF NOT EXISTS), so a working database made before
// them keeps working; readers treat a missing table as "not known".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/database.h"

namespace twinscan::store {

struct ImportInfo {
  std::string tag;         // "ff" or "sf"
  std::string file;        // the path as it was given
  std::string importedAt;  // local time, "YYYY-MM-DD HH:MM:SS"
  int64_t records = 0, erroneous = 0;
};

struct RunInfo {
  std::string madeAt;  // local time, "YYYY-MM-DD HH:MM:SS"
  std::string kind;    // "full" or "manual"
  std::string modes;   // 28 digits 0..2, the compare modes in field order
  std::string search;  // 5 digits 0..2, the search fields 1A 6A 4A 13Y 4C
  bool compareErroneousFf = false, compareErroneousSf = false;
};

// The current local time as "YYYY-MM-DD HH:MM:SS".
std::string LocalTimeText();

// Replaces the file's import row. An import empties the results, so the run
// they came from is forgotten as well.
void StoreImportInfo(Database& db, const ImportInfo& info);
// Both files' import rows, ff first; a file never imported is missing.
std::vector<ImportInfo> ReadImportInfo(Database& db);

// The record of one compare run: created when the run begins (it replaces
// the last run's settings and empties the list of primary records without
// candidate), fed while it runs. Writes join the run's open transaction.
class RunInfoWriter {
 public:
  RunInfoWriter(Database& db, const RunInfo& info);
  void WithoutCandidate(int64_t linenumber);

 private:
  Statement insert_;
};

std::optional<RunInfo> ReadRunInfo(Database& db);
// Whether RUNUNMATCHED exists (a run since it was introduced).
bool HasUnmatchedList(Database& db);

inline constexpr const char* kImportsTable = "IMPORTS";
inline constexpr const char* kRunInfoTable = "RUNINFO";
inline constexpr const char* kRunUnmatchedTable = "RUNUNMATCHED";

}  // namespace twinscan::store
