#include "ui/grid_model.h"

#include <algorithm>
#include <limits>

namespace twinscan::ui {
namespace {

int ClampedRowCount(const store::View& view) {
  return static_cast<int>(std::min<int64_t>(view.RowCount(), std::numeric_limits<int>::max()));
}

}  // namespace

GridModel::GridModel(store::View& view, int columns, QObject* parent)
    : QAbstractTableModel(parent),
      view_(view),
      columns_(std::min(columns, static_cast<int>(view.Columns().size()))),
      rows_(ClampedRowCount(view)) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= view_.RowCount()) return {};
  try {
    const store::Row& row = view_.RowAt(index.row());
    const auto column = static_cast<size_t>(index.column());
    return QString::fromStdString(store::DisplayText(row[column], view_.Columns()[column].kind));
  } catch (const store::StoreError&) {
    // A row the snapshot cannot read paints empty; the next re-open reports
    // a broken database through the command that makes it.
    return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section < 0 || section >= columns_) return {};
  return ColumnName(section);
}

QString GridModel::ColumnName(int column) const {
  return QString::fromStdString(view_.Columns()[static_cast<size_t>(column)].name);
}

void GridModel::Reset() {
  beginResetModel();
  rows_ = ClampedRowCount(view_);
  endResetModel();
}

}  // namespace twinscan::ui
