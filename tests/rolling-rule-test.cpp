#include "rolling-rule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct OneBody {
  ForceList forces{10, 10};
  RBSystem system{1, &forces};
  SlidingFriction* sliding = new SlidingFriction(0.005f);
  RollingResistance* rolling = new RollingResistance(0.0f);
  OneBody() {
    forces.Append(sliding);
    forces.Append(rolling);
  }
  RigidBody& body() { return *system.Body(0); }
  void Set(const Vec3& velocity, const Vec3& spin) {
    body().velocity = velocity;
    body().angular_velocity = spin;
    body().angular_momentum = spin;
  }
  void Apply(float roll = 0.007f) { ApplyRollingRuleToSystem(system, &sliding, &rolling, roll); }
};

}  // namespace

// Switching needs |omega| >= |v| and |omega| > 0.01.
TEST(RollingRule, SwitchesOnlyWhenSpinCatchesUp) {
  const struct {
    Vec3 velocity, spin;
    bool rolls;
  } cases[] = {
      {{2, 0, 0}, {0, 0, -2}, true},        {{0, 0, 0}, {0.005f, 0, 0}, false},
      {{2, 0, 0}, {0, 0, 1}, false},        {{0, 0, 0}, {0, 0.011f, 0}, true},
      {{0.005f, 0, 0}, {0.008f, 0, 0}, false}, {{3, 0, 4}, {0, 5.0001f, 0}, true},
  };
  for (const auto& c : cases) {
    OneBody one;
    one.Set(c.velocity, c.spin);
    one.Apply();
    EXPECT_EQ(one.body().IsRolling(), c.rolls) << c.spin.Length() << " vs " << c.velocity.Length();
    EXPECT_EQ(one.sliding->coefficient, c.rolls ? 0.0f : 0.005f);
    EXPECT_EQ(one.rolling->coefficient, c.rolls ? 0.007f : 0.0f);
    if (c.rolls) {
      EXPECT_NEAR(one.body().angular_momentum.Length(), c.velocity.Length(), 1e-5f);
    }
  }
}

TEST(RollingRule, RollingBodiesKeepTheirSpinAxisAndTrackTheSpeed) {
  OneBody one;
  one.Set(Vec3(2, 0, 0), Vec3(0, 0, -2));
  one.Apply();
  ASSERT_TRUE(one.body().IsRolling());
  one.body().velocity = Vec3(0, 0, 0.5f);  // slowed by a wall, say
  one.Apply(0.05f);
  EXPECT_NEAR(one.body().angular_momentum.z, -0.5f, 1e-6f);
  EXPECT_EQ(one.rolling->coefficient, 0.007f) << "roll is read only at the switch";
  one.body().angular_momentum.SetZero();
  one.Apply();
  EXPECT_EQ(one.body().angular_momentum.Length(), 0.0f) << "a zero L stays zero";
}

// Either side of both boundaries: a spin equal to the speed switches and one a float step below
// it does not; at rest a spin a hair above 0.01 switches and one a hair below does not.
TEST(RollingRule, SwitchesExactlyAtItsBoundaries) {
  const float speed = 0.5f;
  const struct {
    Vec3 velocity, spin;
    bool rolls;
  } cases[] = {
      {{speed, 0, 0}, {0, 0, speed}, true},
      {{speed, 0, 0}, {0, 0, std::nextafter(speed, 0.0f)}, false},
      {{0, 0, 0}, {0.0100001f, 0, 0}, true},
      {{0, 0, 0}, {0.0099999f, 0, 0}, false},
  };
  for (const auto& c : cases) {
    OneBody one;
    one.Set(c.velocity, c.spin);
    one.Apply();
    EXPECT_EQ(one.body().IsRolling(), c.rolls) << c.spin.Length() << " vs " << c.velocity.Length();
  }
}
