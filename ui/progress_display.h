// ProgressDisplay: the status bar's progress bar for the core's long work
// ("37% - about 12 s left"). It shows only once the work has run about half
// a second, changes at most ten times a second and hides when the work ends;
// an update that is not due costs one clock reading.
#pragma once

#include <cstdint>

#include "record/progress.h"

class QProgressBar;

namespace twinscan::ui {

class ProgressDisplay {
 public:
  explicit ProgressDisplay(QProgressBar* bar) : bar_(bar) {}

  void Begin(int64_t totalUnits);
  void Update(int64_t doneUnits, int64_t doneItems);
  void End();

 private:
  QProgressBar* bar_;
  ProgressMeter meter_;
  bool running_ = false;
};

}  // namespace twinscan::ui
