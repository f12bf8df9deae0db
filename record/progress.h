// Progress of long work (an import, a full compare, an export): how much is
// done, how fast it goes and how long the rest will take.
//
// The work reports through UserInterface (ProgressBegin, ProgressUpdate after
// every item, ProgressEnd; ProgressScope pairs the first and the last). The
// front ends decide with ProgressMeter when to show it: not before the work
// has run half a second, then at most ten times a second, so that showing it
// costs the work nothing. Times are seconds on one monotonic clock and are
// passed in, so the arithmetic is the same with or without a real clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/user_interface.h"

namespace twinscan {

struct ProgressEstimate {
  int percent = 0;                    // of the units, 0 to 100, rounded down
  double itemsPerSecond = 0;          // items (records, pairs, rows) over the time so far; 0 while unknown
  std::optional<double> secondsLeft;  // from the rate so far; unknown before any unit is done
};

// The estimate after `elapsed` seconds, with `done` of `total` units and
// `items` items done. A total of 0 or less counts as nothing to do.
ProgressEstimate EstimateProgress(int64_t done, int64_t total, int64_t items, double elapsed);

// "about 12 s", "about 4 min", "about 2 h 5 min": whole seconds rounded up
// below a minute, then minutes rounded to the nearest.
std::string TimeLeftText(double seconds);

// The progress bar's text: "37% - about 12 s left", or "37%" while the time
// left is unknown.
std::string ProgressBarText(const ProgressEstimate& estimate);

class ProgressMeter {
 public:
  static constexpr double kShowAfter = 0.5;    // seconds of work before anything shows
  static constexpr double kUpdateEvery = 0.1;  // seconds between two updates of the display

  // A new piece of work of `totalUnits` units starts at `now`.
  void Begin(int64_t totalUnits, double now);
  // True when the display is due for an update at `now`; then the next one
  // is due kUpdateEvery later.
  bool Due(double now);
  ProgressEstimate Estimate(int64_t doneUnits, int64_t doneItems, double now) const;
  bool shown() const { return shown_; }  // Due has said true since Begin

 private:
  int64_t total_ = 0;
  double start_ = 0, next_ = 0;
  bool shown_ = false;
};

// Seconds on the steady clock, for ProgressMeter.
double MonotonicSeconds();

// ProgressBegin now and ProgressEnd however the scope is left.
class ProgressScope {
 public:
  ProgressScope(UserInterface& ui, std::string_view itemName, int64_t totalUnits) : ui_(ui) {
    ui_.ProgressBegin(itemName, totalUnits);
  }
  ~ProgressScope() { ui_.ProgressEnd(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

  void Update(int64_t doneUnits, int64_t doneItems) { ui_.ProgressUpdate(doneUnits, doneItems); }

 private:
  UserInterface& ui_;
};

}  // namespace twinscan
