#include "app/demo-session.h"

#include <cstdio>
#include <cstdlib>

#include "app/app-globals.h"
#include "app/panel/panel-host.h"
#include "fingerprint.h"

namespace {

// A replay is playing and the user has not yet been told how it ended.
bool replay_untold = false;

// At exit, also through the window system's own exit: a browsed state becomes the run's, the end
// line is written, and the fingerprint printed if asked for.
void EndRun() {
  timeline.Finish();
  if (print_fingerprint_at_exit)
    std::fprintf(stderr, "fingerprint %016llx\n", static_cast<unsigned long long>(StateFingerprint(bodies_system)));
}

}  // namespace

bool PrepareDemoSession(const SessionFlags& options, Session& session) {
  if (!options.replay) return true;
  std::string problem;
  if (!ReadSession(options.replay, session, problem)) {
    std::fprintf(stderr, "quorvel: %s\n", problem.c_str());
    return false;
  }
  experiment = ExperimentOf(session.options);
  return true;
}

bool BeginDemoSession(const SessionFlags& options, const Session& session) {
  print_fingerprint_at_exit = options.fingerprint;
  shots_folder = options.shots;
  if (options.record) {
    std::string problem;
    if (!timeline.Record(options.record, problem)) {
      std::fprintf(stderr, "quorvel: %s\n", problem.c_str());
      return false;
    }
    std::fprintf(stderr, "Recording the session into %s\n", options.record);
  }
  if (options.replay) {
    replay_file = options.replay;
    timeline.Replay(session);
    replay_untold = true;
    std::fprintf(stderr, "Replaying %s (any change of yours ends the replay)\n", options.replay);
  }
  std::atexit(EndRun);
  return true;
}

void FollowReplay() {
  const int method = bodies_system.use_rk4 ? 1 : 0;
  if (method != sim_method) {
    sim_method = method;
    SyncLiveVariables();
  }
  if (!replay_untold) return;
  const unsigned long long iteration = timeline.iterations();
  if (timeline.replay_finished()) {
    std::fprintf(stderr, "Replay of %s played to its end at iteration %llu; paused there\n", replay_file, iteration);
    if (!close_look.pacer.paused()) close_look.pacer.TogglePause();
    timeline.AcknowledgeReplayEnd();
  } else if (!timeline.replay_problem().empty()) {
    std::fprintf(stderr, "Replay of %s stopped: %s; going on live\n", replay_file, timeline.replay_problem().c_str());
    timeline.AcknowledgeReplayEnd();
  } else if (timeline.replaying()) {
    return;  // still playing
  } else {
    std::fprintf(stderr, "Replay of %s ended by a change of yours at iteration %llu; going on live\n", replay_file,
                 iteration);
  }
  replay_untold = false;
}
