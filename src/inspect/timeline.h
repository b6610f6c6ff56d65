#pragma once
// The run as a line of iterations that can be gone back along, written down and played again: it
// owns the history of states, counts the iterations run, carries out the actions that change
// the simulation (the user's, or a session's being replayed) and, while recording, writes each
// of them to a session file as it happens, flushed, so that a crash loses at most the last.
//
// Actions come two ways. Discrete ones (Start, Reset, Enter, a scene change) are handed to
// Perform. Settings the panel changes in place (slide, roll, step, integrator) and the pull on a
// ball are watched instead: before every iteration and every action their values are compared
// with the last ones written, and whatever changed is written then. A state browsed back to in
// the history becomes the run's (a rewind, later history dropped) when the next iteration or
// action comes.
//
// While a session plays, its actions are carried out when the iteration count reaches their
// stamps; an action of the user's (or a change to a watched setting) ends the replay there and
// the run goes on live.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "inspect/body-pull.h"
#include "inspect/experiment-control.h"
#include "inspect/session-file.h"
#include "inspect/state-history.h"
#include "scene.h"
#include "scenes/experiment.h"

// What actions act on: the demo's globals, or a headless replay's own.
struct RunParts {
  Scene& scene;
  ExperimentControl& control;  // the experiment, and whether it is started
  float& step;                 // simulated time per iteration
  BodyPull& pull;
};

class Timeline {
 public:
  explicit Timeline(RunParts parts);
  ~Timeline();
  Timeline(const Timeline&) = delete;
  Timeline& operator=(const Timeline&) = delete;

  StateHistory& history() { return history_; }
  const StateHistory& history() const { return history_; }
  // Iterations run since the timeline began: the stamps of a session.
  uint64_t iterations() const { return iterations_; }
  float step() const { return parts_.step; }

  // Starts writing a session to path: the header with the experiment's options, then the
  // settings as they are. False, with a message, when the file cannot be written.
  bool Record(const char* path, std::string& problem);
  bool recording() const { return file_ != nullptr; }

  // Plays a session's actions from now on (the timeline should be fresh, the scene set up from
  // the session's options).
  void Replay(const Session& session);
  bool replaying() const { return replay_ != nullptr; }
  // A replay reached its end line: no iteration runs until the user acts.
  bool replay_finished() const { return replay_finished_; }
  // Why the replay stopped before its end, if it did ("" otherwise).
  const std::string& replay_problem() const { return replay_problem_; }
  // Ends a replay; the run goes on live from where it is.
  void StopReplay();
  // The demo has told the user how the replay ended: iterations may run again, the message goes.
  void AcknowledgeReplayEnd() {
    replay_finished_ = false;
    replay_problem_.clear();
  }

  // Carries out one of the user's actions (Start, Reset, Enter or Scene; a Start's shot is
  // filled in from what was taken) and writes it when recording. Ends a replay.
  void Perform(SessionAction action);
  // Carries out the replay's actions that are due now. Call at every frame, before iterating.
  void CarryOutDue();

  // Around every iteration. BeforeIteration makes a browsed state the run's, writes what changed,
  // carries out the replay's due actions and keeps the state before a run's first iteration;
  // false when no iteration may run (not started, or a replay at its end). AfterIteration keeps
  // the state the iteration left, with what it measured and found.
  bool BeforeIteration();
  void AfterIteration(const IterationStats& stats, const ContactRecord* record);

  // At the end of the run: a browsed state becomes the run's and, when recording, the end line
  // is written and the file closed.
  void Finish();

 private:
  void Apply(const SessionAction& action);
  void Write(SessionAction action);
  // Writes the watched values that changed (or, replaying, ends the replay when the user changed
  // one); a browsed state becomes the run's.
  void Settle();
  void Watch();
  bool ReplayStep(const SessionAction& action, std::string& problem);

  RunParts parts_;
  StateHistory history_;
  uint64_t iterations_ = 0;
  std::FILE* file_ = nullptr;
  // The watched values as last written or replayed.
  float slide_ = 0, roll_ = 0, step_ = 0;
  bool rk4_ = false;
  bool pulling_ = false;
  uint64_t pulls_begun_ = 0;
  // Replaying.
  const Session* replay_ = nullptr;
  Session replay_copy_;
  size_t next_ = 0;
  bool replay_finished_ = false;
  std::string replay_problem_;
};

// Plays a session headless as fast as it can, from a scene set up by its options, and leaves
// the final state in the scene. False, with a message naming the line, when the session cannot
// be played to its end (a rewind to a state not held, iterations with nothing started, a shot
// that is not the recorded one). iterations receives the iterations run.
bool ReplaySessionHeadless(const Session& session, Scene& scene, std::string& problem, uint64_t* iterations = nullptr);
