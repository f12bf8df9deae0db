// View: a read-only snapshot of a query result that a grid shows.
//
// A view over a whole table (Refresh) keeps only the ordered row ids and
// reads rows lazily on a connection of its own that holds a read transaction,
// so it shows the table as it was when the view was opened, whatever is
// written afterwards, and opens a million rows in about a second. A filtered
// view (the candidate search, one primary line's results) is small and read
// whole at once on the writing connection, so it sees that connection's
// uncommitted rows. Either way a view changes only when it is re-opened.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "record/user_interface.h"
#include "store/database.h"
#include "store/matching_rows.h"
#include "store/rows_by_id.h"
#include "store/view_filter.h"

namespace twinscan::store {

using Row = std::vector<Value>;

// The order of a whole-table view; the statements write it ASC or DESC.
enum class SortDirection { Ascending, Descending };
const char* SqlKeyword(SortDirection direction);  // "ASC" or "DESC"
SortDirection Reversed(SortDirection direction);

struct ColumnInfo {
  std::string name;  // as the grids caption it ("linenumber", "1A", "4CLONG")
  ColumnKind kind;
};

class View {
 public:
  View(Database& db, ViewId id, std::string table);
  ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  ViewId id() const { return id_; }
  const std::string& table() const { return table_; }

  // Sort state, changed by the header sort and the full comparison.
  std::string sortColumn = "linenumber";
  SortDirection sortDirection = SortDirection::Ascending;
  // The grid filter of a whole-table view: the rows matching an SQLite
  // condition over the table, or with filterInverted all other rows (""
  // keeps every row; see store/view_filter.h). Refresh applies it after the
  // sort; ApplyFilter applies a changed one without sorting again.
  std::string filterCondition;
  bool filterInverted = false;
  void SetFilter(const ViewSelection& selection) {
    filterCondition = selection.condition;
    filterInverted = selection.inverted;
  }

  // Re-opens over the whole table in the sort order. Throws ViewError when
  // it cannot (a sort column that is not a column of the table included).
  void Refresh();
  // Re-opens over the rows matching an SQLite condition with bound values,
  // in the given SQLite order. Throws ViewError when the view cannot be opened.
  void OpenFiltered(const std::string& sqliteWhere, const std::vector<Value>& binds, const std::string& sqliteOrder);
  // Re-selects the rows of the open whole-table view under filterCondition,
  // in the sort order it was opened with, from the same snapshot: one index
  // scan, no new sort. The current record stays current when the filter
  // keeps it, else the first row becomes current. Throws ViewError.
  void ApplyFilter();
  // Ends the read snapshot (the view shows no rows until it is re-opened).
  // Throws ViewError when the snapshot cannot be ended.
  void Close();

  int64_t RowCount() const { return static_cast<int64_t>(rowIds_.size()); }
  // 0-based position of the current row; -1 when there is none.
  int64_t CurrentRow() const { return current_; }
  void SetCurrentRow(int64_t index);

  // The row id at a position; -1 outside the view.
  int64_t RowIdAt(int64_t index) const;
  int64_t CurrentRowId() const { return RowIdAt(current_); }
  // The position of a row id in the view's order; -1 when the view does not
  // show it (a linear search: about a millisecond over a million rows).
  int64_t PositionOfRowId(int64_t rowId) const;
  // The position of the first row (in row-id order) whose linenumber is
  // `line`; -1 when the view does not show one. Throws ViewError.
  int64_t PositionOfLine(int64_t line);

  // The row at a 0-based position of the view's order.
  const Row& RowAt(int64_t index);
  const Row& Current() { return RowAt(current_); }
  // The row ids at positions [first, last) of a whole-table view, in its
  // order: the rows a reader of its own sees as the view does while the
  // table does not change.
  std::vector<int64_t> RowIds(int64_t first, int64_t last) const;

  const std::vector<ColumnInfo>& Columns() const { return columns_; }
  // Index of a column by name (case-insensitive); -1 when absent.
  int ColumnIndex(std::string_view name) const;
  bool IsFiltered() const { return filtered_; }

 private:
  friend class Views;
  void LoadColumns();
  void OpenSorted();
  void OpenMatching(const std::string& sqliteWhere, const std::vector<Value>& binds, const std::string& sqliteOrder);
  void FetchWindow(int64_t index);
  // Reads the rows at positions [first, last) of a whole-table view from its
  // snapshot: visit(position, row) with the row id in column 0 and the
  // table's columns from 1, or with nullptr for a row no longer in the table.
  // Throws StoreError, also for a view not open over its table.
  using RowVisitor = std::function<void(int64_t position, const Statement* row)>;
  void VisitRows(int64_t first, int64_t last, const RowVisitor& visit);
  void SelectFilteredIds();

  Database& db_;
  ViewId id_;
  std::string table_;
  Connection reader_;                     // the snapshot connection of whole-table views
  std::optional<Statement> fetch_;        // reads one row of the snapshot by row id
  std::optional<RowsById> byId_;          // reads the cache window from the snapshot
  std::optional<Statement> byLine_;       // finds the row ids of a linenumber in the snapshot
  std::optional<MatchingRows> matching_;  // reads the filtered views' rows
  bool filtered_ = false;
  std::vector<ColumnInfo> columns_;
  std::vector<int64_t> rowIds_;     // whole-table view: row ids in view order
  std::vector<int64_t> sortedIds_;  // whole-table view: every row id in sort order, before the filter ...
  bool allShown_ = false;           // ... unless the filter keeps every row: then rowIds_ holds them
  int64_t highestId_ = 0;
  std::vector<Row> rows_;  // filtered view: all rows; else the cache window
  int64_t cacheStart_ = 0;
  int64_t current_ = -1;
};

// The three views that feed the grids.
class Views {
 public:
  Views(Database& db, UserInterface& ui);

  View& primary() { return primary_; }
  View& secondary() { return secondary_; }
  View& result() { return result_; }
  View& Get(ViewId id);

  // Re-opens all three views in the order primary, secondary, result, each
  // over its whole table in its own sort order, after committing pending
  // writes; the grids re-bind and rewrite their labels.
  void RefreshAll();
  // Closes the three views, so that no snapshot is pinned, and tells the
  // grids (they show no rows until the next RefreshAll).
  void ReleaseSnapshots();
  // Re-opens one view with a filter and tells the grids.
  void ReopenFiltered(ViewId id, const std::string& sqliteWhere, const std::vector<Value>& binds,
                      const std::string& sqliteOrder);
  // Moves a view's current row and tells the grids.
  void SetCurrentRow(ViewId id, int64_t index);

  UserInterface& ui() { return ui_; }

 private:
  Database& db_;
  UserInterface& ui_;
  View primary_, secondary_, result_;
};

}  // namespace twinscan::store
