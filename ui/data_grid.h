// DataGrid: one of the main window's grids, a caption bar over a read-only
// table that shows a store::View through a GridModel.
//
// It reports header clicks by column, double clicks (row -1 when the click
// hit no data row), Enter on the current row and current-row changes the
// user makes; row moves made by
// the program (ShowCurrentRow) are not reported back. Column widths are
// given once in twips and kept across re-opened views, as are widths the
// user dragged. While input is blocked (a comparison is running) clicks,
// double clicks and keys on the table and its header are ignored; scrolling
// stays possible.
//
// Several rows can be selected; Ctrl+C copies them as tab-separated text
// under a header line. A cell whose text is cut shows it whole as a tooltip.
// An empty grid shows a hint of what to do first; the column the user sorted
// by carries the header's sort indicator.
#pragma once

#include <QWidget>
#include <vector>

#include "store/view.h"

class QLabel;
class QTableView;

namespace twinscan::ui {

class GridModel;

class DataGrid : public QWidget {
  Q_OBJECT

 public:
  DataGrid(store::View& view, int columns, QWidget* parent = nullptr);

  void SetCaption(const QString& caption);
  QString caption() const;

  // One width in twips per column, in column order.
  void SetColumnWidths(const std::vector<int>& twips);
  // Re-reads the model after the view was re-opened and shows its current row.
  void ViewReopened();
  // Moves the table's current row to the view's current row and scrolls to it.
  void ShowCurrentRow();
  void SetInputBlocked(bool blocked);
  // The text an empty grid shows in place of rows.
  void SetEmptyHint(const QString& hint);
  // Shows the sort indicator on `column`; -1 hides it.
  void SetSortIndicator(int column, bool descending);
  // The selected rows, in row order, as tab-separated lines after a line of
  // column names; "" when no row is selected.
  QString SelectedRowsText() const;
  // The whole text of the cell at `viewportPos` when the cell cuts it, else "".
  QString CutTextAt(QPoint viewportPos) const;

  GridModel* model() const { return model_; }
  QTableView* table() const { return table_; }
  store::View& view() const;

 signals:
  void headerClicked(int column);
  void doubleClicked(int row);
  void enterPressed(int row);
  void currentRowChanged(int row);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCaption();
  void ShowHint();

  QLabel* caption_;
  QLabel* hint_;
  QString fullCaption_;
  QTableView* table_;
  GridModel* model_;
  bool programmatic_ = false;
  bool blocked_ = false;
};

}  // namespace twinscan::ui
