#include "ui/header_sort.h"

namespace twinscan::ui {

void HeaderSort::Click(store::View& view, const std::string& column) {
  if (column == lastHeaderColumn_ && column == view.sortColumn) {
    view.sortDirection = view.sortDirection == "ASC" ? "DESC" : "ASC";
    return;
  }
  view.sortColumn = column;
  lastHeaderColumn_ = column;
}

}  // namespace twinscan::ui
