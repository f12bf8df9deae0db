#include "record/progress.h"

#include <gtest/gtest.h>

namespace twinscan {
namespace {

TEST(ProgressEstimate, PercentRateAndTimeLeftFromTheRateSoFar) {
  struct Case {
    int64_t done, total, items;
    double elapsed;
    int percent;
    double itemsPerSecond;
    std::optional<double> secondsLeft;
  };
  const Case cases[] = {
      {0, 1000, 0, 2.0, 0, 0, std::nullopt},  // time passed, nothing done: no rate to go by
      {250, 1000, 50, 2.0, 25, 25, 6.0},      // a quarter in 2 s: three quarters in 6 s
      {999, 1000, 999, 9.99, 99, 100, 0.01},  // rounded down: 100% only when done
      {1000, 1000, 1000, 10.0, 100, 100, 0.0},
      {1200, 1000, 1200, 10.0, 100, 120, 0.0},                        // a file that grew while read
      {0, 0, 0, 1.0, 100, 0, 0.0},                                    // nothing to do: done at once
      {3'000'000'000, 6'000'000'000, 10, 60.0, 50, 10.0 / 60, 60.0},  // beyond 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.done << " of " << c.total << " after " << c.elapsed << " s");
    ProgressEstimate e = EstimateProgress(c.done, c.total, c.items, c.elapsed);
    EXPECT_EQ(e.percent, c.percent);
    EXPECT_DOUBLE_EQ(e.itemsPerSecond, c.itemsPerSecond);
    ASSERT_EQ(e.secondsLeft.has_value(), c.secondsLeft.has_value());
    if (c.secondsLeft) {
      EXPECT_NEAR(*e.secondsLeft, *c.secondsLeft, 1e-9);
    }
  }
}

TEST(ProgressEstimate, Texts) {
  const std::pair<double, const char*> times[] = {
      {0, "about 1 s"},    {59, "about 59 s"},        {59.5, "about 1 min"},     {91, "about 2 min"},
      {3590, "about 1 h"}, {3900, "about 1 h 5 min"}, {26 * 3600, "about 26 h"},
  };
  for (const auto& [seconds, text] : times) EXPECT_EQ(TimeLeftText(seconds), text) << seconds;

  EXPECT_EQ(ProgressBarText(EstimateProgress(370, 1000, 370, 7.0)), "37% - about 12 s left");
  EXPECT_EQ(ProgressBarText(EstimateProgress(0, 1000, 0, 1.0)), "0%");
}

TEST(ProgressMeter, FirstDueAfterHalfASecondThenAtMostTenTimesASecond) {
  ProgressMeter meter;
  meter.Begin(1000, 100.0);
  // (time, due?) in the order the work asks.
  const std::pair<double, bool> asks[] = {
      {100.0, false},   {100.3, false}, {100.499, false}, {100.5, true},   {100.55, false},
      {100.599, false}, {100.6, true},  {101.5, true},    {101.55, false}, {101.6, true},
  };
  for (const auto& [now, due] : asks) EXPECT_EQ(meter.Due(now), due) << now;
  EXPECT_TRUE(meter.shown());
  EXPECT_DOUBLE_EQ(*meter.Estimate(500, 500, 102.0).secondsLeft, 2.0);

  // A new piece of work starts over: quiet for its first half second.
  meter.Begin(10, 200.0);
  EXPECT_FALSE(meter.shown());
  EXPECT_FALSE(meter.Due(200.2));
}

}  // namespace
}  // namespace twinscan
