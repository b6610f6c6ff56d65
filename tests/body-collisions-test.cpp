#include <gtest/gtest.h>

#include <cmath>

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
