#include "record/progress.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace twinscan {

ProgressEstimate EstimateProgress(int64_t done, int64_t total, int64_t items, double elapsed) {
  ProgressEstimate e;
  if (total <= 0) {
    e.percent = 100;
    e.secondsLeft = 0;
    return e;
  }
  done = std::clamp<int64_t>(done, 0, total);
  e.percent = static_cast<int>(done * 100 / total);
  if (elapsed <= 0) return e;
  e.itemsPerSecond = static_cast<double>(std::max<int64_t>(items, 0)) / elapsed;
  if (done > 0) e.secondsLeft = elapsed * static_cast<double>(total - done) / static_cast<double>(done);
  return e;
}

std::string TimeLeftText(double seconds) {
  if (std::ceil(seconds) < 60)
    return "about " + std::to_string(static_cast<int64_t>(std::ceil(std::max(seconds, 1.0)))) + " s";
  int64_t minutes = std::llround(seconds / 60);
  if (minutes < 60) return "about " + std::to_string(minutes) + " min";
  std::string text = "about " + std::to_string(minutes / 60) + " h";
  if (minutes % 60 != 0) text += " " + std::to_string(minutes % 60) + " min";
  return text;
}

std::string ProgressBarText(const ProgressEstimate& estimate) {
  std::string text = std::to_string(estimate.percent) + "%";
  if (estimate.secondsLeft) text += " - " + TimeLeftText(*estimate.secondsLeft) + " left";
  return text;
}

void ProgressMeter::Begin(int64_t totalUnits, double now) {
  total_ = totalUnits;
  start_ = now;
  next_ = now + kShowAfter;
  shown_ = false;
}

bool ProgressMeter::Due(double now) {
  if (now < next_) return false;
  next_ = now + kUpdateEvery;
  shown_ = true;
  return true;
}

ProgressEstimate ProgressMeter::Estimate(int64_t doneUnits, int64_t doneItems, double now) const {
  return EstimateProgress(doneUnits, total_, doneItems, now - start_);
}

double MonotonicSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace twinscan
