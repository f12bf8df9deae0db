#include "store/view.h"

#include <sqlite3.h>

#include <algorithm>

namespace twinscan::store {
namespace {

// Rows read around a requested one; sequential reads and a screenful of a
// grid then cost one fetch per row and nothing more.
constexpr int64_t kCacheWindow = 256;

}  // namespace

const char* SqlKeyword(SortDirection direction) { return direction == SortDirection::Ascending ? "ASC" : "DESC"; }

SortDirection Reversed(SortDirection direction) {
  return direction == SortDirection::Ascending ? SortDirection::Descending : SortDirection::Ascending;
}

View::View(Database& db, ViewId id, std::string table) : db_(db), id_(id), table_(std::move(table)) { LoadColumns(); }

View::~View() {
  try {
    Close();
  } catch (const StoreError&) {
    // The reader connection goes anyway, and its snapshot with it.
  }
}

void View::LoadColumns() {
  Statement s = db_.Prepare("SELECT * FROM " + QuoteName(table_) + " LIMIT 0");
  columns_.clear();
  for (int i = 0; i < s.ColumnCount(); ++i) columns_.push_back({s.ColumnName(i), s.ColumnKindOf(i)});
}

int View::ColumnIndex(std::string_view name) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (SameName(columns_[i].name, name)) return static_cast<int>(i);
  return -1;
}

void View::Close() {
  fetch_.reset();
  byId_.reset();
  byLine_.reset();
  rowIds_.clear();
  sortedIds_.clear();
  allShown_ = false;
  highestId_ = 0;
  rows_.clear();
  cacheStart_ = 0;
  current_ = -1;
  if (!reader_ || sqlite3_get_autocommit(reader_.get())) return;
  try {
    CommitOn(reader_.get());
  } catch (const StoreError& e) {
    // A snapshot still pinned would keep the log from folding back and show
    // old rows at the next open; the next Close tries again.
    throw ViewError(e.what());
  }
}

void View::Refresh() {
  try {
    OpenSorted();
  } catch (const ViewError&) {
    throw;
  } catch (const StoreError& e) {
    throw ViewError(e.what());
  }
}

void View::OpenSorted() {
  int column = ColumnIndex(sortColumn);
  if (column < 0) throw StoreError("no column " + sortColumn + " in " + table_);
  Close();
  // SQLite's default 2 MB cache is small for reading a whole table in order.
  if (!reader_) reader_ = OpenReader(db_.file(), 8192);
  filtered_ = false;
  // The read transaction starts with the first SELECT and pins the snapshot
  // until the view is closed.
  BeginSnapshot(reader_.get());
  Statement ids(reader_.get(), "SELECT rowid FROM " + QuoteName(table_) + " ORDER BY " +
                                   QuoteName(columns_[static_cast<size_t>(column)].name) + " " +
                                   SqlKeyword(sortDirection) + ", rowid");
  while (ids.Step()) {
    sortedIds_.push_back(ids.ColumnInt(0));
    highestId_ = std::max(highestId_, sortedIds_.back());
  }
  SelectFilteredIds();
  fetch_.emplace(reader_.get(), "SELECT rowid, * FROM " + QuoteName(table_) + " WHERE rowid = ?");
  current_ = rowIds_.empty() ? -1 : 0;
}

// The matching ids come from one scan of the condition's covering index;
// sortedIds_ then gives them their order.
void View::SelectFilteredIds() {
  rows_.clear();
  cacheStart_ = 0;
  if (filterCondition.empty()) {
    // Every row shows: the one list serves both (a million ids are 8 MB).
    if (!allShown_) rowIds_ = std::move(sortedIds_);
    sortedIds_.clear();
    allShown_ = true;
    return;
  }
  Statement match(reader_.get(), "SELECT rowid FROM " + QuoteName(table_) + " WHERE " + filterCondition);
  std::vector<int64_t> matched;
  while (match.Step()) matched.push_back(match.ColumnInt(0));
  if (allShown_) sortedIds_ = std::move(rowIds_);
  allShown_ = false;
  rowIds_.clear();
  rowIds_.reserve(filterInverted ? sortedIds_.size() - std::min(sortedIds_.size(), matched.size()) : matched.size());
  const auto size = static_cast<int64_t>(sortedIds_.size());
  if (highestId_ >= 0 && highestId_ <= 8 * size + 4096) {
    std::vector<bool> keep(static_cast<size_t>(highestId_) + 1);
    for (int64_t id : matched)
      if (id >= 0 && id <= highestId_) keep[static_cast<size_t>(id)] = true;
    for (int64_t id : sortedIds_)
      if (id >= 0 && keep[static_cast<size_t>(id)] != filterInverted) rowIds_.push_back(id);
  } else {  // sparse row ids
    std::sort(matched.begin(), matched.end());
    for (int64_t id : sortedIds_)
      if (std::binary_search(matched.begin(), matched.end(), id) != filterInverted) rowIds_.push_back(id);
  }
}

void View::ApplyFilter() {
  if (filtered_ || !reader_ || sqlite3_get_autocommit(reader_.get())) return;  // not an open whole-table view
  int64_t keptId = CurrentRowId();
  try {
    SelectFilteredIds();
  } catch (const StoreError& e) {
    throw ViewError(e.what());
  }
  int64_t position = keptId < 0 ? -1 : PositionOfRowId(keptId);
  current_ = position >= 0 ? position : (rowIds_.empty() ? -1 : 0);
}

int64_t View::RowIdAt(int64_t index) const {
  return index >= 0 && index < RowCount() ? rowIds_[static_cast<size_t>(index)] : -1;
}

int64_t View::PositionOfRowId(int64_t rowId) const {
  auto found = std::find(rowIds_.begin(), rowIds_.end(), rowId);
  return found == rowIds_.end() ? -1 : found - rowIds_.begin();
}

int64_t View::PositionOfLine(int64_t line) {
  if (filtered_) {
    int column = ColumnIndex("linenumber");
    for (size_t i = 0; i < rows_.size(); ++i)
      if (NumberOf(rows_[i][static_cast<size_t>(column)]) == static_cast<double>(line)) return static_cast<int64_t>(i);
    return -1;
  }
  if (!reader_ || sqlite3_get_autocommit(reader_.get())) return -1;
  try {
    if (!byLine_)
      byLine_.emplace(reader_.get(), "SELECT rowid FROM " + QuoteName(table_) + " WHERE linenumber = ? ORDER BY rowid");
    byLine_->Reset();
    byLine_->BindInt(1, line);
    int64_t position = -1;
    while (position < 0 && byLine_->Step()) position = PositionOfRowId(byLine_->ColumnInt(0));
    byLine_->Reset();
    return position;
  } catch (const StoreError& e) {
    throw ViewError(e.what());
  }
}

void View::OpenFiltered(const std::string& sqliteWhere, const std::vector<Value>& binds,
                        const std::string& sqliteOrder) {
  try {
    OpenMatching(sqliteWhere, binds, sqliteOrder);
  } catch (const ViewError&) {
    throw;
  } catch (const StoreError& e) {
    throw ViewError(e.what());
  }
}

void View::OpenMatching(const std::string& sqliteWhere, const std::vector<Value>& binds,
                        const std::string& sqliteOrder) {
  Close();
  filtered_ = true;
  if (!matching_) matching_.emplace(db_.handle(), table_);
  std::vector<int64_t> ids;
  std::vector<Row> rows;
  std::vector<size_t> order = matching_->Read(
      sqliteWhere, binds, sqliteOrder,
      [&] {
        ids.clear();
        rows.clear();
      },
      [&](const Statement& s) {
        ids.push_back(s.ColumnInt(0));
        Row row;
        row.reserve(columns_.size());
        for (size_t c = 0; c < columns_.size(); ++c) row.push_back(s.Column(static_cast<int>(c) + 1, columns_[c].kind));
        rows.push_back(std::move(row));
      });
  rowIds_.reserve(order.size());
  rows_.reserve(order.size());
  for (size_t k : order) {
    rowIds_.push_back(ids[k]);
    rows_.push_back(std::move(rows[k]));
  }
  current_ = rowIds_.empty() ? -1 : 0;
}

void View::SetCurrentRow(int64_t index) { current_ = (index >= 0 && index < RowCount()) ? index : -1; }

const Row& View::RowAt(int64_t index) {
  if (index < 0 || index >= RowCount()) throw StoreError("row " + std::to_string(index) + " outside the view");
  if (filtered_) return rows_[static_cast<size_t>(index)];
  if (index < cacheStart_ || index >= cacheStart_ + static_cast<int64_t>(rows_.size())) FetchWindow(index);
  return rows_[static_cast<size_t>(index - cacheStart_)];
}

void View::FetchWindow(int64_t index) {
  // Start a little before the requested row so that scrolling back is cheap.
  cacheStart_ = std::max<int64_t>(0, index - kCacheWindow / 4);
  int64_t end = std::min<int64_t>(RowCount(), cacheStart_ + kCacheWindow);
  rows_.clear();
  VisitRows(cacheStart_, end, [this](int64_t, const Statement* s) {
    Row row;
    if (!s) {
      row.resize(columns_.size());
    } else {
      row.reserve(columns_.size());
      for (size_t c = 0; c < columns_.size(); ++c) row.push_back(s->Column(static_cast<int>(c) + 1, columns_[c].kind));
    }
    rows_.push_back(std::move(row));
  });
}

void View::VisitRows(int64_t first, int64_t last, const RowVisitor& visit) {
  if (filtered_ || !fetch_) throw StoreError("the view of " + table_ + " is not open over its table");
  first = std::max<int64_t>(first, 0);
  last = std::min(last, RowCount());
  if (first >= last) return;
  if (!byId_) byId_.emplace(reader_.get(), table_);
  byId_->Visit(rowIds_, static_cast<size_t>(first), static_cast<size_t>(last),
               [&](size_t k, const Statement* row) { visit(static_cast<int64_t>(k), row); });
}

std::vector<int64_t> View::RowIds(int64_t first, int64_t last) const {
  first = std::clamp<int64_t>(first, 0, RowCount());
  last = std::clamp<int64_t>(last, first, RowCount());
  return {rowIds_.begin() + first, rowIds_.begin() + last};
}

// ---------------------------------------------------------------------------
Views::Views(Database& db, UserInterface& ui)
    : db_(db),
      ui_(ui),
      primary_(db, ViewId::Primary, kTable1),
      secondary_(db, ViewId::Secondary, kTable2),
      result_(db, ViewId::Result, kTableResult) {
  for (View* v : {&primary_, &secondary_, &result_}) v->Refresh();
}

View& Views::Get(ViewId id) {
  switch (id) {
    case ViewId::Primary: return primary_;
    case ViewId::Secondary: return secondary_;
    default: return result_;
  }
}

void Views::RefreshAll() {
  db_.CommitPending();
  for (View* v : {&primary_, &secondary_, &result_}) v->Close();
  // No snapshot is pinned now: let the log fold back into the database file.
  sqlite3_wal_checkpoint_v2(db_.handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  for (View* v : {&primary_, &secondary_, &result_}) v->Refresh();
  for (ViewId id : {ViewId::Primary, ViewId::Secondary, ViewId::Result}) ui_.ViewReopened(id);
}

void Views::ReleaseSnapshots() {
  for (View* v : {&primary_, &secondary_, &result_}) v->Close();
  for (ViewId id : {ViewId::Primary, ViewId::Secondary, ViewId::Result}) ui_.ViewReopened(id);
}

void Views::ReopenFiltered(ViewId id, const std::string& sqliteWhere, const std::vector<Value>& binds,
                           const std::string& sqliteOrder) {
  Get(id).OpenFiltered(sqliteWhere, binds, sqliteOrder);
  ui_.ViewReopened(id);
}

void Views::SetCurrentRow(ViewId id, int64_t index) {
  Get(id).SetCurrentRow(index);
  ui_.CurrentRowChanged(id);
}

}  // namespace twinscan::store
