#include "ui/data_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QTableView>
#include <QToolTip>
#include <algorithm>

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
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
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

  hint_ = new QLabel(table_->viewport());
  hint_->setAlignment(Qt::AlignCenter);
  hint_->setWordWrap(true);
  hint_->setTextFormat(Qt::PlainText);
  hint_->setForegroundRole(QPalette::PlaceholderText);
  hint_->setAttribute(Qt::WA_TransparentForMouseEvents);
  hint_->hide();

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
  ShowHint();
}

void DataGrid::SetEmptyHint(const QString& hint) {
  hint_->setText(hint);
  ShowHint();
}

void DataGrid::ShowHint() {
  hint_->setGeometry(table_->viewport()->rect());
  hint_->setVisible(!hint_->text().isEmpty() && model_->rowCount() == 0);
}

void DataGrid::SetSortIndicator(int column, bool descending) {
  QHeaderView* header = table_->horizontalHeader();
  header->setSortIndicatorShown(column >= 0);
  // Qt's ascending arrow points up, as the order reads from the top.
  if (column >= 0) header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QString DataGrid::SelectedRowsText() const {
  QModelIndexList rows = table_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return QString();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  // A tab or line break inside a value would split its row.
  auto clean = [](QString text) { return text.replace('\t', ' ').replace('\n', ' ').replace('\r', ' '); };
  QStringList lines, names;
  for (int c = 0; c < model_->columnCount(); ++c) names << model_->ColumnName(c);
  lines << names.join('\t');
  for (const QModelIndex& row : rows) {
    QStringList cells;
    for (int c = 0; c < model_->columnCount(); ++c) cells << clean(model_->index(row.row(), c).data().toString());
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

QString DataGrid::CutTextAt(QPoint viewportPos) const {
  QModelIndex index = table_->indexAt(viewportPos);
  if (!index.isValid()) return QString();
  QString text = index.data().toString();
  // The cell's text margins: the style's focus frame margin on either side.
  int room = table_->visualRect(index).width() - 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  return table_->fontMetrics().horizontalAdvance(text) > room ? text : QString();
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
  if (watched == table_->viewport() && event->type() == QEvent::Resize) ShowHint();
  if (watched == table_->viewport() && event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    QString text = CutTextAt(help->pos());
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, table_->viewport(), table_->visualRect(table_->indexAt(help->pos())));
    return true;
  }
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    QString text = SelectedRowsText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
    return true;
  }
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
