#include "rigid-body.h"

#include <gtest/gtest.h>

#include "force-list.h"

TEST(RigidBody, UpdateDerivedNormalisesAboveTheThresholdOnly) {
  RigidBody body;
  body.SetMass(10.0f);
  body.orientation = Quaternion(2, 0, 0, 0);
  body.UpdateDerived();
  EXPECT_EQ(body.orientation.s, 1.0f);
  body.orientation = Quaternion(0.005f, 0, 0, 0);
  body.UpdateDerived();
  EXPECT_EQ(body.orientation.s, 0.005f);
  body.orientation = Quaternion(0, 0, 1, 0);
  body.UpdateDerived();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(body.rotation(r, c), r != c ? 0.0f : (r == 1 ? 1.0f : -1.0f));
}

TEST(RigidBody, VelocitiesFollowMomentaWhateverTheOrientation) {
  RigidBody body;
  body.SetMass(10.0f);
  body.linear_momentum = Vec3(20, 0, 0);
  body.angular_momentum = Vec3(0, 3, 0);
  body.orientation = Quaternion(0.3f, -0.5f, 0.7f, 0.1f);
  body.UpdateDerived();
  EXPECT_FLOAT_EQ(body.velocity.x, 2.0f);
  EXPECT_NEAR(body.angular_velocity.x, 0.0f, 1e-6f);
  EXPECT_NEAR(body.angular_velocity.y, 3.0f, 1e-5f);
  EXPECT_NEAR(body.angular_velocity.z, 0.0f, 1e-6f);
}

TEST(RigidBody, StateRoundTripAndDerivative) {
  RigidBody body;
  body.SetMass(10.0f);
  const float state[BodyStateFloats] = {1, 2, 3, 1, 0, 0, 0, 10, 20, 30, 0, 2, 0};
  body.SetState(state);
  float back[BodyStateFloats];
  body.GetState(back);
  for (int k = 0; k < BodyStateFloats; ++k) EXPECT_EQ(back[k], state[k]) << k;
  body.UpdateDerived();
  body.force = Vec3(4, 5, 6);
  body.torque = Vec3(7, 8, 9);
  float rate[BodyStateFloats];
  body.StateDerivative(rate);
  const float expected[BodyStateFloats] = {1, 2, 3, 0, 0, 1, 0, 4, 5, 6, 7, 8, 9};
  for (int k = 0; k < BodyStateFloats; ++k) EXPECT_NEAR(rate[k], expected[k], 1e-6f) << k;
}

// A sliding body of mass 10 at (1, 0, 0) with coefficient 0.005: force -0.49 along x and, at the
// contact point one unit below the centre, torque (0, 0, -0.49). Each torque comes from its own
// force only, and stale accumulators never leak into the sum.
TEST(RigidBody, FrictionForcesAndTorquesSum) {
  ForceList forces(10, 10);
  auto* sliding = new SlidingFriction(0.005f);
  sliding->SetLeverArm(Vec3(0, -1, 0));
  auto* rolling = new RollingResistance(0.0f);
  rolling->SetLeverArm(Vec3(0, -1, 0));
  forces.Append(sliding);
  forces.Append(rolling);

  RigidBody body;
  body.SetMass(10.0f);
  body.linear_momentum = Vec3(10, 0, 0);
  body.UpdateDerived();
  body.force = Vec3(100, 100, 100);
  body.torque = Vec3(100, 100, 100);
  body.ComputeForceAndTorque(forces);
  EXPECT_EQ(body.force.x, 0.0f) << "no attached force: zero force";
  EXPECT_EQ(body.torque.z, 0.0f);

  body.AttachForce(0);
  body.AttachForce(1);
  body.ComputeForceAndTorque(forces);
  EXPECT_FLOAT_EQ(body.force.x, -0.49f);
  EXPECT_FLOAT_EQ(body.torque.z, -0.49f);
  EXPECT_EQ(body.torque.x, 0.0f);

  sliding->SetCoefficient(0.0f);
  rolling->SetCoefficient(0.005f);
  body.ComputeForceAndTorque(forces);
  EXPECT_FLOAT_EQ(body.force.x, -0.49f);
  EXPECT_EQ(body.torque.Length(), 0.0f) << "rolling resistance acts through the centre";

  sliding->SetCoefficient(0.01f);
  body.ComputeForceAndTorque(forces);
  EXPECT_FLOAT_EQ(body.force.x, -0.98f - 0.49f);
  EXPECT_FLOAT_EQ(body.torque.z, -0.98f);

  body.linear_momentum.SetZero();
  body.UpdateDerived();
  body.ComputeForceAndTorque(forces);
  EXPECT_EQ(body.force.Length(), 0.0f) << "a body at rest feels no friction";
}

TEST(RigidBodyDeathTest, ForceIndexOutsideTheListStops) {
  ForceList forces(10, 10);
  RigidBody body;
  body.SetMass(1.0f);
  body.AttachForce(10);
  EXPECT_DEATH(body.ComputeForceAndTorque(forces), "Assertion failed: idx < size");
}

// Detaching a force gives back exactly the sums of the forces that stay, in their order.
TEST(RigidBody, DetachForceRemovesOneAttachmentAndKeepsTheOrder) {
  ForceList forces(10, 10);
  for (int i = 0; i < 3; ++i) {
    auto* sliding = new SlidingFriction(0.001f * static_cast<float>(i + 1));
    sliding->SetLeverArm(Vec3(0, -1, 0));
    forces.Append(sliding);
  }
  RigidBody body;
  body.SetMass(10.0f);
  body.linear_momentum = Vec3(3, 0, 7);
  body.UpdateDerived();
  body.AttachForce(0);
  body.AttachForce(2);
  body.ComputeForceAndTorque(forces);
  const Vec3 force_before = body.force;
  const Vec3 torque_before = body.torque;

  body.AttachForce(1);
  body.AttachForce(1);
  EXPECT_FALSE(body.DetachForce(7)) << "not attached";
  EXPECT_EQ(body.force_count, 4);
  EXPECT_TRUE(body.DetachForce(1));
  EXPECT_EQ(body.force_count, 3);
  EXPECT_EQ(body.force_ids[2], 1) << "only the first attachment goes";
  EXPECT_TRUE(body.DetachForce(1));
  EXPECT_FALSE(body.DetachForce(1));
  ASSERT_EQ(body.force_count, 2);
  EXPECT_EQ(body.force_ids[0], 0);
  EXPECT_EQ(body.force_ids[1], 2);
  body.ComputeForceAndTorque(forces);
  EXPECT_EQ(body.force.x, force_before.x);
  EXPECT_EQ(body.force.z, force_before.z);
  EXPECT_EQ(body.torque.x, torque_before.x);
  EXPECT_EQ(body.torque.z, torque_before.z);

  body.AttachForce(1);
  EXPECT_TRUE(body.DetachForce(0));
  EXPECT_EQ(body.force_ids[0], 2);
  EXPECT_EQ(body.force_ids[1], 1) << "the forces after it move up in order";
}
