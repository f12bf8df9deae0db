#include "ui/data_grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QTableView>

#include "ui/grid_model.h"
#include "ui/twips.h"

namespace twinscan::ui {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return true;
    default: return false;
  }
}

// Narrow cell and header margins: two-letter codes fit their 300-twip columns.
class GridStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    if (metric == PM_HeaderMargin) return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// A header whose height is measured once: the captions never change, and
// measuring them again after every re-opened view would cost more than the
// comparison that re-opened it.
class ColumnHeader : public QHeaderView {
 public:
  explicit ColumnHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
  QSize sizeHint() const override {
    if (!measured_.isValid() && count() > 0) measured_ = QHeaderView::sizeHint();
    return measured_.isValid() ? measured_ : QHeaderView::sizeHint();
  }

 private:
  mutable QSize measured_;
};

}  // namespace

DataGrid::DataGrid(store::View& view, int columns, QWidget* parent) : QWidget(parent) {
  caption_ = new QLabel(this);
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  caption_->setAutoFillBackground(true);
  caption_->setBackgroundRole(QPalette::Button);
  caption_->setTextFormat(Qt::PlainText);

  table_ = new QTableView(this);
  table_->setHorizontalHeader(new ColumnHeader(table_));
  auto* style = new GridStyle;
  style->setParent(this);
  table_->setStyle(style);
  table_->horizontalHeader()->setStyle(style);
  model_ = new GridModel(view, columns, this);
  table_->setModel(model_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setSortingEnabled(false);
  table_->setWordWrap(false);
  table_->setCornerButtonEnabled(false);
  table_->verticalHeader()->hide();
  // Fixed row heights keep a million rows as cheap as ten.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->horizontalHeader()->setMinimumSectionSize(1);

  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    if (!blocked_) emit headerClicked(column);
  });
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (!programmatic_) emit currentRowChanged(current.isValid() ? current.row() : -1);
          });
  for (QObject* o : {static_cast<QObject*>(table_), static_cast<QObject*>(table_->viewport()),
                     static_cast<QObject*>(table_->horizontalHeader()->viewport())})
    o->installEventFilter(this);
}

store::View& DataGrid::view() const { return model_->view(); }

void DataGrid::SetCaption(const QString& caption) {
  fullCaption_ = caption;
  ShowCaption();
}

QString DataGrid::caption() const { return fullCaption_; }

// A long path is shortened in the middle to fit the bar; the tooltip has it whole.
void DataGrid::ShowCaption() {
  int room = std::max(0, caption_->width() - 8);
  QString shown = caption_->fontMetrics().elidedText(fullCaption_, Qt::ElideMiddle, room);
  caption_->setText(shown);
  caption_->setToolTip(shown == fullCaption_ ? QString() : fullCaption_);
}

void DataGrid::SetColumnWidths(const std::vector<int>& twips) {
  for (size_t c = 0; c < twips.size() && static_cast<int>(c) < model_->columnCount(); ++c)
    table_->setColumnWidth(static_cast<int>(c), Twips(twips[c]));
}

void DataGrid::ViewReopened() {
  std::vector<int> widths;
  for (int c = 0; c < model_->columnCount(); ++c) widths.push_back(table_->columnWidth(c));
  programmatic_ = true;
  model_->Reset();
  for (int c = 0; c < static_cast<int>(widths.size()); ++c)
    if (table_->columnWidth(c) != widths[static_cast<size_t>(c)])
      table_->setColumnWidth(c, widths[static_cast<size_t>(c)]);
  programmatic_ = false;
  ShowCurrentRow();
}

void DataGrid::ShowCurrentRow() {
  programmatic_ = true;
  int64_t row = view().CurrentRow();
  if (row < 0 || row >= model_->rowCount()) {
    table_->selectionModel()->clear();
  } else {
    int column = std::max(0, table_->currentIndex().column());
    QModelIndex index = model_->index(static_cast<int>(row), column);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(index);
  }
  programmatic_ = false;
}

void DataGrid::SetInputBlocked(bool blocked) {
  blocked_ = blocked;
  table_->horizontalHeader()->setSectionsClickable(!blocked);
}

void DataGrid::resizeEvent(QResizeEvent*) {
  int captionHeight = fontMetrics().height() + 6;
  caption_->setGeometry(0, 0, width(), captionHeight);
  table_->setGeometry(0, captionHeight, width(), std::max(0, height() - captionHeight));
  ShowCaption();
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
  if (blocked_ && IsUserInput(event->type())) return true;
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit enterPressed(table_->currentIndex().isValid() ? table_->currentIndex().row() : -1);
      return true;
    }
  }
  if (watched == table_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) emit doubleClicked(table_->indexAt(mouse->position().toPoint()).row());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace twinscan::ui
