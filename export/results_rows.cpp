#include "export/results_rows.h"

#include "record/layout.h"
#include "store/tables.h"

namespace twinscan {
namespace {

int64_t Count(store::Database& db, const std::string& sql) {
  store::Statement s = db.Prepare(sql);
  return s.Step() ? s.ColumnInt(0) : 0;
}

std::string Identity(const char* alias) {
  std::string columns;
  for (std::string_view field : kIdentifyingFields)
    columns += std::string(", ") + alias + "." + store::QuoteName(field);
  return columns;
}

// Whether every record's linenumber is its rowid. Then a lookup by
// linenumber can go straight to the row instead of through the linenumber
// index, and finds the same one row: rowids are unique, and a record whose
// linenumber is null or not its rowid makes the answer no.
bool LinenumberIsRowid(store::Database& db, const char* table) {
  return Count(db, std::string("SELECT NOT EXISTS (SELECT 1 FROM ") + table + " WHERE linenumber IS NOT rowid)") != 0;
}

std::string Join(store::Database& db, const char* table, const char* alias, const char* key) {
  std::string column = LinenumberIsRowid(db, table) ? ".rowid" : ".linenumber";
  return std::string(" LEFT JOIN ") + table + " AS " + alias + " ON " + alias + column + " = r." + key;
}

std::string RowsSql(store::Database& db, const ResultSelection& s) {
  std::string sql = "SELECT r.linenumber, r.linenumber2, r.critical, r.noncritical" + Identity("a") + Identity("b");
  for (const RecordField& f : kFields) sql += ", r." + store::QuoteName(f.code);
  sql += ", r.ACCEPTFIRST, r.ACCEPTSECOND, r.REMARK, r.REFERENCE_TO_DB, coalesce(NULL";
  // Most pairs differ in nothing; the writers then pass over the 28 columns.
  for (const RecordField& f : kFields) sql += ", r." + store::QuoteName(f.code);
  sql += ") IS NULL";
  // The condition names TABLERESULT's columns without a table, so it is
  // applied where no other table's columns are in sight.
  sql += std::string(" FROM (SELECT rowid AS result_order, * FROM ") + store::kTableResult + " WHERE " + s.where +
         ") AS r";
  sql += Join(db, store::kTable1, "a", "linenumber") + Join(db, store::kTable2, "b", "linenumber2") + " ORDER BY ";
  if (!s.orderColumn.empty()) sql += "r." + store::QuoteName(s.orderColumn) + (s.descending ? " DESC, " : " ASC, ");
  return sql + "r.result_order";
}

bool TableExists(store::Database& db, const char* table) {
  store::Statement s = db.Prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
  s.BindText(1, table);
  return s.Step() && s.ColumnInt(0) != 0;
}

}  // namespace

ResultRowReader::ResultRowReader(store::Database& db, const ResultSelection& selection)
    : total_(Count(db, std::string("SELECT count(*) FROM ") + store::kTableResult + " WHERE " + selection.where)),
      rows_(db.Prepare(RowsSql(db, selection))) {}

ResultsContext ReadResultsContext(store::Database& db) {
  ResultsContext c;
  std::vector<store::ImportInfo> imports = store::ReadImportInfo(db);
  for (int i = 0; i < 2; ++i) {
    FileSummary& f = c.files[static_cast<size_t>(i)];
    f.tag = i == 0 ? "ff" : "sf";
    f.table = i == 0 ? store::kTable1 : store::kTable2;
    for (const store::ImportInfo& import : imports)
      if (import.tag == f.tag) f.import = import;
    f.records = Count(db, "SELECT count(*) FROM " + f.table);
    f.erroneous = Count(db, "SELECT count(*) FROM " + f.table + " WHERE error = 1");
  }
  c.run = store::ReadRunInfo(db);
  store::Statement s = db.Prepare(std::string("SELECT count(*), total(critical = 1), total(noncritical = 1), "
                                              "total(coalesce(critical, 0) = 0 AND coalesce(noncritical, 0) = 0), "
                                              "total(ACCEPTFIRST IS NOT NULL) FROM ") +
                                  store::kTableResult);
  s.Step();
  ResultsSummary& m = c.summary;
  m.pairs = s.ColumnInt(0);
  m.critical = static_cast<int64_t>(s.ColumnDouble(1));
  m.nonCritical = static_cast<int64_t>(s.ColumnDouble(2));
  m.withoutDifferences = static_cast<int64_t>(s.ColumnDouble(3));
  m.decided = static_cast<int64_t>(s.ColumnDouble(4));
  m.undecided = m.pairs - m.decided;
  if (c.run && store::HasUnmatchedList(db))
    m.withoutCandidate = Count(db, std::string("SELECT count(*) FROM ") + store::kRunUnmatchedTable);
  return c;
}

store::Statement SelectWithoutCandidate(store::Database& db) {
  if (!TableExists(db, store::kRunUnmatchedTable)) return db.Prepare("SELECT 0 WHERE 0");
  return db.Prepare(std::string("SELECT u.linenumber") + Identity("a") + " FROM " + store::kRunUnmatchedTable +
                    " AS u LEFT JOIN " + store::kTable1 + " AS a ON a.linenumber = u.linenumber ORDER BY u.rowid");
}

}  // namespace twinscan
