#include "ui/header_sort.h"

namespace twinscan::ui {

void HeaderSort::Click(store::View& view, const std::string& column) {
  if (column == lastHeaderColumn_ && column == view.sortColumn) {
    view.sortDirection = store::Reversed(view.sortDirection);
    return;
  }
  view.sortColumn = column;
  lastHeaderColumn_ = column;
}

}  // namespace twinscan::ui
