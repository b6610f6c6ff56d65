#include "rigid-body.h"

#include "force-list.h"

void RigidBody::LoadModels(const char* file_name, float scale) {
  render_model.Load(file_name, scale);
  collision_mesh_ = LoadCollisionMesh(file_name, scale);
}

void RigidBody::ShareModels(const RigidBody& source) {
  render_model.ShareMesh(source.render_model);
  collision_mesh_ = source.collision_mesh_;
}

void RigidBody::ComputeForceAndTorque(ForceList& forces) {
  const int32_t n = force_count;
  force.SetZero();
  torque.SetZero();
  for (int32_t i = 0; i < n; ++i) {
    Force* f = forces.Element(force_ids[static_cast<uint32_t>(i)]);
    const Vec3 applied = f->ComputeForce(mass, *this, velocity);
    force += applied;
    torque += f->ComputeTorque(*this, applied);
  }
}

void RigidBody::UpdateDerived() {
  orientation.Normalize();
  rotation = orientation.ToMatrix();
  velocity = inverse_mass * linear_momentum;
  world_inverse_inertia = (rotation * body_inverse_inertia) * rotation.Transpose();
  angular_velocity = world_inverse_inertia * angular_momentum;
}

void RigidBody::StateDerivative(float out[BodyStateFloats]) const {
  // d(orientation)/dt = (0.5 (0, omega)) * orientation, the pure quaternion on the left.
  const Quaternion spin = (0.5f * Quaternion(0.0f, angular_velocity)) * orientation;
  const float values[BodyStateFloats] = {velocity.x, velocity.y, velocity.z, spin.s,   spin.v.x,
                                         spin.v.y,   spin.v.z,   force.x,    force.y,  force.z,
                                         torque.x,   torque.y,   torque.z};
  for (int k = 0; k < BodyStateFloats; ++k) out[k] = values[k];
}

void RigidBody::GetState(float out[BodyStateFloats]) const {
  const float values[BodyStateFloats] = {
      position.x,        position.y,        position.z,        orientation.s,      orientation.v.x,
      orientation.v.y,   orientation.v.z,   linear_momentum.x, linear_momentum.y,  linear_momentum.z,
      angular_momentum.x, angular_momentum.y, angular_momentum.z};
  for (int k = 0; k < BodyStateFloats; ++k) out[k] = values[k];
}

void RigidBody::SetState(const float in[BodyStateFloats]) {
  position = Vec3(in[0], in[1], in[2]);
  orientation = Quaternion(in[3], in[4], in[5], in[6]);
  linear_momentum = Vec3(in[7], in[8], in[9]);
  angular_momentum = Vec3(in[10], in[11], in[12]);
}
