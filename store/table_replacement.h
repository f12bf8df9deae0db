// StagingTable: a table rebuilt whole beside the one it replaces.
//
// The rows go into "<table>_staging", made with the table's own columns and
// declared types and no indexes, in transactions of the caller's size. Replace
// then, in one transaction, drops the table, gives the staging table its name
// and schema text, builds the table's indexes with their own statements and
// empties the other tables asked for. Until that transaction commits the table
// is exactly as it was, whatever fails or whoever kills the process; a staging
// table left by a killed process is removed at the next start
// (DropStagingTables). The write-ahead log is folded back (and emptied) at the
// end of a group once it has grown past a bound, and after the replacement,
// so that it never holds much more than the bound and the replacement (as far
// as no reader pins an older snapshot). Folding back costs two syncs to disk,
// so it is done per bound, not per group.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"

namespace twinscan::store {

class StagingTable {
 public:
  // The log's bound when none is given: a few hundred thousand records.
  static constexpr uintmax_t kDefaultLogBound = uintmax_t{64} << 20;

  // Commits what is open on db, removes an earlier staging table of `table`,
  // creates the staging table and begins the first transaction. logBound is
  // the write-ahead log's size in bytes past which a group folds it back.
  StagingTable(Database& db, std::string table, uintmax_t logBound = kDefaultLogBound);
  // Without Replace: rolls back what is open and drops the staging table;
  // failures of this clean-up are dropped, so that the first failure is the one
  // reported (the next start removes what is left).
  ~StagingTable();
  StagingTable(const StagingTable&) = delete;
  StagingTable& operator=(const StagingTable&) = delete;

  const std::string& name() const { return staging_; }
  // Commits the rows written so far, folds the log back when it has grown
  // past the bound, and begins anew.
  void CommitAndBegin();
  // Replaces the table as described above; alsoEmpty are emptied in the same
  // transaction. Throws StoreError, the table then being as it was.
  void Replace(const std::vector<std::string>& alsoEmpty);

 private:
  Database& db_;
  std::string table_, staging_;
  std::filesystem::path log_;
  uintmax_t logBound_;
  bool replaced_ = false;
};

// The staging table's name of a table.
std::string StagingNameOf(const std::string& table);
// Drops the staging tables an import that did not finish left behind.
void DropStagingTables(Database& db);

}  // namespace twinscan::store
