#pragma once
// What the settling benchmark (RBSystem::RunPerformanceAnalysis) lets its callers see besides its
// console lines: the iterations one by one (progress, a trace) and a report of the figures.

#include "simulation-iteration.h"

class RBSystem;

// Told of every iteration the benchmark runs. Settling iterations are numbered from 1; timed
// ones from 0 to timed_total - 1.
class PerformanceObserver {
 public:
  virtual ~PerformanceObserver() = default;
  // Whether every iteration should time its three parts (a few clock reads each).
  virtual bool WantsTiming() const { return false; }
  virtual void Settling(long /*iteration*/, const IterationStats& /*stats*/) {}
  virtual void SettlingDone() {}
  virtual void Timed(int /*iteration*/, int /*timed_total*/, const IterationStats& /*stats*/) {}
  virtual void TimedDone() {}
};

struct PerformanceReport {
  long settling_iterations = 0;
  // Whether an iteration free of contacts came (the settling loop's end); false when the loop gave
  // up at its bound. The balls may well still be moving.
  bool contact_free_reached = true;
  int timed_iterations = 0;
  double seconds_per_iteration = 0;  // processor time
  // Sums over the timed iterations, both passes together.
  long long queries = 0;     // collision queries run
  long long replayed = 0;    // answered from the pair's previous, bit-identical query
  long long skipped = 0;     // body pairs whose bounding balls were apart
  long long box_visits = 0;  // bounding-volume pairs visited by the queries run
};

// The benchmark's settling loop, after its shot: whole iterations of step h until one is free of
// contacts (none when the last pass already was), at most 100,000 of them, after which it says
// so on the standard error stream and gives up. Returns the iterations run; contact_free, if given,
// tells whether the loop ended free of contacts. The observer, if any, is told of each.
long SettleSystem(RBSystem& bodies, RBSystem& environment, float h, PerformanceObserver* observer = nullptr,
                  bool* contact_free = nullptr);
