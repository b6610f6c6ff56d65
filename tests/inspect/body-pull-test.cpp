// The spring that pulls a held body: the force it gives, a pull that brings the body to the
// target, and a release after which the body feels exactly what it felt before.

#include "inspect/body-pull.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "quiet-scene.h"
#include "inspect/spring-damper.h"

TEST(SpringDamper, PullsTheHeldPointTowardsTheTargetAndDampsTheMotion) {
  RigidBody body;
  body.SetMass(10.0f);
  body.position = Vec3(1, 0, 0);
  SpringDamper spring;
  spring.grip_offset = Vec3(0, 0.5f, 0);
  spring.target = Vec3(3, 0.5f, 0);  // 2 beyond the held point along x
  Vec3 f = spring.ComputeForce(body.mass, body, Vec3());
  EXPECT_FLOAT_EQ(f.x, 10 * 16 * 2.0f);
  EXPECT_EQ(f.y, 0.0f);
  EXPECT_EQ(f.z, 0.0f);
  f = spring.ComputeForce(body.mass, body, Vec3(1, 0, -2));
  EXPECT_FLOAT_EQ(f.x, 10 * (16 * 2.0f - 8));
  EXPECT_FLOAT_EQ(f.z, 10 * 8 * 2.0f);
  spring.target = Vec3(1, 0.5f, 0);
  EXPECT_EQ(spring.ComputeForce(body.mass, body, Vec3()).Length(), 0.0f) << "at the target, at rest";
  spring.target = Vec3(1, 7, 0);
  EXPECT_EQ(spring.ComputeForce(body.mass, body, Vec3(0, -3, 0)).Length(), 0.0f)
      << "above the held point, or moving vertically: nothing, the pull is in the floor's plane";
  EXPECT_EQ(spring.ComputeTorque(body, Vec3(5, 5, 5)).Length(), 0.0f) << "through the centre";
}

// At rest, the pull grows with the distance up to kMaxStretch and stays there beyond it, in
// the direction of the target.
TEST(SpringDamper, APullFromFarAwayIsCapped) {
  RigidBody body;
  body.SetMass(2.0f);
  SpringDamper spring;
  const float cap = SpringDamper::kMaxStretch;
  for (int k = 1; k <= 100; ++k) {
    const float distance = 0.125f * k;
    spring.target = Vec3(0.6f * distance, 5, -0.8f * distance);
    const Vec3 f = spring.ComputeForce(body.mass, body, Vec3());
    const float expected = 2 * SpringDamper::kStiffness * std::min(distance, cap);
    EXPECT_NEAR(f.Length(), expected, 1e-4f * expected) << distance;
    EXPECT_NEAR(f.x / f.Length(), 0.6f, 1e-5f) << distance;
    EXPECT_NEAR(f.z / f.Length(), -0.8f, 1e-5f) << distance;
  }
}

// Body 3, at the edge of the rack, is held 0.5 above its centre and pulled 6 to the side, away
// from the others: it gets there
// and settles without overshooting far, at the largest step the panel allows and at the
// smallest; released, its forces and the force list are as they were.
TEST(BodyPull, BringsTheBodyToTheTargetAndVanishesOnRelease) {
  for (float h : {0.2f, 0.01f}) {
    QuietScene quiet(8);
    Scene& scene = quiet.scene;
    RBSystem& bodies = scene.bodies_system;
    RigidBody& held = *bodies.Body(3);
    const Vec3 start = held.position;
    const Vec3 grip = start + Vec3(0, 0.5f, 0);
    const Vec3 goal = grip + Vec3(6, 0, 0);

    BodyPull pull;
    EXPECT_FALSE(pull.active());
    pull.Begin(bodies, 3, grip);
    ASSERT_TRUE(pull.active());
    EXPECT_EQ(pull.body(), 3u);
    EXPECT_EQ(held.force_count, 3);
    EXPECT_EQ(scene.global_forces.Count(), 21);
    held.UpdateDerived();
    held.ComputeForceAndTorque(scene.global_forces);
    EXPECT_EQ(held.force.Length(), 0.0f) << "held where it is: no pull yet";

    pull.MoveTarget(goal);
    EXPECT_EQ(pull.Target().x, goal.x);
    held.ComputeForceAndTorque(scene.global_forces);
    EXPECT_GT(held.force.x, 0.0f);
    EXPECT_EQ(held.force.z, 0.0f);

    float farthest = 0;
    const int iterations = static_cast<int>(4.0f / h);
    for (int n = 0; n < iterations; ++n) {
      RunSimulationIteration(scene.bodies_system, scene.environment_system, h);
      ApplyRollingRule(scene);
      farthest = std::max(farthest, held.position.x - start.x);
    }
    EXPECT_NEAR(held.position.x - start.x, 6.0f, 0.05f) << "step " << h;
    EXPECT_NEAR(pull.HeldPoint().x, goal.x, 0.05f);
    EXPECT_LT(farthest, 6.3f) << "critically damped: no wide overshoot";

    pull.End();
    EXPECT_FALSE(pull.active());
    EXPECT_EQ(held.force_count, 2);
    EXPECT_EQ(held.force_ids[0], 6);
    EXPECT_EQ(held.force_ids[1], 7);
    EXPECT_EQ(scene.global_forces.Count(), 20);
    EXPECT_EQ(scene.global_forces.Element(20), nullptr);
    held.ComputeForceAndTorque(scene.global_forces);
    const Vec3 friction = scene.sliding_forces[3]->ComputeForce(held.mass, held, held.velocity) +
                          scene.rolling_forces[3]->ComputeForce(held.mass, held, held.velocity);
    EXPECT_EQ(held.force.x, friction.x) << "only the friction is left";
    EXPECT_EQ(held.force.z, friction.z);
    pull.End();  // a second release changes nothing
    EXPECT_EQ(scene.global_forces.Count(), 20);
  }
}

// A pull towards a point far above and beside the rack, for many iterations: it moves the held
// ball, and no body gains vertical speed or leaves its height (the model has no gravity to take
// a vertical momentum away again).
TEST(BodyPull, NeverMovesABodyVertically) {
  QuietScene quiet(8);
  Scene& scene = quiet.scene;
  RBSystem& bodies = scene.bodies_system;
  std::vector<float> height, vertical_momentum;
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    height.push_back(bodies.Body(i)->position.y);
    vertical_momentum.push_back(bodies.Body(i)->linear_momentum.y);
  }
  const Vec3 start = bodies.Body(3)->position;
  BodyPull pull;
  pull.Begin(bodies, 3, start + Vec3(0.3f, 0.7f, 0));
  pull.MoveTarget(start + Vec3(5, 9, -2));
  for (int n = 0; n < 400; ++n) {
    RunSimulationIteration(scene.bodies_system, scene.environment_system, 0.1f);
    ApplyRollingRule(scene);
  }
  EXPECT_GT(bodies.Body(3)->position.x - start.x, 4.0f) << "the pull did move the ball";
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    EXPECT_EQ(bodies.Body(i)->position.y, height[i]) << i;
    EXPECT_EQ(bodies.Body(i)->linear_momentum.y, vertical_momentum[i]) << i;
    EXPECT_EQ(bodies.Body(i)->velocity.y, 0.0f) << i;
  }
}

// A pull begun while another is under way ends the first; destroying a pull releases it.
TEST(BodyPull, OnePullAtATime) {
  QuietScene quiet(8);
  RBSystem& bodies = quiet.scene.bodies_system;
  {
    BodyPull pull;
    pull.Begin(bodies, 1, bodies.Body(1)->position);
    pull.Begin(bodies, 2, bodies.Body(2)->position);
    EXPECT_EQ(bodies.Body(1)->force_count, 2);
    EXPECT_EQ(bodies.Body(2)->force_count, 3);
    EXPECT_EQ(quiet.scene.global_forces.Count(), 21);
  }
  EXPECT_EQ(bodies.Body(2)->force_count, 2);
  EXPECT_EQ(quiet.scene.global_forces.Count(), 20);
}
