// GridFilters: the filters of the three grids, chosen from the View menu or
// from a small filter bar ("FilterBar": the combo boxes "FilterFf",
// "FilterSf", "FilterRe"); both always show the same choice. The record
// grids offer all / erroneous / error-free, the result grid all / critical /
// non-critical / without differences / undecided / decided. A choice the
// user makes is reported by `chosen`; the window then applies the filter's
// condition to the view (store/view_filter.h).
#pragma once

#include <QObject>
#include <QWidget>
#include <array>
#include <string>

#include "record/user_interface.h"
#include "store/view_filter.h"

class QActionGroup;
class QComboBox;
class QMenu;

namespace twinscan::ui {

class GridFilters : public QObject {
  Q_OBJECT

 public:
  // Makes the bar as a child of `barParent` and fills `viewMenu`.
  GridFilters(QWidget* barParent, QMenu* viewMenu);

  QWidget* bar() const { return bar_; }
  // How the grid's view selects the rows of its filter.
  store::ViewSelection Selection(ViewId id) const;
  bool Filtered(ViewId id) const { return chosen_[static_cast<size_t>(id)] != 0; }
  // The name the position label adds (", critical"); "" for all.
  std::string LabelSuffix(ViewId id) const;
  // Chooses a filter as the user would (index into the grid's list).
  void Choose(ViewId id, int index);
  int chosen(ViewId id) const { return chosen_[static_cast<size_t>(id)]; }
  void SetEnabled(bool enabled);

 signals:
  void changed(ViewId id);

 private:
  void Show(ViewId id);

  QWidget* bar_;
  std::array<QComboBox*, 3> boxes_{};
  std::array<QActionGroup*, 3> groups_{};
  std::array<int, 3> chosen_{};
  QMenu* menu_;
};

}  // namespace twinscan::ui
