#include "store/compare_run_marker.h"

namespace twinscan::store {
namespace {

constexpr const char* kMarkerTable = "COMPARE_RUN";

bool MarkerTableExists(Database& db) {
  Statement s = db.Prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
  s.BindText(1, kMarkerTable);
  return s.Step() && s.ColumnInt(0) > 0;
}

}  // namespace

void MarkCompareRunning(Database& db) {
  db.Execute(std::string("CREATE TABLE IF NOT EXISTS ") + kMarkerTable + " (running INTEGER)");
  db.Execute(std::string("DELETE FROM ") + kMarkerTable);
  db.Execute(std::string("INSERT INTO ") + kMarkerTable + " (running) VALUES (1)");
}

void ClearCompareRunning(Database& db) {
  if (MarkerTableExists(db)) db.Execute(std::string("DELETE FROM ") + kMarkerTable);
}

bool LastCompareUnfinished(Database& db) {
  return MarkerTableExists(db) && db.QueryInt(std::string("SELECT count(*) FROM ") + kMarkerTable) > 0;
}

}  // namespace twinscan::store
