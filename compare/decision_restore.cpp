#include "compare/decision_restore.h"

#include "store/decision_journal.h"

#include <string>
#include <vector>

namespace twinscan {
namespace {

struct Restored {
  int64_t rowId;
  int64_t acceptFirst, acceptSecond;
  std::string remark, reference;
};

// Driven by the result rows: two linenumber look-ups and one journal seek per
// row. The record texts compare as the journal's BINARY columns do.
std::string MatchSql() {
  return "SELECT r.rowid, d.ACCEPTFIRST, d.ACCEPTSECOND, d.REMARK, d.REFERENCE_TO_DB "
         "FROM TABLERESULT r "
         "CROSS JOIN TABLE1 a ON a.linenumber = r.linenumber "
         "CROSS JOIN TABLE2 b ON b.linenumber = r.linenumber2 "
         "CROSS JOIN DECISIONS d ON d.id = (SELECT max(e.id) FROM DECISIONS e WHERE e.fullline1 = " +
         store::RecordTextSql("a") + " AND e.fullline2 = " + store::RecordTextSql("b") + ") ORDER BY r.rowid";
}

}  // namespace

int64_t RestoreDecisions(store::Database& db) {
  db.CommitPending();
  if (db.QueryInt("SELECT EXISTS (SELECT 1 FROM DECISIONS)") == 0) return 0;
  // Read first, then write: the rows are not changed under the running scan.
  std::vector<Restored> found;
  {
    store::Statement match = db.Prepare(MatchSql());
    while (match.Step())
      found.push_back({match.ColumnInt(0), match.ColumnInt(1), match.ColumnInt(2), std::string(match.ColumnText(3)),
                       std::string(match.ColumnText(4))});
  }
  if (found.empty()) return 0;
  db.Begin();
  store::Statement update = db.Prepare(
      "UPDATE TABLERESULT SET ACCEPTFIRST = ?, ACCEPTSECOND = ?, REMARK = ?, REFERENCE_TO_DB = ? WHERE rowid = ?");
  int64_t last = -1, restored = 0;
  for (const Restored& r : found) {
    update.Reset();
    update.BindInt(1, r.acceptFirst);
    update.BindInt(2, r.acceptSecond);
    update.BindText(3, r.remark);
    update.BindText(4, r.reference);
    update.BindInt(5, r.rowId);
    update.Step();
    // A linenumber held twice joins a row twice; it counts once.
    if (r.rowId != last) ++restored;
    last = r.rowId;
  }
  db.Commit();
  return restored;
}

}  // namespace twinscan
