#include "store/decision_journal.h"

#include "store/tables.h"

namespace twinscan::store {

std::string RecordTextSql(std::string_view alias) {
  std::string prefix = std::string(alias) + ".";
  std::string text = "quote(" + prefix + "fullline)";
  for (const RecordField& f : kFields) text += " || '|' || quote(" + prefix + QuoteName(f.code) + ")";
  return text;
}

void JournalDecision(Database& db, int64_t linenumber, int64_t linenumber2, const Decision& decision) {
  Statement insert = db.Prepare(
      "INSERT INTO DECISIONS (fullline1, fullline2, linenumber, linenumber2, frequency1, frequency2, ACCEPTFIRST, "
      "ACCEPTSECOND, REMARK, REFERENCE_TO_DB, decided) SELECT " +
      RecordTextSql("a") + ", " + RecordTextSql("b") +
      ", ?1, ?2, a.\"1A\", b.\"1A\", ?3, ?4, ?5, ?6, strftime('%Y-%m-%dT%H:%M:%fZ', 'now') "
      "FROM TABLE1 a, TABLE2 b WHERE a.linenumber = ?1 AND b.linenumber = ?2 ORDER BY a.rowid, b.rowid LIMIT 1");
  insert.BindInt(1, linenumber);
  insert.BindInt(2, linenumber2);
  insert.BindInt(3, decision.acceptFirst ? 1 : 0);
  insert.BindInt(4, decision.acceptSecond ? 1 : 0);
  insert.BindText(5, decision.remark);
  insert.BindText(6, decision.reference);
  insert.Step();
}

int64_t JournalSize(Database& db) { return db.QueryInt("SELECT count(*) FROM DECISIONS"); }

}  // namespace twinscan::store
