#include <gtest/gtest.h>

#include <string>

#include "fingerprint.h"
#include "inspect/frame-advance.h"
#include "inspect/frame-pacer.h"
#include "inspect/session-file.h"
#include "inspect/timeline.h"
#include "quiet-scene.h"

namespace {

// A demo's run without its window: the globals the timeline acts on, advanced frame by frame.
struct HeadlessDemo : QuietScene {
  explicit HeadlessDemo(unsigned seed) : QuietScene(seed) { control.experiment.seed = seed; }
  void Frames(int n) {
    for (int k = 0; k < n; ++k) {
      timeline.CarryOutDue();
      AdvanceFrame(scene, control.started, pacer, 0.0, step, nullptr, false, nullptr, &timeline);
    }
  }
  ExperimentControl control;
  float step = 0.1f;
  BodyPull pull;
  FramePacer pacer;
  Timeline timeline{RunParts{scene, control, step, pull}};
};

SessionAction Action(ActionKind kind) {
  SessionAction action;
  action.kind = kind;
  return action;
}

}  // namespace

TEST(Session, ARecordedRunOfEveryActionReplaysToTheSameFingerprint) {
  ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
  const std::string path = ::testing::TempDir() + "every-action.session";
  uint64_t recorded = 0;
  {
    HeadlessDemo demo(11);
    std::string problem;
    ASSERT_TRUE(demo.timeline.Record(path.c_str(), problem)) << problem;
    demo.timeline.Perform(Action(ActionKind::Start));
    demo.Frames(12);
    demo.scene.slide = 0.02f;  // the panel's spinners change these in place
    demo.step = 0.05f;
    demo.pull.Begin(demo.scene.bodies_system, 2, demo.scene.bodies_system.Body(2)->position);
    for (int k = 0; k < 6; ++k) {
      demo.pull.MoveTarget(Vec3(0.5f * k, 0, -3));
      demo.Frames(1);
    }
    demo.pull.End();
    demo.Frames(5);
    demo.timeline.history().Browse(-9, demo.scene);  // back into the pull; resuming branches there
    demo.scene.bodies_system.SetRK4();
    demo.Frames(8);
    demo.timeline.Perform(Action(ActionKind::Enter));  // the same shot again, bit for bit
    demo.Frames(4);
    demo.scene.roll = 0.03f;
    demo.timeline.Perform(Action(ActionKind::Reset));
    demo.control.experiment.aim = Shot{Vec3(0.6f, 0, -0.8f), 9.5f};
    demo.timeline.Perform(Action(ActionKind::Start));
    demo.Frames(20);
    SessionAction scene_change = Action(ActionKind::Scene);
    scene_change.scene = SceneKind::Glancing;
    demo.timeline.Perform(scene_change);
    demo.timeline.Perform(Action(ActionKind::Start));
    demo.Frames(15);
    demo.timeline.history().Browse(-3, demo.scene);  // quitting while looking back ends there
    demo.timeline.Finish();
    recorded = StateFingerprint(demo.scene.bodies_system);
  }
  Session session;
  std::string problem;
  ASSERT_TRUE(ReadSession(path.c_str(), session, problem)) << problem;
  EXPECT_TRUE(session.ended);
  int rewinds = 0, targets = 0;
  for (const SessionAction& a : session.actions) {
    rewinds += a.kind == ActionKind::Rewind;
    targets += a.kind == ActionKind::Target;
  }
  EXPECT_EQ(rewinds, 2);
  EXPECT_EQ(targets, 6);

  Scene replayed;
  uint64_t iterations = 0;
  testing::internal::CaptureStderr();
  const bool finished = ReplaySessionHeadless(session, replayed, problem, &iterations);
  testing::internal::GetCapturedStderr();
  ASSERT_TRUE(finished) << problem;
  EXPECT_EQ(iterations, session.actions.back().iteration);
  EXPECT_EQ(StateFingerprint(replayed.bodies_system), recorded);
}

TEST(Session, BadFilesAreRefusedWithTheirLine) {
  ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
  const std::string head = "quorvel-session 1\nscene break\nseed 4\nbodies 0\nmodel 3\n";
  struct Bad {
    std::string text, message;
  };
  const Bad bad[] = {
      {"quorvel-session 2\n", "f: line 1: session version '2' is not known"},
      {"quorvel-movie 1\n", "f: line 1: not a session file"},
      {head + "0 start own 1 0\n", "f: line 6: malformed: start takes 5 values, not 3"},
      {head + "0 start own 1 0 x 15\n", "f: line 6: malformed: start: 'x' is not a number"},
      {head + "0 jump\n", "f: line 6: malformed: unknown action 'jump'"},
      {head + "5 reset\n4 reset\n", "f: line 7: stamped at iteration 4, before the previous action's 5"},
      {"quorvel-session 1\nscene snooker\n", "f: line 2: unknown scene 'snooker'"},
      {head + "0 scene snooker\n", "f: line 6: malformed: unknown scene 'snooker'"},
      {"quorvel-session 1\nscene break\nseed 4\nbodies 0\nmodel 42\n", "f: line 5: model 42 does not exist"},
      {head + "0 start own 1 0 0 15", "f: line 6: truncated"},
      {"quorvel-session 1\nscene break\n0 reset\n", "f: line 3: the option seed must come before the actions"},
      {head + "3 end\n3 reset\n", "f: line 7: nothing may follow end"},
  };
  for (const Bad& b : bad) {
    Session session;
    std::string problem;
    EXPECT_FALSE(ParseSession(b.text, "f", session, problem)) << b.text;
    EXPECT_EQ(problem.rfind(b.message, 0), 0u) << problem;
  }
  Session session;
  std::string problem;
  EXPECT_FALSE(ReadSession("/nonexistent/x.session", session, problem));
  EXPECT_NE(problem.find("cannot be read"), std::string::npos);

  // Readable but not playable to its end: never reported as finished.
  const Bad unplayable[] = {
      {head + "0 start own 1 0 0 15\n3 end\n", "line 6: the shot taken is not the recorded one"},
      {head + "0 reset\n7 end\n", "line 7: stamped at iteration 7, but no run is started"},
      {head + "0 start aimed 0 0 -1 15\n5 rewind 9\n", "line 7: rewind to iteration 9, which the history"},
      {head + "0 start aimed 0 0 -1 15\n5 rewind 2\n", "line 7: the session stops here without its end line"},
  };
  for (const Bad& b : unplayable) {
    ASSERT_TRUE(ParseSession(b.text, "f", session, problem)) << problem;
    Scene scene;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ReplaySessionHeadless(session, scene, problem)) << b.text;
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(problem.rfind(b.message, 0), 0u) << problem;
  }
}
