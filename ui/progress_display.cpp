#include "ui/progress_display.h"

#include <QProgressBar>

namespace twinscan::ui {

void ProgressDisplay::Begin(int64_t totalUnits) {
  meter_.Begin(totalUnits, MonotonicSeconds());
  running_ = true;
}

void ProgressDisplay::Update(int64_t doneUnits, int64_t doneItems) {
  if (!running_) return;
  double now = MonotonicSeconds();
  if (!meter_.Due(now)) return;
  ProgressEstimate estimate = meter_.Estimate(doneUnits, doneItems, now);
  bar_->setValue(estimate.percent);
  // The text holds no %p, %v or %m, so the bar shows it as it is.
  bar_->setFormat(QString::fromStdString(ProgressBarText(estimate)));
  if (bar_->isHidden()) {
    bar_->show();
    bar_->raise();
  }
}

void ProgressDisplay::End() {
  running_ = false;
  bar_->hide();
  bar_->reset();
}

}  // namespace twinscan::ui
