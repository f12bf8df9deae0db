// GridModel: the rows of one store::View as a Qt table model.
//
// Rows are read lazily through View::RowAt when the grid paints them (the
// view keeps only row ids and a window of rows), so a grid over a million
// rows opens as fast as the view and costs no memory per row. Only the first
// `columns` columns of the view are shown, captioned with their names; cells
// show store::DisplayText (dates dd/mm/yyyy, booleans True/False, Null empty).
// Call Reset after the view was re-opened: until then the model keeps the
// row count it had, and a row the view no longer holds shows empty.
#pragma once

#include <QAbstractTableModel>

#include "store/view.h"

namespace twinscan::ui {

class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  GridModel(store::View& view, int columns, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // The caption of a column: its name ("linenumber", "1A", "4CLONG").
  QString ColumnName(int column) const;
  store::View& view() const { return view_; }

  // Takes the view's new rows.
  void Reset();

 private:
  store::View& view_;
  int columns_;
  int rows_ = 0;
};

}  // namespace twinscan::ui
