#include "bench-observer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "inspect/state-history.h"

BenchObserver::BenchObserver(bool progress, std::FILE* trace, const char* trace_path)
    : progress_(progress), trace_(trace), trace_path_(trace_path) {
  if (trace_)
    CheckWritten(std::fprintf(trace_,
                 "phase,iteration,time,body_contacts,wall_contacts,queries,replayed,skipped,box_visits,"
                 "step_us,body_pass_us,wall_pass_us\n"));
}

void BenchObserver::CheckWritten(int result) {
  if (result >= 0) return;
  const int reason = errno;
  ClearLine();
  std::fprintf(stderr, "quorvel-bench: writing the trace file '%s' failed: %s\n", trace_path_, std::strerror(reason));
  std::exit(1);
}

bool BenchObserver::Due() {
  const auto now = std::chrono::steady_clock::now();
  if (line_shown_ && now - last_update_ < std::chrono::milliseconds(100)) return false;
  last_update_ = now;
  line_shown_ = true;
  return true;
}

void BenchObserver::ClearLine() {
  if (!line_shown_) return;
  std::fputs("\r\033[K", stderr);
  line_shown_ = false;
}

void BenchObserver::TraceRow(const char* phase, long iteration, const IterationStats& stats) {
  CheckWritten(std::fprintf(trace_, "%s,%ld,%.9g,%d,%d,%d,%d,%d,%lld,%.3f,%.3f,%.3f\n", phase, iteration, stats.time,
               stats.body.contacts,
               stats.wall.contacts, stats.body.queries + stats.wall.queries, stats.body.replayed + stats.wall.replayed,
               stats.body.skipped + stats.wall.skipped, stats.body.box_visits + stats.wall.box_visits,
               1e6 * stats.step_seconds, 1e6 * stats.body_pass_seconds, 1e6 * stats.wall_pass_seconds));
}

void BenchObserver::Keep(const IterationStats& stats) {
  if (history_) history_->Record(*scene_, stats, nullptr);
}

void BenchObserver::Settling(long iteration, const IterationStats& stats) {
  Keep(stats);
  if (trace_) TraceRow("settling", iteration, stats);
  // Checking the clock every 64th iteration keeps the progress line's cost out of the figures.
  if (progress_ && (iteration & 63) == 1 && Due())
    std::fprintf(stderr, "\r\033[Ksettling: iteration %ld, contacts left %d", iteration,
                 stats.body.contacts + stats.wall.contacts);
}

void BenchObserver::SettlingDone() {
  if (progress_) ClearLine();
}

void BenchObserver::Timed(int iteration, int timed_total, const IterationStats& stats) {
  Keep(stats);
  if (trace_) TraceRow("timed", iteration, stats);
  if (progress_ && (iteration & 63) == 0 && Due())
    std::fprintf(stderr, "\r\033[Ktimed iterations: %d%%", 100 * iteration / timed_total);
}

void BenchObserver::TimedDone() {
  if (progress_) ClearLine();
  // The last rows still in the buffer: their failure, too, comes before the result line.
  if (trace_) CheckWritten(std::fflush(trace_));
}
