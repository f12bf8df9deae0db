#include "store/imports.h"

namespace twinscan::store {

void EnsureImportsTable(Database& db) {
  db.Execute("CREATE TABLE IF NOT EXISTS IMPORTS (tag TEXT PRIMARY KEY, path TEXT, imported_at TEXT)");
}

void RecordImport(Database& db, const std::string& tag, const std::string& path) {
  Statement insert = db.Prepare(
      "INSERT OR REPLACE INTO IMPORTS (tag, path, imported_at) VALUES (?, ?, strftime('%Y-%m-%d %H:%M:%S', 'now'))");
  insert.BindText(1, tag);
  insert.BindText(2, path);
  insert.Step();
}

std::optional<std::string> ImportedPath(Database& db, const std::string& tag) {
  Statement select = db.Prepare("SELECT path FROM IMPORTS WHERE tag = ?");
  select.BindText(1, tag);
  if (!select.Step() || select.ColumnStored(0) == Statement::Stored::Null) return std::nullopt;
  return std::string(select.ColumnText(0));
}

}  // namespace twinscan::store
