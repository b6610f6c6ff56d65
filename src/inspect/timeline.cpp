#include "inspect/timeline.h"

#include <cerrno>
#include <cstring>

#include "collision-workspace.h"
#include "inspect/frame-advance.h"
#include "inspect/frame-pacer.h"

namespace {

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameShot(const Shot& a, const Shot& b) {
  return SameBits(a.direction.x, b.direction.x) && SameBits(a.direction.y, b.direction.y) &&
         SameBits(a.direction.z, b.direction.z) && SameBits(a.speed, b.speed);
}

std::string AtLine(const SessionAction& action) { return "line " + std::to_string(action.line) + ": "; }

}  // namespace

Timeline::Timeline(RunParts parts) : parts_(parts) {
  slide_ = parts_.scene.slide;
  roll_ = parts_.scene.roll;
  step_ = parts_.step;
  rk4_ = parts_.scene.bodies_system.use_rk4 != 0;
}

Timeline::~Timeline() {
  if (file_) std::fclose(file_);
}

bool Timeline::Record(const char* path, std::string& problem) {
  file_ = std::fopen(path, "w");
  if (!file_) {
    problem = std::string("cannot write the session file '") + path + "': " + std::strerror(errno);
    return false;
  }
  const Experiment& e = parts_.control.experiment;
  std::fputs(FormatSessionHeader(SessionOptions{e.kind, e.seed, e.bodies, e.model}).c_str(), file_);
  // The settings as they are, so that the replay begins from them whatever its defaults.
  slide_ = parts_.scene.slide;
  roll_ = parts_.scene.roll;
  step_ = parts_.step;
  rk4_ = parts_.scene.bodies_system.use_rk4 != 0;
  SessionAction a;
  a.kind = ActionKind::Slide;
  a.value = slide_;
  Write(a);
  a.kind = ActionKind::Roll;
  a.value = roll_;
  Write(a);
  a.kind = ActionKind::Step;
  a.value = step_;
  Write(a);
  a.kind = ActionKind::Integrator;
  a.rk4 = rk4_;
  Write(a);
  return true;
}

void Timeline::Write(SessionAction action) {
  if (!file_) return;
  action.iteration = iterations_;
  std::fputs(FormatSessionAction(action).c_str(), file_);
  std::fflush(file_);
}

void Timeline::Replay(const Session& session) {
  replay_copy_ = session;
  replay_ = &replay_copy_;
  next_ = 0;
  replay_finished_ = false;
  replay_problem_.clear();
}

void Timeline::StopReplay() {
  replay_ = nullptr;
  replay_finished_ = false;
}

void Timeline::Apply(const SessionAction& action) {
  Scene& scene = parts_.scene;
  RBSystem& bodies = scene.bodies_system;
  switch (action.kind) {
    case ActionKind::Start:
      PressStart(scene, parts_.control);
      history_.Clear();
      break;
    case ActionKind::Reset:
      PressReset(scene, parts_.control);
      history_.Clear();
      break;
    case ActionKind::Enter:
      if (RepeatShot(scene, parts_.control)) history_.Clear();
      break;
    case ActionKind::Scene:
      parts_.pull.End();
      pulling_ = false;
      SwitchScene(scene, parts_.control, action.scene);
      history_.Clear();
      break;
    case ActionKind::Slide: scene.slide = slide_ = action.value; break;
    case ActionKind::Roll: scene.roll = roll_ = action.value; break;
    case ActionKind::Step: parts_.step = step_ = action.value; break;
    case ActionKind::Integrator:
      rk4_ = action.rk4;
      if (rk4_)
        bodies.SetRK4();
      else
        bodies.SetEuler();
      break;
    case ActionKind::Pull:
      parts_.pull.BeginAtOffset(bodies, action.body, action.point);
      pulling_ = true;
      pulls_begun_ = parts_.pull.pulls_begun();
      break;
    case ActionKind::Target: parts_.pull.MoveTarget(action.point); break;
    case ActionKind::Release:
      parts_.pull.End();
      pulling_ = false;
      break;
    case ActionKind::Rewind:
      history_.Restore(action.back_to, scene);
      history_.DropAfter(action.back_to);
      break;
    case ActionKind::End: break;
  }
}

void Timeline::Watch() {
  Scene& scene = parts_.scene;
  const bool rk4 = scene.bodies_system.use_rk4 != 0;
  const BodyPull& pull = parts_.pull;
  const bool new_pull = pull.active() && (!pulling_ || pull.pulls_begun() != pulls_begun_);
  const bool released = pulling_ && (!pull.active() || new_pull);
  const bool changed = !SameBits(scene.slide, slide_) || !SameBits(scene.roll, roll_) ||
                       !SameBits(parts_.step, step_) || rk4 != rk4_ || new_pull || released;
  if (!changed) return;
  if (replay_) StopReplay();  // the user changed something: the run goes on live from here
  SessionAction a;
  if (!SameBits(scene.slide, slide_)) {
    a.kind = ActionKind::Slide;
    a.value = slide_ = scene.slide;
    Write(a);
  }
  if (!SameBits(scene.roll, roll_)) {
    a.kind = ActionKind::Roll;
    a.value = roll_ = scene.roll;
    Write(a);
  }
  if (!SameBits(parts_.step, step_)) {
    a.kind = ActionKind::Step;
    a.value = step_ = parts_.step;
    Write(a);
  }
  if (rk4 != rk4_) {
    a.kind = ActionKind::Integrator;
    a.rk4 = rk4_ = rk4;
    Write(a);
  }
  if (released) {
    a.kind = ActionKind::Release;
    Write(a);
    pulling_ = false;
  }
  if (new_pull) {
    a.kind = ActionKind::Pull;
    a.body = pull.body();
    a.point = pull.GripOffset();
    Write(a);
    pulling_ = true;
    pulls_begun_ = pull.pulls_begun();
  }
}

void Timeline::Settle() {
  if (history_.browsing()) {
    if (replay_) StopReplay();
    SessionAction a;
    a.kind = ActionKind::Rewind;
    a.back_to = history_.shown();
    history_.DropAfter(a.back_to);
    Write(a);
  }
  Watch();
}

void Timeline::Perform(SessionAction action) {
  if (replay_) StopReplay();
  Settle();
  const bool aimed = parts_.control.experiment.aim.has_value();
  if (action.kind == ActionKind::Enter && !parts_.control.experiment.last_shot) return;  // nothing to repeat
  Apply(action);
  if (action.kind == ActionKind::Start) {
    action.shot = *parts_.control.experiment.last_shot;
    action.aimed = aimed;
  }
  Write(action);
}

bool Timeline::ReplayStep(const SessionAction& action, std::string& problem) {
  switch (action.kind) {
    case ActionKind::Start:  // the recorded aim, or none, whatever was aimed meanwhile
      if (action.aimed)
        parts_.control.experiment.aim = action.shot;
      else
        parts_.control.experiment.aim.reset();
      break;
    case ActionKind::Pull:
      if (action.body >= parts_.scene.bodies_system.BodyCount()) {
        problem = AtLine(action) + "pull on body " + std::to_string(action.body) + ", which the scene does not have";
        return false;
      }
      break;
    case ActionKind::Rewind:
      if (!history_.Holds(action.back_to)) {
        problem = AtLine(action) + "rewind to iteration " + std::to_string(action.back_to) +
                  ", which the history does not hold";
        return false;
      }
      break;
    case ActionKind::End:
      Apply(action);
      replay_ = nullptr;
      replay_finished_ = true;
      return true;
    default: break;
  }
  Apply(action);
  if (action.kind == ActionKind::Start && !SameShot(*parts_.control.experiment.last_shot, action.shot)) {
    problem = AtLine(action) + "the shot taken is not the recorded one (was it recorded by another version?)";
    return false;
  }
  return true;
}

void Timeline::CarryOutDue() {
  while (replay_ && next_ < replay_->actions.size() && replay_->actions[next_].iteration <= iterations_) {
    const SessionAction& action = replay_->actions[next_++];
    std::string problem;
    if (!ReplayStep(action, problem)) {
      replay_problem_ = problem;
      StopReplay();
      return;
    }
  }
  if (!replay_) return;
  if (next_ == replay_->actions.size()) {  // no end line: nothing is known beyond the last action
    const SessionAction& last = replay_->actions.back();
    replay_problem_ = AtLine(last) + "the session stops here without its end line; replayed to iteration " +
                      std::to_string(iterations_) + " only";
    StopReplay();
  } else if (!parts_.control.started) {
    replay_problem_ = AtLine(replay_->actions[next_]) + "stamped at iteration " +
                      std::to_string(replay_->actions[next_].iteration) + ", but no run is started to get there";
    StopReplay();
  }
}

bool Timeline::BeforeIteration() {
  CarryOutDue();
  if (replay_finished_) return false;
  Settle();
  if (!parts_.control.started) return false;
  if (history_.empty()) history_.Record(parts_.scene, IterationStats(), parts_.scene.bodies_system.Workspace().record);
  if (file_ && parts_.pull.active()) {
    SessionAction a;
    a.kind = ActionKind::Target;
    a.point = parts_.pull.Target();
    Write(a);
  }
  return true;
}

void Timeline::AfterIteration(const IterationStats& stats, const ContactRecord* record) {
  ++iterations_;
  history_.Record(parts_.scene, stats, record);
}

void Timeline::Finish() {
  Settle();
  if (!file_) return;
  SessionAction a;
  a.kind = ActionKind::End;
  Write(a);
  std::fclose(file_);
  file_ = nullptr;
}

bool ReplaySessionHeadless(const Session& session, Scene& scene, std::string& problem, uint64_t* iterations) {
  ExperimentControl control;
  control.experiment = ExperimentOf(session.options);
  SetUpExperiment(scene, control.experiment);
  float step = 0.1f;
  BodyPull pull;
  Timeline timeline(RunParts{scene, control, step, pull});
  timeline.Replay(session);
  FramePacer pacer;  // every frame: one iteration a frame
  for (;;) {
    timeline.CarryOutDue();
    if (!timeline.replaying()) break;
    AdvanceFrame(scene, control.started, pacer, 0.0, step, nullptr, false, nullptr, &timeline);
  }
  if (iterations) *iterations = timeline.iterations();
  problem = timeline.replay_problem();
  return timeline.replay_finished() && problem.empty();
}
