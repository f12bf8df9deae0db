#include "store/run_info.h"

#include <ctime>

#include "store/imports.h"

namespace twinscan::store {
namespace {

void EnsureTables(Database& db) {
  EnsureImportsTable(db);
  db.Execute(
      "CREATE TABLE IF NOT EXISTS RUNINFO (id INTEGER PRIMARY KEY CHECK (id = 1), made TEXT, kind TEXT, modes TEXT, "
      "search TEXT, erroneous_ff BOOL_INTEGER, erroneous_sf BOOL_INTEGER)");
  db.Execute("CREATE TABLE IF NOT EXISTS RUNUNMATCHED (linenumber INTEGER)");
}

bool TableExists(Database& db, const char* table) {
  Statement s = db.Prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
  s.BindText(1, table);
  return s.Step() && s.ColumnInt(0) != 0;
}

std::string TextAt(const Statement& s, int column) {
  return s.ColumnStored(column) == Statement::Stored::Null ? std::string() : std::string(s.ColumnText(column));
}

Statement PrepareRun(Database& db, const RunInfo& info) {
  EnsureTables(db);
  Statement run = db.Prepare(
      "INSERT OR REPLACE INTO RUNINFO (id, made, kind, modes, search, erroneous_ff, erroneous_sf) "
      "VALUES (1, ?, ?, ?, ?, ?, ?)");
  run.BindText(1, info.madeAt);
  run.BindText(2, info.kind);
  run.BindText(3, info.modes);
  run.BindText(4, info.search);
  run.BindInt(5, info.compareErroneousFf ? 1 : 0);
  run.BindInt(6, info.compareErroneousSf ? 1 : 0);
  run.Step();
  db.Execute("DELETE FROM RUNUNMATCHED");
  return db.Prepare("INSERT INTO RUNUNMATCHED (linenumber) VALUES (?)");
}

}  // namespace

std::string LocalTimeText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

void StoreImportInfo(Database& db, const ImportInfo& info) {
  EnsureTables(db);
  Statement s =
      db.Prepare("INSERT OR REPLACE INTO IMPORTS (tag, path, imported_at, records, erroneous) VALUES (?, ?, ?, ?, ?)");
  s.BindText(1, info.tag);
  s.BindText(2, info.file);
  s.BindText(3, info.importedAt);
  s.BindInt(4, info.records);
  s.BindInt(5, info.erroneous);
  s.Step();
  db.Execute("DELETE FROM RUNINFO");
  db.Execute("DELETE FROM RUNUNMATCHED");
  db.CommitPending();
}

std::vector<ImportInfo> ReadImportInfo(Database& db) {
  std::vector<ImportInfo> infos;
  if (!TableExists(db, kImportsTable)) return infos;
  Statement s = db.Prepare("SELECT tag, path, imported_at, records, erroneous FROM IMPORTS ORDER BY tag");
  while (s.Step()) infos.push_back({TextAt(s, 0), TextAt(s, 1), TextAt(s, 2), s.ColumnInt(3), s.ColumnInt(4)});
  return infos;
}

RunInfoWriter::RunInfoWriter(Database& db, const RunInfo& info) : insert_(PrepareRun(db, info)) {}

void RunInfoWriter::WithoutCandidate(int64_t linenumber) {
  insert_.Reset();
  insert_.BindInt(1, linenumber);
  insert_.Step();
}

std::optional<RunInfo> ReadRunInfo(Database& db) {
  if (!TableExists(db, kRunInfoTable)) return std::nullopt;
  Statement s = db.Prepare("SELECT made, kind, modes, search, erroneous_ff, erroneous_sf FROM RUNINFO");
  if (!s.Step()) return std::nullopt;
  return RunInfo{TextAt(s, 0), TextAt(s, 1), TextAt(s, 2), TextAt(s, 3), s.ColumnInt(4) != 0, s.ColumnInt(5) != 0};
}

bool HasUnmatchedList(Database& db) { return TableExists(db, kRunUnmatchedTable); }

}  // namespace twinscan::store
