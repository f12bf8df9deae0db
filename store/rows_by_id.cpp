#include "store/rows_by_id.h"

#include <algorithm>

namespace twinscan::store {
namespace {

// A range scan pays while the range holds few rows beyond those wanted.
constexpr int64_t kRangeSlack = 4;
constexpr int64_t kLeastRange = 256;

}  // namespace

RowsById::RowsById(sqlite3* db, std::string table) : db_(db), table_(std::move(table)) {}

void RowsById::Visit(const std::vector<int64_t>& ids, size_t first, size_t last, const Visitor& visit) {
  last = std::min(last, ids.size());
  if (first >= last) return;
  auto begin = ids.begin() + static_cast<std::ptrdiff_t>(first), end = ids.begin() + static_cast<std::ptrdiff_t>(last);
  bool ascending = std::adjacent_find(begin, end, [](int64_t a, int64_t b) { return a >= b; }) == end;
  if (ascending &&
      *(end - 1) - *begin < kRangeSlack * std::max<int64_t>(static_cast<int64_t>(last - first), kLeastRange))
    return VisitRange(ids, first, last, visit);
  if (!fetch_) fetch_.emplace(db_, "SELECT rowid, * FROM " + QuoteName(table_) + " WHERE rowid = ?");
  for (size_t k = first; k < last; ++k) {
    fetch_->Reset();
    fetch_->BindInt(1, ids[k]);
    visit(k, fetch_->Step() ? &*fetch_ : nullptr);
  }
  fetch_->Reset();
}

void RowsById::VisitRange(const std::vector<int64_t>& ids, size_t first, size_t last, const Visitor& visit) {
  if (!range_) range_.emplace(db_, "SELECT rowid, * FROM " + QuoteName(table_) + " WHERE rowid BETWEEN ? AND ?");
  Statement& s = *range_;
  s.Reset();
  s.BindInt(1, ids[first]);
  s.BindInt(2, ids[last - 1]);
  size_t wanted = first;
  while (wanted < last && s.Step()) {
    int64_t id = s.ColumnInt(0);
    for (; wanted < last && ids[wanted] < id; ++wanted) visit(wanted, nullptr);  // gone
    if (wanted == last || ids[wanted] != id) continue;                           // a row between the wanted ones
    visit(wanted++, &s);
  }
  for (; wanted < last; ++wanted) visit(wanted, nullptr);
  s.Reset();
}

}  // namespace twinscan::store
