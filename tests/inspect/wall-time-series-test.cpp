// The rolling plots' resampling: which values land in which bin, what empty bins show, and what
// falls out of the window or out of the storage.

#include "inspect/wall-time-series.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<float> Bins(const WallTimeSeries& series, double now, double span, int bins) {
  std::vector<float> out(static_cast<size_t>(bins), -1.0f);
  series.Resample(now, span, out.data(), bins);
  return out;
}

}  // namespace

TEST(WallTimeSeries, BinsHoldTheirLargestValueOrTheLevelBefore) {
  WallTimeSeries series(16);
  EXPECT_EQ(Bins(series, 10.0, 4.0, 4), (std::vector<float>{0, 0, 0, 0})) << "nothing yet: zeros";

  // Window (6, 10] in bins (6, 7], (7, 8], (8, 9], (9, 10].
  series.Add(5.0, 9.0f);  // before the window: only the level it opens with
  series.Add(6.0, 8.0f);  // on the window's start: still before it
  series.Add(7.5, 1.0f);
  series.Add(7.75, 3.0f);
  series.Add(8.0, 2.0f);  // a bin's end belongs to it
  series.Add(10.0, 4.0f);
  EXPECT_EQ(Bins(series, 10.0, 4.0, 4), (std::vector<float>{8, 3, 2, 4}));
  EXPECT_EQ(Bins(series, 11.0, 4.0, 4), (std::vector<float>{3, 2, 4, 4})) << "the window moves on";
  EXPECT_EQ(Bins(series, 100.0, 4.0, 2), (std::vector<float>{4, 4})) << "the last level is held";
  EXPECT_EQ(Bins(series, 5.5, 1.0, 1), (std::vector<float>{9}));
  EXPECT_EQ(Bins(series, 4.0, 1.0, 3), (std::vector<float>{0, 0, 0})) << "before the first value";
}

TEST(WallTimeSeries, AFullStoreDropsTheOldestValues) {
  WallTimeSeries series(3);
  for (int k = 1; k <= 5; ++k) series.Add(k, static_cast<float>(10 * k));
  EXPECT_EQ(series.Size(), 3u);
  // Values 30, 40, 50 at 3, 4, 5 remain; the bin before them has nothing to hold.
  EXPECT_EQ(Bins(series, 5.0, 5.0, 5), (std::vector<float>{0, 0, 30, 40, 50}));
  series.Clear();
  EXPECT_EQ(series.Size(), 0u);
  series.Add(1.0, 7.0f);
  EXPECT_EQ(Bins(series, 2.0, 2.0, 2), (std::vector<float>{7, 7}));
}

TEST(WallTimeSeriesDeathTest, TimeMayNotRunBackwards) {
  WallTimeSeries series(4);
  series.Add(2.0, 1.0f);
  series.Add(2.0, 1.0f);
  EXPECT_DEATH(series.Add(1.0, 1.0f), "Assertion failed");
}
