// The column-header sort of one grid. The first click on a column sorts the
// view by it in the direction the grid used last; each further click on the
// same column reverses the order. The caller then re-reads all three views.
#pragma once

#include <string>

#include "store/view.h"

namespace twinscan::ui {

class HeaderSort {
 public:
  // Changes the view's sort state for a click on the header named `column`.
  // A click counts as a repeat only while the view is still sorted by that
  // column: the full comparison resets the sort to linenumber, and a click on
  // the column clicked before the run must then sort by it again, not flip
  // the linenumber order.
  void Click(store::View& view, const std::string& column);
  // The column the view is sorted by through a header click; "" while the
  // view is in an order no click chose (the start order, or after a full
  // comparison reset it).
  std::string SortedColumn(const store::View& view) const {
    return view.sortColumn == lastHeaderColumn_ ? lastHeaderColumn_ : std::string();
  }

 private:
  std::string lastHeaderColumn_;
};

}  // namespace twinscan::ui
