#include "store/table_replacement.h"

#include "store/compare_run_marker.h"

#include <sqlite3.h>

namespace twinscan::store {
namespace {

// The schema statements of a table's indexes, in the order they were made.
std::vector<std::string> IndexStatements(Database& db, const std::string& table) {
  Statement s = db.Prepare(
      "SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL "
      "ORDER BY rowid");
  s.BindText(1, table);
  std::vector<std::string> statements;
  while (s.Step()) statements.emplace_back(s.ColumnText(0));
  return statements;
}

std::string TableStatement(Database& db, const std::string& table) {
  Statement s = db.Prepare("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?");
  s.BindText(1, table);
  if (!s.Step()) throw StoreError("no table " + table);
  return std::string(s.ColumnText(0));
}

// Runs sql, dropping any failure (the clean-up after a first failure).
void TryExecute(Database& db, const char* sql) { sqlite3_exec(db.handle(), sql, nullptr, nullptr, nullptr); }

}  // namespace

std::string StagingNameOf(const std::string& table) { return table + "_staging"; }

StagingTable::StagingTable(Database& db, std::string table, uintmax_t logBound)
    : db_(db),
      table_(std::move(table)),
      staging_(StagingNameOf(table_)),
      log_(db.file().string() + "-wal"),
      logBound_(logBound) {
  db_.CommitPending();
  std::string definition = TableStatement(db_, table_);
  std::string::size_type columns = definition.find('(');
  if (columns == std::string::npos) throw StoreError("no columns in the definition of " + table_);
  db_.Execute("DROP TABLE IF EXISTS " + QuoteName(staging_));
  db_.Execute("CREATE TABLE " + QuoteName(staging_) + " " + definition.substr(columns));
  db_.Begin();
}

StagingTable::~StagingTable() {
  if (replaced_) return;
  if (db_.InTransaction()) TryExecute(db_, "ROLLBACK");
  TryExecute(db_, "PRAGMA writable_schema = OFF");
  TryExecute(db_, ("DROP TABLE IF EXISTS " + QuoteName(staging_)).c_str());
}

void StagingTable::CommitAndBegin() {
  db_.CommitPending();
  // The truncating checkpoint empties the file, so that its size tells what
  // the log holds (a log folded back without it is reused from its start).
  std::error_code unknown;
  uintmax_t logSize = std::filesystem::file_size(log_, unknown);
  if (!unknown && logSize > logBound_) db_.Checkpoint(true);
  db_.Begin();
}

void StagingTable::Replace(const std::vector<std::string>& alsoEmpty) {
  db_.CommitPending();
  std::string definition = TableStatement(db_, table_);
  std::vector<std::string> indexes = IndexStatements(db_, table_);
  db_.Begin();
  db_.Execute("DROP TABLE " + QuoteName(table_));
  db_.Execute("ALTER TABLE " + QuoteName(staging_) + " RENAME TO " + QuoteName(table_));
  // The rename writes the new name quoted into the schema text; the table's
  // own text (the same columns, so the same stored format) is put back, so
  // that the schema reads exactly as a fresh database's.
  db_.Execute("PRAGMA writable_schema = ON");
  {
    Statement text = db_.Prepare("UPDATE sqlite_master SET sql = ? WHERE type = 'table' AND name = ?");
    text.BindText(1, definition);
    text.BindText(2, table_);
    text.Step();
  }
  db_.Execute("PRAGMA writable_schema = OFF");
  for (const std::string& index : indexes) db_.Execute(index);
  for (const std::string& other : alsoEmpty) {
    db_.Execute("DELETE FROM " + QuoteName(other));
    // Emptied results leave nothing of an unfinished compare to warn about.
    if (SameName(other, kTableResult)) ClearCompareRunning(db_);
  }
  db_.Commit();
  replaced_ = true;
  db_.Checkpoint(true);
}

void DropStagingTables(Database& db) {
  for (const char* table : {kTable1, kTable2}) db.Execute("DROP TABLE IF EXISTS " + QuoteName(StagingNameOf(table)));
}

}  // namespace twinscan::store
