#pragma once
// How the demo's drawn frames take simulation iterations. By default every frame takes one, so
// simulated time runs as fast as frames are drawn; "real time" takes one whenever a step's worth
// of wall-clock time has passed, so simulated time keeps up with the clock; "slow x10" does the
// same at a tenth of the speed. Pausing stops the iterations, and a single step asked for while
// paused makes the next frame take exactly one.
//
// The wall clock is handed in at every frame (seconds from any fixed origin, never decreasing),
// so the pacing runs on the real clock in the demo and on a made-up one in tests.

enum class Pacing { kEveryFrame, kRealTime, kSlowTen };

// "every frame", "real time", "slow x10".
const char* PacingName(Pacing pacing);

class FramePacer {
 public:
  // At most this many iterations in one frame: wall time a slow frame owes beyond them is
  // dropped, so that a frame too slow for the clock does not make the next one slower still.
  static constexpr int kMostIterationsPerFrame = 8;

  // The number of iterations the frame drawn at wall time `now` takes, with h simulated seconds
  // per iteration (h > 0). Paused: 1 when a single step is waiting, else 0. Every frame: 1.
  // Real time (slow x10): one for each h (10 h) seconds of wall time since the previous frame,
  // the remainder carried over; the first frame after the clock was (re)started takes none.
  int IterationsDue(double now, float h);

  // Frames drawn while the simulation is not started call this instead: nothing is owed for the
  // time they take, and waiting single steps are dropped.
  void Hold();

  // Pauses or resumes; either way the clock starts afresh and waiting single steps are dropped.
  void TogglePause();
  bool paused() const { return paused_; }

  // While paused, one more frame takes one iteration (one frame per request); ignored when
  // running.
  void RequestSingleStep();

  // every frame -> real time -> slow x10 -> every frame; the clock starts afresh.
  void CycleMode();
  Pacing mode() const { return mode_; }

 private:
  Pacing mode_ = Pacing::kEveryFrame;
  bool paused_ = false;
  int single_steps_ = 0;
  bool clock_running_ = false;
  double last_frame_ = 0;  // wall time of the previous frame while the clock runs
  double owed_ = 0;        // wall seconds not yet turned into iterations
};
