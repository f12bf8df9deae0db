// PairView (object name "PairView"): the two records of a compared pair side
// by side, one row per field in grid order with its item code, the primary
// and the secondary value and how a differing field was judged. A differing
// field is coloured as the compare modes are (red critical, yellow
// non-critical, grey unmarked) and carries the judgement as text too, so
// colour is never the only sign.
#pragma once

#include <QTableWidget>

#include "compare/pair_details.h"

namespace twinscan::ui {

class PairView : public QTableWidget {
  Q_OBJECT

 public:
  explicit PairView(QWidget* parent = nullptr);

  void ShowPair(const PairDetails& pair);

  // The background of a judged field (invalid for Same).
  static QColor ColourOf(Judgement judgement);
};

}  // namespace twinscan::ui
