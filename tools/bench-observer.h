#pragma once
// What quorvel-bench shows of the benchmark besides its own lines: a progress line on a terminal
// and a trace file with one row per iteration.

#include <chrono>
#include <cstdio>

#include "performance-analysis.h"

class StateHistory;
struct Scene;

class BenchObserver : public PerformanceObserver {
 public:
  // progress: keep one line on the standard error stream up to date. trace: the open file to
  // write rows to, or null; trace_path its name for messages. A row that cannot be written ends
  // the program with exit code 1 and the system's reason, before the benchmark's result line.
  BenchObserver(bool progress, std::FILE* trace, const char* trace_path = "");
  // --history: after every iteration the scene's state is kept in the history, as the demo keeps
  // it, so that the timed figures include what that costs.
  void KeepHistory(StateHistory* history, const Scene* scene) {
    history_ = history;
    scene_ = scene;
  }

  bool WantsTiming() const override { return trace_ != nullptr; }
  void Settling(long iteration, const IterationStats& stats) override;
  void SettlingDone() override;
  void Timed(int iteration, int timed_total, const IterationStats& stats) override;
  void TimedDone() override;

 private:
  // At most ten updates a second: writing a line per iteration would cost more than the
  // iterations of a small scene.
  bool Due();
  void ClearLine();
  void Keep(const IterationStats& stats);
  void TraceRow(const char* phase, long iteration, const IterationStats& stats);
  // Called with what fprintf or fflush returned: on a failure, says why and exits 1.
  void CheckWritten(int result);

  bool progress_;
  std::FILE* trace_;
  const char* trace_path_;
  std::chrono::steady_clock::time_point last_update_;
  bool line_shown_ = false;
  StateHistory* history_ = nullptr;
  const Scene* scene_ = nullptr;
};
