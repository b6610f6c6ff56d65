#include "inspect/state-history.h"

#include <gtest/gtest.h>

#include <vector>

#include "fingerprint.h"
#include "inspect/body-pull.h"
#include "quiet-scene.h"

namespace {

// The pull acts from iteration 6 to the end, its target moving every iteration: the rewound run
// must see the same spring at the same targets to repeat itself.
constexpr int kPullFrom = 6;
Vec3 PullTarget(int iteration) { return Vec3(0.2f * iteration, 0, 10.0f - 0.3f * iteration); }

// Runs iterations first..last of the break with the history recording, and returns the
// fingerprint after each.
std::vector<uint64_t> RunRecording(BreakShot& run, StateHistory& history, BodyPull& pull, int first, int last) {
  std::vector<uint64_t> prints;
  for (int n = first; n <= last; ++n) {
    if (n == kPullFrom) pull.Begin(run.scene.bodies_system, 0, run.scene.bodies_system.Body(0)->position);
    if (pull.active()) pull.MoveTarget(PullTarget(n));
    IterationStats stats;
    run.Iterate(0.1f, &stats);
    history.Record(run.scene, stats, nullptr);
    prints.push_back(StateFingerprint(run.scene.bodies_system));
  }
  return prints;
}

}  // namespace

TEST(StateHistory, RewindingAndResumingRepeatsTheRunBitForBit) {
  for (bool rk4 : {false, true}) {
    SCOPED_TRACE(rk4 ? "rk4" : "euler");
    constexpr int kLast = 30;
    BreakShot run(7, rk4);
    StateHistory history;
    BodyPull pull;
    history.Record(run.scene, IterationStats(), nullptr);  // the state the shot left: iteration 0
    const std::vector<uint64_t> original = RunRecording(run, history, pull, 1, kLast);
    ASSERT_EQ(history.Newest(), static_cast<uint64_t>(kLast));

    // Back before the pull, back into it, and back by one.
    for (int back_to : {2, 12, kLast - 1}) {
      SCOPED_TRACE(back_to);
      history.Restore(static_cast<uint64_t>(back_to), run.scene);
      EXPECT_EQ(StateFingerprint(run.scene.bodies_system), original[back_to - 1]);
      EXPECT_TRUE(history.browsing());
      history.DropAfter(static_cast<uint64_t>(back_to));
      if (back_to < kPullFrom) pull.End();  // the pull had not begun at that point
      const std::vector<uint64_t> again = RunRecording(run, history, pull, back_to + 1, kLast);
      EXPECT_EQ(again, std::vector<uint64_t>(original.begin() + back_to, original.end()));
      EXPECT_EQ(history.Newest(), static_cast<uint64_t>(kLast));
    }
  }
}

TEST(StateHistory, BoundedByCountAndByBytesOldestFirstOut) {
  BreakShot run(3);
  StateHistory unbounded;
  unbounded.Record(run.scene, IterationStats(), nullptr);
  const size_t state_bytes = unbounded.bytes_per_state();
  // Ten bodies: the 64 MB bind before the ten minutes do.
  EXPECT_EQ(unbounded.capacity(), StateHistory::kDefaultMaxBytes / state_bytes);
  EXPECT_LT(unbounded.capacity(), StateHistory::kDefaultMaxStates);

  struct Bound {
    size_t bytes, states, expected_capacity;
  };
  // Just below and at seven states' bytes, and a count of five under ample bytes.
  for (const Bound& bound : {Bound{7 * state_bytes - 1, 100, 6}, Bound{7 * state_bytes, 100, 7},
                             Bound{1000 * state_bytes, 5, 5}}) {
    BreakShot shot(3);
    StateHistory history(bound.bytes, bound.states);
    std::vector<float> times;
    for (int n = 0; n < 20; ++n) {
      if (n > 0) shot.Iterate();
      history.Record(shot.scene, IterationStats(), nullptr);
      times.push_back(shot.scene.bodies_system.time);
    }
    ASSERT_EQ(history.capacity(), bound.expected_capacity);
    EXPECT_EQ(history.size(), bound.expected_capacity);
    EXPECT_EQ(history.Newest(), 19u);
    EXPECT_EQ(history.Oldest(), 20u - bound.expected_capacity);
    EXPECT_FALSE(history.Holds(history.Oldest() - 1));
    // Every state held is the one recorded at its iteration.
    for (uint64_t k = history.Oldest(); k <= history.Newest(); ++k) {
      history.Restore(k, shot.scene);
      EXPECT_EQ(shot.scene.bodies_system.time, times[k]);
    }
    // Browsing stops at either end.
    EXPECT_EQ(history.Browse(-100, shot.scene), history.Oldest());
    EXPECT_EQ(history.Browse(+100, shot.scene), 19u);
  }
}
