#include "rigid-body.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "force-list.h"

namespace {

// The rotation matrix of (s, x, y, z) in double, written out from the quaternion.
void RotationOf(const double q[4], double R[3][3]) {
  const double s = q[0], x = q[1], y = q[2], z = q[3];
  const double rows[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - s * z), 2 * (x * z + s * y)},
                             {2 * (x * y + s * z), 1 - 2 * (x * x + z * z), 2 * (y * z - s * x)},
                             {2 * (x * z - s * y), 2 * (y * z + s * x), 1 - 2 * (x * x + y * y)}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) R[r][c] = rows[r][c];
}

}  // namespace

TEST(RigidBody, UpdateDerivedNormalisesAboveTheThresholdOnly) {
  RigidBody body;
  body.SetMass(10.0f);
  body.orientation = Quaternion(2, 0, 0, 0);
  body.UpdateDerived();
  EXPECT_EQ(body.orientation.s, 1.0f);
  body.orientation = Quaternion(0.005f, 0, 0, 0);
  body.UpdateDerived();
  EXPECT_EQ(body.orientation.s, 0.005f);
  // Either side of the threshold: 0.01 squared is the float 0.0001, 0.0101 squared is above it.
  body.orientation = Quaternion(0, 0, 0.01f, 0);
  body.UpdateDerived();
  EXPECT_EQ(body.orientation.v.y, 0.01f);
  EXPECT_FLOAT_EQ(body.rotation(0, 0), 1.0f - 2.0f * 0.0001f) << "the matrix of the unnormalised quaternion";
  body.orientation = Quaternion(0, 0, 0.0101f, 0);
  body.UpdateDerived();
  EXPECT_EQ(body.orientation.v.y, 1.0f);
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

// However the body is turned, its orientation must change so that the rotation matrix follows
// dR/dt = [omega]x R, omega being the angular velocity in world coordinates. The matrix's rate is
// taken by central differences along the orientation rate the derivative reports.
TEST(RigidBody, OrientationRateTurnsTheBodyAboutItsWorldAngularVelocity) {
  std::mt19937 random(21);
  std::normal_distribution<float> normal(0.0f, 1.0f);
  for (int n = 0; n < 500; ++n) {
    RigidBody body;
    body.SetMass(10.0f);
    body.orientation = Quaternion(normal(random), normal(random), normal(random), normal(random));
    body.angular_momentum = Vec3(normal(random), normal(random), normal(random));
    body.UpdateDerived();
    float rate[BodyStateFloats];
    body.StateDerivative(rate);

    const double q[4] = {body.orientation.s, body.orientation.v.x, body.orientation.v.y, body.orientation.v.z};
    const double eps = 1e-3;
    double ahead[4], behind[4], Ra[3][3], Rb[3][3], R[3][3];
    for (int k = 0; k < 4; ++k) {
      ahead[k] = q[k] + eps * rate[3 + k];
      behind[k] = q[k] - eps * rate[3 + k];
    }
    RotationOf(ahead, Ra);
    RotationOf(behind, Rb);
    RotationOf(q, R);
    const Vec3 w = body.angular_velocity;
    const double W[3][3] = {{0, -w.z, w.y}, {w.z, 0, -w.x}, {-w.y, w.x, 0}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        double expected = 0;
        for (int k = 0; k < 3; ++k) expected += W[r][k] * R[k][c];
        ASSERT_NEAR((Ra[r][c] - Rb[r][c]) / (2 * eps), expected, 2e-5) << n << " entry " << r << c;
      }
  }
}

// Several forces of both kinds with their own coefficients and lever arms, attached in an order
// that puts a rolling resistance first: the force is the sum of the forces and the torque the
// sum of each sliding friction's lever arm crossed with its own force, worked out term by term.
TEST(RigidBody, EachTorqueComesFromItsOwnForce) {
  const struct {
    bool sliding;
    float coefficient;
    Vec3 lever_arm;
  } kinds[] = {{false, 0.02f, {0, -1, 0}},      {true, 0.005f, {0, -1, 0}},     {true, 0.03f, {0.5f, -0.7f, 0.2f}},
               {false, 0.01f, {0.3f, 0.3f, 0.3f}}, {true, 0.011f, {-0.3f, 0.4f, 1.1f}}};
  ForceList forces(10, 10);
  for (const auto& k : kinds) {
    if (k.sliding) {
      auto* f = new SlidingFriction(k.coefficient);
      f->SetLeverArm(k.lever_arm);
      forces.Append(f);
    } else {
      forces.Append(new RollingResistance(k.coefficient));
    }
  }
  RigidBody body;
  body.SetMass(10.0f);
  body.linear_momentum = Vec3(15, -4, 20);
  body.UpdateDerived();
  for (int id : {3, 0, 2, 4, 1}) body.AttachForce(id);
  body.ComputeForceAndTorque(forces);

  double force[3] = {0, 0, 0}, torque[3] = {0, 0, 0};
  const double v[3] = {1.5, -0.4, 2.0};
  for (const auto& k : kinds) {
    const double f[3] = {-k.coefficient * 10.0 * 9.8 * v[0], -k.coefficient * 10.0 * 9.8 * v[1],
                         -k.coefficient * 10.0 * 9.8 * v[2]};
    const double a[3] = {k.lever_arm.x, k.lever_arm.y, k.lever_arm.z};
    for (int i = 0; i < 3; ++i) force[i] += f[i];
    if (!k.sliding) continue;
    torque[0] += a[1] * f[2] - a[2] * f[1];
    torque[1] += a[2] * f[0] - a[0] * f[2];
    torque[2] += a[0] * f[1] - a[1] * f[0];
  }
  EXPECT_NEAR(body.force.x, force[0], 1e-5);
  EXPECT_NEAR(body.force.y, force[1], 1e-5);
  EXPECT_NEAR(body.force.z, force[2], 1e-5);
  EXPECT_NEAR(body.torque.x, torque[0], 1e-5);
  EXPECT_NEAR(body.torque.y, torque[1], 1e-5);
  EXPECT_NEAR(body.torque.z, torque[2], 1e-5);
}
