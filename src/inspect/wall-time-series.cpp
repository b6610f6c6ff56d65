#include "inspect/wall-time-series.h"

#include <cmath>

#include "base/assertion.h"

WallTimeSeries::WallTimeSeries(size_t capacity) : ring_(capacity) { QUORVEL_ASSERT(capacity > 0); }

void WallTimeSeries::Add(double time, float value) {
  QUORVEL_ASSERT(size_ == 0 || time >= At(size_ - 1).time);
  const size_t capacity = ring_.size();
  if (size_ == capacity) {
    ring_[first_] = {time, value};
    first_ = (first_ + 1) % capacity;
  } else {
    ring_[(first_ + size_) % capacity] = {time, value};
    ++size_;
  }
}

void WallTimeSeries::Clear() {
  first_ = 0;
  size_ = 0;
}

const WallTimeSeries::Sample& WallTimeSeries::At(size_t k) const { return ring_[(first_ + k) % ring_.size()]; }

void WallTimeSeries::Resample(double now, double span, float* out, int bins) const {
  QUORVEL_ASSERT(bins > 0 && span > 0);
  const double start = now - span;
  const double width = span / bins;
  size_t k = 0;
  float held = 0.0f;
  // Values at or before the window's start only set the level it opens with.
  while (k < size_ && At(k).time <= start) held = At(k++).value;
  for (int b = 0; b < bins; ++b) {
    // Bin b covers (start + b width, start + (b + 1) width]; the last one ends exactly at now.
    const double end = b + 1 == bins ? now : start + (b + 1) * width;
    bool any = false;
    float largest = 0.0f;
    while (k < size_ && At(k).time <= end) {
      const float v = At(k++).value;
      if (!any || v > largest) largest = v;
      any = true;
      held = v;
    }
    out[b] = any ? largest : held;
  }
}
