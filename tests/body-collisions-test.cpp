#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "body-fixture.h"

namespace {

float Distance(RigidBody& a, RigidBody& b) { return (a.position - b.position).Length(); }

}  // namespace

// Equal masses meeting head-on along the line of centres swap velocities (restitution 1), end
// apart and flagged, and the spin is re-aimed about the horizontal axis across the new motion.
TEST(BodyCollisions, HeadOnEqualSpheresExchangeVelocities) {
  Bodies bodies(2);
  bodies.Place(0, Vec3(-0.98f, 0, 0), Vec3(2, 0, 0), Vec3(0, 0, 1.5f));
  bodies.Place(1, Vec3(0.98f, 0, 0), Vec3(-1, 0, 0));
  bodies.system.ResolveBodyCollisions();
  EXPECT_NEAR(bodies[0].velocity.x, -1.0f, 1e-5f);
  EXPECT_NEAR(bodies[1].velocity.x, 2.0f, 1e-5f);
  EXPECT_NEAR(bodies[0].linear_momentum.x, -10.0f, 1e-4f);
  EXPECT_EQ(bodies.system.collision_free, 0);
  EXPECT_TRUE(bodies[0].render_model.IsCollided());
  EXPECT_TRUE(bodies[1].render_model.IsCollided());
  EXPECT_GE(Distance(bodies[0], bodies[1]), 1.96f) << "pushed apart until the meshes are disjoint";
  EXPECT_EQ(bodies[1].position.x, 0.98f) << "the faster body alone is moved";
  // Sliding body 0 keeps the size of its spin, turned to (v.z, 0, -v.x) made unit: +z.
  EXPECT_NEAR(bodies[0].angular_momentum.z, 1.5f, 1e-5f);
  EXPECT_NEAR(bodies[0].angular_velocity.z, 1.5f, 1e-5f);
  EXPECT_EQ(bodies[1].angular_momentum.Length(), 0.0f);
}

// Many glancing hits at random offsets: total linear momentum is kept, and the result is
// elastic (kinetic energy kept) whatever the angle.
TEST(BodyCollisions, GlancingHitsConserveMomentumAndEnergy) {
  Bodies bodies(2);
  for (int n = 0; n < 12; ++n) {
    const float offset = -1.9f + 0.33f * n;
    const float gap = std::sqrt(1.97f * 1.97f - offset * offset);
    bodies.Place(0, Vec3(0, 0, 0), Vec3(3, 0, 0.5f));
    bodies.Place(1, Vec3(gap, 0, offset), Vec3(-0.5f, 0, 0));
    const Vec3 before = bodies[0].linear_momentum + bodies[1].linear_momentum;
    const float energy = Dot(bodies[0].velocity, bodies[0].velocity) + Dot(bodies[1].velocity, bodies[1].velocity);
    bodies.system.ResolveBodyCollisions();
    ASSERT_EQ(bodies.system.collision_free, 0) << offset;
    const Vec3 after = bodies[0].linear_momentum + bodies[1].linear_momentum;
    EXPECT_NEAR(after.x, before.x, 1e-3f) << offset;
    EXPECT_NEAR(after.z, before.z, 1e-3f) << offset;
    EXPECT_EQ(after.y, 0.0f);
    EXPECT_NEAR(Dot(bodies[0].velocity, bodies[0].velocity) + Dot(bodies[1].velocity, bodies[1].velocity), energy,
                1e-3f * energy)
        << offset;
  }
}

TEST(BodyCollisions, TouchingWhileMovingApartIsSeparatedAndFlaggedWithoutImpulse) {
  Bodies bodies(2);
  bodies.Place(0, Vec3(0, 0, 0), Vec3(-1, 0, 0), Vec3(0, 2, 0));
  bodies.Place(1, Vec3(1.9f, 0, 0), Vec3(0.5f, 0, 0), Vec3(1, 0, 0));
  bodies.system.ResolveBodyCollisions();
  EXPECT_EQ(bodies.system.collision_free, 0);
  EXPECT_TRUE(bodies[1].render_model.IsCollided());
  EXPECT_EQ(bodies[0].velocity.x, -1.0f);
  EXPECT_EQ(bodies[1].velocity.x, 0.5f);
  EXPECT_EQ(bodies[0].angular_momentum.y, 2.0f);
  EXPECT_EQ(bodies[1].angular_momentum.x, 1.0f);
  EXPECT_LT(bodies[0].position.x, 0.0f) << "the faster body, 0, was moved";
  EXPECT_EQ(bodies[1].position.x, 1.9f);
}

// Equal speeds, both at rest included: body j (the higher index) is the one moved, along the
// line of centres, and spinning bodies get a vertical velocity's zero spin after the impulse.
TEST(BodyCollisions, EqualSpeedsMoveBodyJAndCoincidentCentresStillSeparate) {
  Bodies bodies(3);
  bodies.Place(0, Vec3(0, 0, 0), Vec3());
  bodies.Place(1, Vec3(1.5f, 0, 0), Vec3());
  bodies.Place(2, Vec3(-8, 5, 8), Vec3());
  bodies.system.ResolveBodyCollisions();
  EXPECT_EQ(bodies[0].position.x, 0.0f);
  EXPECT_GE(bodies[1].position.x, 1.96f);
  EXPECT_EQ(bodies[1].position.y, 0.0f);
  EXPECT_FALSE(bodies[2].render_model.IsCollided());

  // Coinciding or nearly coinciding centres (a fast ball sunk deep into another) give no usable
  // direction or a vanishing step; the pass must still end with the two apart.
  for (float offset : {0.0f, 1e-6f, 0.01f, 0.3f}) {
    bodies.Place(0, Vec3(3, 3, 3), Vec3());
    bodies.Place(1, Vec3(3, 3, 3 + offset), Vec3());
    bodies.system.ResolveBodyCollisions();
    EXPECT_GE(Distance(bodies[0], bodies[1]), 1.96f) << offset;
    EXPECT_LE(Distance(bodies[0], bodies[1]), 2.1f) << offset;
  }
}

TEST(BodyCollisions, VerticalHitLeavesNoSpin) {
  Bodies bodies(2);
  bodies.Place(0, Vec3(0, 1.97f, 0), Vec3(0, -2, 0), Vec3(0.3f, 0, 0.4f));
  bodies.Place(1, Vec3(0, 0, 0), Vec3(), Vec3(0, 0, 1));
  bodies.system.ResolveBodyCollisions();
  EXPECT_NEAR(bodies[1].velocity.y, -2.0f, 1e-5f);
  EXPECT_EQ(bodies[0].angular_momentum.Length(), 0.0f);
  EXPECT_EQ(bodies[1].angular_momentum.Length(), 0.0f);
  EXPECT_EQ(bodies[1].angular_velocity.Length(), 0.0f);
}

// Bodies outside the play volume are moved onto its boundary at their own turn.
TEST(BodyCollisions, PositionsAreClampedToThePlayVolume) {
  Bodies bodies(2, "sphere00.tris");
  bodies.Place(0, Vec3(16, -3, 20.5f), Vec3());
  bodies.Place(1, Vec3(-40, 12, -25), Vec3());
  bodies.system.ResolveBodyCollisions();
  EXPECT_EQ(bodies[0].position.x, 15.0f);
  EXPECT_EQ(bodies[0].position.y, -1.0f);
  EXPECT_EQ(bodies[0].position.z, 20.0f);
  EXPECT_EQ(bodies[1].position.x, -15.0f);
  EXPECT_EQ(bodies[1].position.y, 10.0f);
  EXPECT_EQ(bodies[1].position.z, -20.0f);
  EXPECT_EQ(bodies.system.collision_free, 1);
}

// Each pair is tested once per pass: three bodies in a row, the middle one touching both, gives
// exactly one impulse per touching pair even though every body is filed into several cells.
TEST(BodyCollisions, EachPairIsResolvedOncePerPass) {
  Bodies bodies(3);
  bodies.Place(0, Vec3(-1.97f, 0, 0), Vec3(1, 0, 0));
  bodies.Place(1, Vec3(0, 0, 0), Vec3());
  bodies.Place(2, Vec3(5, 0, 0), Vec3());
  bodies.system.ResolveBodyCollisions();
  EXPECT_NEAR(bodies[0].velocity.x, 0.0f, 1e-5f);
  EXPECT_NEAR(bodies[1].velocity.x, 1.0f, 1e-5f) << "a second impulse would have swapped them back";
}

// A crowded corner of the grid: thirty bodies without meshes (they can touch nothing) fill the
// eight cells around the origin before the last two, which touch each other, are filed there.
// Neither a full cell nor a long candidate list may drop them: their contact is found.
TEST(BodyCollisions, NoBodyIsDroppedFromACrowdedCell) {
  const unsigned crowd = 30;
  ForceList forces(10, 10);
  RBSystem system(crowd + 2, &forces);
  for (unsigned i = 0; i < crowd + 2; ++i) {
    RigidBody& body = *system.Body(i);
    body.SetMass(10.0f);
    body.position = Vec3(0.1f * (i % 6) - 0.3f, 0.1f * (i / 6) - 0.3f, 0.5f);
  }
  RigidBody& a = *system.Body(crowd);
  RigidBody& b = *system.Body(crowd + 1);
  a.LoadModels(DataFile("sphere03.tris").c_str(), 1.0f);
  b.ShareModels(a);
  a.position = Vec3(-0.5f, 0, 0);
  b.position = Vec3(0.48f, 0, 0);
  system.ResolveBodyCollisions();
  EXPECT_EQ(system.collision_free, 0);
  EXPECT_TRUE(a.render_model.IsCollided());
  EXPECT_TRUE(b.render_model.IsCollided());
  EXPECT_GE(Distance(a, b), 1.96f);
}

// The impulse needs the bodies to approach along the normal faster than 0.00001: a thousandth
// of that speed either side decides it. Body 0 runs into body 1 at rest along the line of
// centres; with an impulse they swap velocities and body 0's spin turns to the new (zero)
// motion, without one both keep their motion.
TEST(BodyCollisions, ImpulseOnlyWhenApproachingFasterThanTheThreshold) {
  for (float speed : {1.001e-5f, 0.999e-5f}) {
    Bodies bodies(2);
    bodies.Place(0, Vec3(-0.97f, 0, 0), Vec3(speed, 0, 0), Vec3(0, 0.5f, 0));
    bodies.Place(1, Vec3(0.97f, 0, 0), Vec3());
    bodies.system.ResolveBodyCollisions();
    ASSERT_EQ(bodies.system.collision_free, 0) << "the two touch";
    const bool impulse = speed > 1e-5f;
    EXPECT_NEAR(bodies[0].velocity.x, impulse ? 0.0f : speed, 1e-11f) << speed;
    EXPECT_NEAR(bodies[1].velocity.x, impulse ? speed : 0.0f, 1e-11f) << speed;
    EXPECT_EQ(bodies[0].angular_momentum.y, impulse ? 0.0f : 0.5f) << speed;
  }
}

// Three balls in a row, each touching the next, all in the same grid cells. Body 0's turn marks
// both others as candidates; unless those marks are cleared after it, body 1's turn skips body 2
// and that pair is never resolved. Both pairs approach, so both must exchange momentum.
TEST(BodyCollisions, ThreeBallChainResolvesBothPairs) {
  Bodies bodies(3);
  bodies.Place(0, Vec3(-1.96f, 0, 0), Vec3(1, 0, 0));
  bodies.Place(1, Vec3(0, 0, 0), Vec3());
  bodies.Place(2, Vec3(1.96f, 0, 0), Vec3(-1, 0, 0));
  bodies.system.ResolveBodyCollisions();
  // 0 hands its motion to 1, then 1 and 2 swap theirs.
  EXPECT_NEAR(bodies[0].velocity.x, 0.0f, 1e-5f);
  EXPECT_NEAR(bodies[1].velocity.x, -1.0f, 1e-5f);
  EXPECT_NEAR(bodies[2].velocity.x, 1.0f, 1e-5f);
  EXPECT_FALSE(TouchAt(bodies[1], bodies[1].position, bodies[2], bodies[2].position)) << "pair 1-2 separated";
  EXPECT_TRUE(bodies[2].render_model.IsCollided());
}

// Separation moves the faster body by 2 % of the centre distance at first contact, step by
// step, and stops at the first step that frees the meshes: one step less and they still touch.
// Seeded pairs at many angles, overlaps and speeds, turned bodies included.
TEST(BodyCollisions, SeparationStopsAtTheFirstStepThatFreesTheMeshes) {
  std::mt19937 random(41);
  std::uniform_real_distribution<float> angle(0.0f, 6.2831853f), gap(1.5f, 1.96f), speed(0.0f, 3.0f);
  std::normal_distribution<float> normal(0.0f, 1.0f);
  Bodies bodies(2);
  int moved_i = 0, moved_j = 0;
  for (int n = 0; n < 60; ++n) {
    const float a = angle(random), b = angle(random) * 0.25f, distance = gap(random);
    const Vec3 p0(1, 2, 3), p1 = p0 + distance * Vec3(std::cos(a) * std::cos(b), std::sin(b), std::sin(a) * std::cos(b));
    bodies.Place(0, p0, Vec3(speed(random), 0, speed(random)));
    bodies.Place(1, p1, Vec3(speed(random), speed(random), 0));
    bodies[0].orientation = Quaternion(normal(random), normal(random), normal(random), normal(random));
    bodies[0].orientation.Normalize();
    const float s0 = bodies[0].velocity.Length(), s1 = bodies[1].velocity.Length();
    const Vec3 step = 0.02f * (p0 - p1);
    bodies.system.ResolveBodyCollisions();
    ASSERT_EQ(bodies.system.collision_free, 0) << n;
    RigidBody& moved = s0 > s1 ? bodies[0] : bodies[1];
    const RigidBody& still = s0 > s1 ? bodies[1] : bodies[0];
    EXPECT_EQ(still.position.x, (s0 > s1 ? p1 : p0).x) << n << ": only the faster body moves";
    ASSERT_FALSE(TouchAt(bodies[0], bodies[0].position, bodies[1], bodies[1].position)) << n;
    const Vec3 one_step_back = s0 > s1 ? moved.position - step : moved.position + step;
    EXPECT_TRUE(s0 > s1 ? TouchAt(bodies[0], one_step_back, bodies[1], bodies[1].position)
                        : TouchAt(bodies[0], bodies[0].position, bodies[1], one_step_back))
        << n << ": moved farther than needed";
    (s0 > s1 ? moved_i : moved_j)++;
  }
  EXPECT_GT(moved_i, 10);
  EXPECT_GT(moved_j, 10);
}

// The play volume's six bounds: a centre just outside one is moved onto it, one just inside is
// left where it is.
TEST(BodyCollisions, PlayVolumeBoundsClampJustOutsideAndNotJustInside) {
  const struct {
    Vec3 position, clamped;
  } cases[] = {
      {{15.01f, 4, 0}, {15, 4, 0}},   {{14.99f, 4, 0}, {14.99f, 4, 0}},   {{-15.01f, 4, 0}, {-15, 4, 0}},
      {{-14.99f, 4, 0}, {-14.99f, 4, 0}}, {{0, 10.01f, 0}, {0, 10, 0}},  {{0, 9.99f, 0}, {0, 9.99f, 0}},
      {{0, -1.01f, 0}, {0, -1, 0}},   {{0, -0.99f, 0}, {0, -0.99f, 0}},   {{0, 4, 20.01f}, {0, 4, 20}},
      {{0, 4, 19.99f}, {0, 4, 19.99f}}, {{0, 4, -20.01f}, {0, 4, -20}}, {{0, 4, -19.99f}, {0, 4, -19.99f}},
  };
  Bodies body(1, "sphere00.tris");
  for (const auto& c : cases) {
    body.Place(0, c.position, Vec3());
    body.system.ResolveBodyCollisions();
    EXPECT_EQ(body[0].position.x, c.clamped.x) << c.position.x << " " << c.position.y << " " << c.position.z;
    EXPECT_EQ(body[0].position.y, c.clamped.y) << c.position.x << " " << c.position.y << " " << c.position.z;
    EXPECT_EQ(body[0].position.z, c.clamped.z) << c.position.x << " " << c.position.y << " " << c.position.z;
  }
}
