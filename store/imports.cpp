#include "store/imports.h"

namespace twinscan::store {

void EnsureImportsTable(Database& db) {
  db.Execute(
      "CREATE TABLE IF NOT EXISTS IMPORTS (tag TEXT PRIMARY KEY, path TEXT, imported_at TEXT, records INTEGER, "
      "erroneous INTEGER)");
}

std::optional<std::string> ImportedPath(Database& db, const std::string& tag) {
  Statement select = db.Prepare("SELECT path FROM IMPORTS WHERE tag = ?");
  select.BindText(1, tag);
  if (!select.Step() || select.ColumnStored(0) == Statement::Stored::Null) return std::nullopt;
  return std::string(select.ColumnText(0));
}

}  // namespace twinscan::store
