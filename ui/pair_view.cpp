#include "ui/pair_view.h"

#include <QHeaderView>

#include "ui/twips.h"

namespace twinscan::ui {
namespace {

enum Column { kCode, kPrimary, kSecondary, kJudged, kColumns };

}  // namespace

PairView::PairView(QWidget* parent) : QTableWidget(kFieldCount, kColumns, parent) {
  setHorizontalHeaderLabels({"Field", "Primary", "Secondary", "Judged"});
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setStretchLastSection(true);
  setColumnWidth(kCode, Twips(600));
  setColumnWidth(kPrimary, Twips(5100));
  setColumnWidth(kSecondary, Twips(5100));
  for (int row = 0; row < kFieldCount; ++row)
    for (int column = 0; column < kColumns; ++column) setItem(row, column, new QTableWidgetItem);
}

QColor PairView::ColourOf(Judgement judgement) {
  switch (judgement) {
    case Judgement::Critical: return QColor(255, 150, 150);
    case Judgement::NonCritical: return QColor(255, 255, 150);
    case Judgement::Unmarked: return QColor(210, 210, 210);
    default: return {};
  }
}

void PairView::ShowPair(const PairDetails& pair) {
  for (int row = 0; row < kFieldCount; ++row) {
    const PairField& field = pair.fields[static_cast<size_t>(row)];
    const QString texts[kColumns] = {QString::fromUtf8(field.code.data(), static_cast<qsizetype>(field.code.size())),
                                     QString::fromStdString(field.primary), QString::fromStdString(field.secondary),
                                     QString::fromUtf8(JudgementMark(field.judgement).data())};
    QColor colour = ColourOf(field.judgement);
    for (int column = 0; column < kColumns; ++column) {
      QTableWidgetItem* cell = item(row, column);
      cell->setText(texts[column]);
      cell->setToolTip(column == kJudged && !field.difference.empty() ? QString::fromStdString(field.difference)
                                                                      : QString());
      cell->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
      cell->setForeground(colour.isValid() ? QBrush(Qt::black) : QBrush());
      QFont font = cell->font();
      font.setBold(field.judgement == Judgement::Critical);
      cell->setFont(font);
    }
  }
}

}  // namespace twinscan::ui
