#include "inspect/scene-measures.h"

#include "rb-system.h"

namespace {

// L . (I^-1 L) with I^-1 = R I_body^-1 R^T: the body-frame inverse inertia applied to L taken
// into body axes.
double SpinEnergyTwice(const RigidBody& body) {
  const Mat3 rotation = body.orientation.ToMatrix();
  const Vec3 l = rotation.Transpose() * body.angular_momentum;  // body axes
  const double lb[3] = {l.x, l.y, l.z};
  double sum = 0;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) sum += lb[r] * static_cast<double>(body.body_inverse_inertia(r, c)) * lb[c];
  return sum;
}

}  // namespace

SceneMeasures MeasureBodies(const RBSystem& system) {
  SceneMeasures m;
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    const RigidBody& body = *system.Body(i);
    const Vec3& p = body.linear_momentum;
    const double px = p.x, py = p.y, pz = p.z;
    m.linear_kinetic_energy += 0.5 * static_cast<double>(body.inverse_mass) * (px * px + py * py + pz * pz);
    m.rotational_kinetic_energy += 0.5 * SpinEnergyTwice(body);
    m.momentum[0] += px;
    m.momentum[1] += py;
    m.momentum[2] += pz;
    if (body.IsRolling()) ++m.rolling;
  }
  return m;
}
