#include "store/matching_rows.h"

#include <algorithm>
#include <numeric>

namespace twinscan::store {
namespace {

// The candidate search meets one shape per combination of search fields
// and empty values.
constexpr size_t kKeptStatements = 32;

}  // namespace

MatchingRows::MatchingRows(sqlite3* db, std::string table) : db_(db), table_(std::move(table)) {}

Statement& MatchingRows::Prepared(const std::string& sql) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second;
  if (statements_.size() >= kKeptStatements) statements_.clear();
  return statements_.emplace(sql, Statement(db_, sql)).first->second;
}

void MatchingRows::Run(Statement& s, const std::vector<Value>& binds, const Visitor& visit) {
  s.Reset();
  for (size_t i = 0; i < binds.size(); ++i) s.BindNoCopy(static_cast<int>(i) + 1, binds[i]);
  while (s.Step()) visit(s);
  s.Reset();
  s.ClearBindings();  // the texts were bound without a copy
}

void MatchingRows::RunOn(const std::vector<int64_t>& rowIds, Statement& s, const std::vector<Value>& binds,
                         const Visitor& visit) {
  for (int64_t id : rowIds) {
    s.Reset();
    s.BindInt(1, id);
    for (size_t i = 0; i < binds.size(); ++i) s.BindNoCopy(static_cast<int>(i) + 2, binds[i]);
    if (s.Step()) visit(s);
  }
  s.Reset();
  s.ClearBindings();  // the texts were bound without a copy
}

std::vector<size_t> MatchingRows::Read(const std::string& sqliteWhere, const std::vector<Value>& binds,
                                       const std::string& sqliteOrder, const std::function<void()>& restart,
                                       const Visitor& visit, const std::vector<int64_t>* onlyRowIds) {
  std::string select = "SELECT rowid, * FROM " + QuoteName(table_) + " WHERE " + sqliteWhere;
  if (sqliteOrder == kLineNumberOrder) {
    Statement& s =
        Prepared(onlyRowIds ? "SELECT rowid, * FROM " + QuoteName(table_) + " WHERE rowid = ? AND (" + sqliteWhere + ")"
                            : select);
    int line = s.ColumnIndex("linenumber");
    if (line > 0 && s.ColumnKindOf(line) == ColumnKind::Integer) {
      keys_.clear();
      bool whole = true;
      Visitor keyed = [&](const Statement& row) {
        if (!whole) return;
        whole = row.ColumnStored(line) == Statement::Stored::Integer;
        if (!whole) return;
        keys_.emplace_back(row.ColumnInt(line), row.ColumnInt(0));
        visit(row);
      };
      if (onlyRowIds)
        RunOn(*onlyRowIds, s, binds, keyed);
      else
        Run(s, binds, keyed);
      if (whole) {
        std::vector<size_t> order(keys_.size());
        std::iota(order.begin(), order.end(), size_t{0});
        if (!std::is_sorted(keys_.begin(), keys_.end()))
          std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys_[a] < keys_[b]; });
        return order;
      }
      restart();
    }
  }
  // Otherwise SQLite sorts, over the whole table.
  size_t visited = 0;
  Run(Prepared(sqliteOrder.empty() ? select : select + " ORDER BY " + sqliteOrder), binds, [&](const Statement& row) {
    ++visited;
    visit(row);
  });
  std::vector<size_t> order(visited);
  std::iota(order.begin(), order.end(), size_t{0});
  return order;
}

}  // namespace twinscan::store
