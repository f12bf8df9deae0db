#include "compare/decision_restore.h"

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/decision_journal.h"

namespace twinscan {
namespace {

using Pair = std::pair<std::string, std::string>;  // the two record texts

struct Newest {
  int64_t acceptFirst, acceptSecond;
  std::string remark, reference;
};

// The newest decision of every pair in the journal.
std::map<Pair, Newest> NewestDecisions(store::Database& db) {
  std::map<Pair, Newest> newest;
  store::Statement s = db.Prepare(
      "SELECT fullline1, fullline2, ACCEPTFIRST, ACCEPTSECOND, REMARK, REFERENCE_TO_DB FROM DECISIONS "
      "WHERE id IN (SELECT max(id) FROM DECISIONS GROUP BY fullline1, fullline2)");
  while (s.Step())
    newest[{std::string(s.ColumnText(0)), std::string(s.ColumnText(1))}] = {
        s.ColumnInt(2), s.ColumnInt(3), std::string(s.ColumnText(4)), std::string(s.ColumnText(5))};
  return newest;
}

// The linenumbers of the table's records whose text the journal holds, with
// that text: one pass over the table, whatever the number of result rows.
// Building a record's text costs far more than reading it, so only the
// records whose frequency a journaled record has get one.
std::unordered_map<int64_t, std::string> JournaledRecords(store::Database& db, const char* table, const char* frequency,
                                                          const std::set<std::string>& texts) {
  std::unordered_map<int64_t, std::string> lines;
  const std::string f = frequency;
  store::Statement s = db.Prepare("SELECT linenumber, " + store::RecordTextSql("t") + " FROM " + table +
                                  " t WHERE t.\"1A\" IN (SELECT " + f +
                                  " FROM DECISIONS) OR (t.\"1A\" IS NULL "
                                  "AND EXISTS (SELECT 1 FROM DECISIONS WHERE " +
                                  f + " IS NULL)) ORDER BY rowid");
  while (s.Step()) {
    std::string_view text = s.ColumnText(1);
    auto found = texts.find(std::string(text));
    // The first record of a linenumber held twice is the one the pair means.
    if (found != texts.end()) lines.emplace(s.ColumnInt(0), *found);
  }
  return lines;
}

struct Restored {
  int64_t rowId;
  const Newest* decision;
};

}  // namespace

int64_t RestoreDecisions(store::Database& db) {
  db.CommitPending();
  if (db.QueryInt("SELECT EXISTS (SELECT 1 FROM DECISIONS)") == 0) return 0;
  std::map<Pair, Newest> newest = NewestDecisions(db);
  std::set<std::string> firstTexts, secondTexts;
  for (const auto& [pair, decision] : newest) {
    firstTexts.insert(pair.first);
    secondTexts.insert(pair.second);
  }
  auto primary = JournaledRecords(db, "TABLE1", "frequency1", firstTexts);
  if (primary.empty()) return 0;
  auto secondary = JournaledRecords(db, "TABLE2", "frequency2", secondTexts);
  if (secondary.empty()) return 0;

  // Read first, then write: the rows are not changed under the running scan.
  std::vector<Restored> found;
  {
    store::Statement rows = db.Prepare("SELECT rowid, linenumber, linenumber2 FROM TABLERESULT ORDER BY rowid");
    while (rows.Step()) {
      auto first = primary.find(rows.ColumnInt(1));
      if (first == primary.end() || rows.ColumnStored(1) == store::Statement::Stored::Null) continue;
      auto second = secondary.find(rows.ColumnInt(2));
      if (second == secondary.end() || rows.ColumnStored(2) == store::Statement::Stored::Null) continue;
      auto decision = newest.find({first->second, second->second});
      if (decision != newest.end()) found.push_back({rows.ColumnInt(0), &decision->second});
    }
  }
  if (found.empty()) return 0;
  db.Begin();
  store::Statement update = db.Prepare(
      "UPDATE TABLERESULT SET ACCEPTFIRST = ?, ACCEPTSECOND = ?, REMARK = ?, REFERENCE_TO_DB = ? WHERE rowid = ?");
  for (const Restored& r : found) {
    update.Reset();
    update.BindInt(1, r.decision->acceptFirst);
    update.BindInt(2, r.decision->acceptSecond);
    update.BindText(3, r.decision->remark);
    update.BindText(4, r.decision->reference);
    update.BindInt(5, r.rowId);
    update.Step();
  }
  db.Commit();
  return static_cast<int64_t>(found.size());
}

}  // namespace twinscan
