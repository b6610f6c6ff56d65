#pragma once
// Values stamped with the wall time they were taken at, kept for rolling plots of the last few
// seconds. Storage is fixed at construction: when it is full, each new value pushes out the
// oldest, so a very high sample rate shortens the time the plot can look back.

#include <cstddef>
#include <vector>

class WallTimeSeries {
 public:
  explicit WallTimeSeries(size_t capacity = 8192);

  // Adds a value taken at wall time `time`, which must not be earlier than the last one's.
  void Add(double time, float value);
  void Clear();
  size_t Size() const { return size_; }

  // Fills out[0 .. bins-1] with the values of the wall-time window (now - span, now] cut into
  // `bins` equal bins, oldest first: each bin holds the largest value taken in it or, when none
  // was, the value before it, so that the plot holds a level between samples. Before the first
  // value held, bins read 0.
  void Resample(double now, double span, float* out, int bins) const;

 private:
  struct Sample {
    double time;
    float value;
  };
  const Sample& At(size_t k) const;  // k = 0 is the oldest value held

  std::vector<Sample> ring_;
  size_t first_ = 0;
  size_t size_ = 0;
};
